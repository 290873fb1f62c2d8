#pragma once

namespace KorvaneCommon
{
namespace QtRenderMode
{
// Chooses the OpenGL render path from KORVANE_ANTIVIRUS_RENDER_MODE (0 or unset:
// OpenGL ES, 1: software OpenGL). Runs before the application object exists.
void Configure();
}
}
