#include "platform/ProcessInfo.h"

#include "platform/win32/WindowsApi.h"

#include <cwctype>

namespace Platform
{
namespace
{
// Owns a handle and closes it on every way out.
class Handle
{
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != nullptr)
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

std::wstring Lowered(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}
}

unsigned long GetCurrentProcessId()
{
    return ::GetCurrentProcessId();
}

bool IsProgramRunning(unsigned long processId, const std::wstring& programStem)
{
    if (processId == 0)
        return false;
    const Handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (process.Get() == nullptr)
        return ::GetLastError() != ERROR_INVALID_PARAMETER; // no such process; else alive but closed to us
    DWORD exitCode = 0;
    if (::GetExitCodeProcess(process.Get(), &exitCode) && exitCode != STILL_ACTIVE)
        return false;
    wchar_t image[32768];
    DWORD length = sizeof image / sizeof image[0];
    if (!::QueryFullProcessImageNameW(process.Get(), 0, image, &length))
        return true; // alive, but its program cannot be seen: assume it is ours
    std::wstring name(image, length);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot != 0)
        name.resize(dot);
    // File names are compared as the system compares them: without regard to case.
    return Lowered(name) == Lowered(programStem);
}

bool IsRunningAsAdministrator()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                    0, 0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!::CheckTokenMembership(nullptr, administrators, &member))
        member = FALSE;
    ::FreeSid(administrators);
    return member != FALSE;
}

// A desktop is always there to open windows on.
bool HasDisplay()
{
    return true;
}
}
