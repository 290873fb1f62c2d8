#pragma once

#include <string>

namespace Platform
{
unsigned long GetCurrentProcessId();

// Whether the process with this id is still running the program whose file name stem
// is given. When that cannot be told for sure, the answer is true.
bool IsProgramRunning(unsigned long processId, const std::wstring& programStem);
}

namespace Platform
{
// Whether the process runs with the system administrator's rights (root here).
bool IsRunningAsAdministrator();

// Whether a graphical display is there to open windows on: an X11 or Wayland
// display, or a Qt platform plugin chosen explicitly.
bool HasDisplay();
}
