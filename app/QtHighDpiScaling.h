#pragma once

namespace KorvaneCommon
{
namespace QtHighDpiScaling
{
// Turns high-DPI scaling on. Runs before the application object exists.
void Configure();
}
}
