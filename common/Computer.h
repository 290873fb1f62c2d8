#pragma once

namespace SystemHelper
{
namespace Computer
{
// Asks the system to restart; throws ExceptionHelper::Windows when that is refused.
void Reboot();
}
}
