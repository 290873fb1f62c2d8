#include "ProgramRun.h"

#include "platform/win32/WindowsApi.h"

#include <map>
#include <optional>
#include <stdexcept>

namespace Testing
{
namespace
{
// Sets variables of this process for as long as it lives (a child inherits them).
class ScopedVariables
{
public:
    explicit ScopedVariables(const std::vector<std::pair<std::wstring, std::wstring>>& variables)
    {
        for (const auto& [name, value] : variables)
        {
            if (saved_.count(name) == 0)
                saved_[name] = Read(name);
            ::SetEnvironmentVariableW(name.c_str(), value.c_str());
        }
    }

    ~ScopedVariables()
    {
        for (const auto& [name, value] : saved_)
            ::SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
    }

private:
    static std::optional<std::wstring> Read(const std::wstring& name)
    {
        const DWORD size = ::GetEnvironmentVariableW(name.c_str(), nullptr, 0);
        if (size == 0)
            return std::nullopt;
        std::wstring value(size, L'\0');
        value.resize(::GetEnvironmentVariableW(name.c_str(), value.data(), size));
        return value;
    }

    std::map<std::wstring, std::optional<std::wstring>> saved_;
};
}

WindowsRun RunWindowsProgram(const std::wstring& program, const std::wstring& arguments,
                             const WindowsRunOptions& options)
{
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    BOOL created = FALSE;
    {
        const ScopedVariables variables(options.environment);
        created = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                   0, nullptr, nullptr,
                                   &startup, &process);
    }
    if (!created)
        throw std::runtime_error("CreateProcessW failed: " + std::to_string(::GetLastError()));

    WindowsRun run;
    run.processId = process.dwProcessId;
    run.finished = ::WaitForSingleObject(process.hProcess, static_cast<DWORD>(options.timeout.count())) ==
                   WAIT_OBJECT_0;
    if (!run.finished)
    {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, INFINITE);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    run.exitCode = code;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return run;
}
}
