#include "platform/Shell.h"

#include "platform/CrashSignals.h"
#include "platform/LastError.h"
#include "platform/TextConversion.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

extern char** environ;

namespace Platform
{
namespace
{
constexpr long kShellFileNotFound = 2;
constexpr long kShellStarted = 42;

// Starts a program found on PATH with exactly these arguments; its output is left alone.
bool Spawn(const std::vector<std::string>& arguments, pid_t& child)
{
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int error = ::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    errno = error;
    return error == 0;
}

int WaitFor(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    return status;
}
}

long ShellExecute(WindowHandle, const std::wstring&, const std::wstring& file, const std::wstring&,
                  const std::wstring&, int)
{
    pid_t child = 0;
    if (!Spawn({"xdg-open", WideToUtf8(file)}, child))
    {
        SetLastError(kErrorFileNotFound);
        return kShellFileNotFound;
    }
    // The opener may live as long as what it opened; never make the caller wait for it.
    std::thread([child] {
        PrepareThreadForCrashes();
        WaitFor(child);
    }).detach();
    SetLastError(kErrorSuccess);
    return kShellStarted;
}

// Restarting needs no privilege of the process's own here: the system decides.
bool EnableShutdownPrivilege(ShutdownPrivilegeStep&)
{
    SetLastError(kErrorSuccess);
    return true;
}

bool ExitWindowsEx(unsigned flags, unsigned long)
{
    if ((flags & kExitWindowsReboot) == 0)
    {
        SetLastError(87); // ERROR_INVALID_PARAMETER
        return false;
    }
    pid_t child = 0;
    if (!Spawn({"systemctl", "reboot"}, child))
    {
        SetLastError(kErrorFileNotFound);
        return false;
    }
    const int status = WaitFor(child);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    {
        SetLastError(kErrorAccessDenied);
        return false;
    }
    SetLastError(kErrorSuccess);
    return true;
}
}
