#pragma once

#ifdef _WIN32
// Declared after the system's headers, whose macros of the same names it takes back.
#include "platform/win32/WindowsApi.h"
#endif

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

// The steps that give the process the right to restart the computer
// (SeShutdownPrivilege): OpenProcessToken, LookupPrivilegeValueW, AdjustTokenPrivileges.
enum class ShutdownPrivilegeStep
{
    OpenToken,
    LookupPrivilege,
    AdjustPrivileges
};
// Enables the privilege in the process's token. Returns false, with the failing step
// named and the last error of its call set, when a step fails. Where restarting needs
// no privilege of the process's own, every step succeeds.
bool EnableShutdownPrivilege(ShutdownPrivilegeStep& failedStep);

constexpr unsigned kExitWindowsReboot = 0x2;

// ExitWindowsEx: asks the system to restart ("systemctl reboot"). Returns false, with
// the last error set, when the request could not be made or was refused.
bool ExitWindowsEx(unsigned flags, unsigned long reason);
}
