#include "platform/Shell.h"

#include "platform/win32/WindowsApi.h"

#include <cstdint>

namespace Platform
{
long ShellExecute(WindowHandle owner, const std::wstring& verb, const std::wstring& file,
                  const std::wstring& parameters, const std::wstring& directory, int show)
{
    const HINSTANCE result =
        ::ShellExecuteW(static_cast<HWND>(owner), verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                        parameters.empty() ? nullptr : parameters.c_str(),
                        directory.empty() ? nullptr : directory.c_str(), show);
    return static_cast<long>(reinterpret_cast<std::intptr_t>(result));
}

bool EnableShutdownPrivilege(ShutdownPrivilegeStep& failedStep)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    {
        failedStep = ShutdownPrivilegeStep::OpenToken;
        return false;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = false;
    if (!::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        failedStep = ShutdownPrivilegeStep::LookupPrivilege;
    else if (!::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr))
        failedStep = ShutdownPrivilegeStep::AdjustPrivileges;
    else
        enabled = true;
    // A privilege that was not granted (ERROR_NOT_ALL_ASSIGNED) shows when the restart
    // is asked for.
    const DWORD error = ::GetLastError();
    ::CloseHandle(token);
    ::SetLastError(error);
    return enabled;
}

bool ExitWindowsEx(unsigned flags, unsigned long reason)
{
    return ::ExitWindowsEx(flags, reason) != 0;
}
}
