#include "support/ProgramRun.h"

#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <thread>

namespace Testing
{
namespace
{
// The child's standard error while the sanitizers' options are passed on: their reports
// go there (the undefined-behaviour checks write nowhere else in a build with the
// address checks, whatever log_path says).
class SanitizerOutput
{
public:
    // Null when this process runs without sanitizer options.
    static std::unique_ptr<SanitizerOutput> PassOptions(std::map<std::string, std::string>& environment)
    {
        std::unique_ptr<SanitizerOutput> output;
        for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        {
            const char* options = std::getenv(name);
            if (options == nullptr || environment.count(name) != 0)
                continue;
            environment[name] = options;
            if (!output)
                output.reset(new SanitizerOutput);
        }
        return output;
    }

    std::string Path() const { return (folder_.Path() / "stderr.txt").string(); }

    void FailOnReports(const std::string& program) const
    {
        const std::string text = ReadFile(Path());
        for (const char* report : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"})
        {
            if (text.find(report) != std::string::npos)
            {
                ADD_FAILURE() << program << " reported under the sanitizers:\n" << text;
                return;
            }
        }
    }

private:
    SanitizerOutput() = default;
    TempFolder folder_;
};
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& givenEnvironment, int timeLimitSeconds,
                         const WhileRunning& whileRunning)
{
    auto environment = givenEnvironment;
    const auto sanitizerOutput = SanitizerOutput::PassOptions(environment);
    const std::string errorOutput = sanitizerOutput ? sanitizerOutput->Path() : "/dev/null";

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
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
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
            if (sanitizerOutput)
                sanitizerOutput->FailOnReports(program);
            throw std::runtime_error(program + " did not end in time");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (sanitizerOutput)
        sanitizerOutput->FailOnReports(program);
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
