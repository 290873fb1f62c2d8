#include "platform/ProcessInfo.h"

#include "platform/TextConversion.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <climits>
#include <string>

namespace Platform
{
unsigned long GetCurrentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}

bool IsProgramRunning(unsigned long processId, const std::wstring& programStem)
{
    if (processId == 0 || processId > static_cast<unsigned long>(INT_MAX))
        return false;
    const auto pid = static_cast<pid_t>(processId);
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return false;

    char target[PATH_MAX];
    const std::string link = "/proc/" + std::to_string(processId) + "/exe";
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return true; // alive, but its program cannot be seen: assume it is ours
    std::string exe(target, static_cast<size_t>(length));
    const std::string deleted = " (deleted)";
    if (exe.size() > deleted.size() && exe.compare(exe.size() - deleted.size(), deleted.size(), deleted) == 0)
        exe.resize(exe.size() - deleted.size());
    std::string name = exe.substr(exe.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot != 0)
        name.resize(dot);
    return name == WideToUtf8(programStem);
}
}

namespace Platform
{
bool IsRunningAsAdministrator()
{
    return ::geteuid() == 0;
}

bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0')
            return true;
    }
    return false;
}
}
