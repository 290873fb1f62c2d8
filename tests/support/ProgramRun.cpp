#include "support/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace Testing
{
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment, int timeLimitSeconds,
                         const WhileRunning& whileRunning)
{
    std::vector<std::string> argvStrings{program};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : argvStrings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStrings;
    for (const auto& [name, value] : environment)
        envStrings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& entry : envStrings)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeLimitSeconds);
    if (whileRunning)
    {
        try
        {
            whileRunning(static_cast<int>(child));
        }
        catch (...)
        {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            throw;
        }
    }
    int status = 0;
    for (;;)
    {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (std::chrono::steady_clock::now() > deadline)
        {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            throw std::runtime_error(program + " did not end in time");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ProgramResult result;
    if (WIFEXITED(status))
    {
        result.exited = true;
        result.exitStatus = WEXITSTATUS(status);
    }
    else if (WIFSIGNALED(status))
    {
        result.signal = WTERMSIG(status);
    }
    return result;
}

unsigned long EndedProcessId()
{
    pid_t child = 0;
    char* argv[] = {const_cast<char*>("/bin/true"), nullptr};
    ::posix_spawn(&child, "/bin/true", nullptr, nullptr, argv, nullptr);
    ::waitpid(child, nullptr, 0);
    return static_cast<unsigned long>(child);
}
}
