#pragma once

#include <string>

namespace Platform
{
using WindowHandle = void*;

constexpr int kShowNormal = 1;

// ShellExecuteW: hands a file, folder or address to the desktop's opener (here
// "xdg-open TARGET", started with an argument vector, never through a shell).
// Returns a value above 32 when the opener was started, as Windows does; the opener
// itself is reaped in the background.
long ShellExecute(WindowHandle owner, const std::wstring& verb, const std::wstring& file,
                  const std::wstring& parameters, const std::wstring& directory, int show);

constexpr unsigned kExitWindowsReboot = 0x2;

// ExitWindowsEx: asks the system to restart ("systemctl reboot"). Returns false, with
// the last error set, when the request could not be made or was refused.
bool ExitWindowsEx(unsigned flags, unsigned long reason);
}
