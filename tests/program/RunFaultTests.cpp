// The program run the way machines and kernels out there treat it: a kernel that hands
// out nothing, termination signals in the middle of a run, a crash reporter of the same
// name on a library search path, a log volume that is full.

#include "support/ProgramSandbox.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using Testing::ProgramSandbox;
using Testing::StatusOf;
namespace fs = boost::filesystem;

namespace
{
bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Waits until the kernel's journal holds the line.
void WaitForJournal(const ProgramSandbox& sandbox, const std::string& line)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!HasLine(sandbox.JournalLines(), line))
    {
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("the journal never showed: " + line);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// The program's own last record (the kernel may still write while it is unloaded).
std::string LastProgramRecord(const ProgramSandbox& sandbox)
{
    std::string last;
    for (const std::string& line : Testing::ReadLines(Testing::FilesIn(sandbox.LogsFolder()).back()))
    {
        if (line.find("][KorvaneUpdater][") != std::string::npos)
            last = line;
    }
    return last;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
}

TEST(RunFaults, AKernelThatHandsOutNothingIsAFailedStart)
{
    for (const std::string exportName : {"CreateParameters", "CreateDirector"})
    {
        SCOPED_TRACE(exportName);
        ProgramSandbox sandbox;
        const auto result = sandbox.Run({"--silent"}, "step_ms=0,null_export=" + exportName);
        ASSERT_TRUE(result.exited) << "signal " << result.signal;
        EXPECT_EQ(result.exitStatus, StatusOf(1603));
        const std::string log = sandbox.LogText();
        EXPECT_NE(log.find("std::exception::what: " + exportName + " returned nothing"), std::string::npos) << log;
        EXPECT_TRUE(EndsWith(LastProgramRecord(sandbox), "exit code=1603")) << log;
        EXPECT_FALSE(fs::exists(sandbox.LangFile()));
    }
}

TEST(RunFaults, ATerminationSignalInterruptsTheSilentRun)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    {
        SCOPED_TRACE(strsignal(signal));
        ProgramSandbox sandbox;
        const auto result = sandbox.Run({"--silent"}, "scenario=Install", [&](int process) {
            WaitForJournal(sandbox, "event Started");
            ::kill(process, signal);
        });
        ASSERT_TRUE(result.exited) << "signal " << result.signal;
        EXPECT_EQ(result.exitStatus, StatusOf(1602));

        const auto journal = sandbox.JournalLines();
        EXPECT_TRUE(HasLine(journal, "call Interrupt"));
        EXPECT_TRUE(HasLine(journal, "event Interrupted"));
        EXPECT_FALSE(HasLine(journal, "event Complete"));
        const std::string log = sandbox.LogText();
        const std::string name = signal == SIGTERM ? "SIGTERM" : signal == SIGINT ? "SIGINT" : "SIGHUP";
        EXPECT_NE(log.find("termination requested. signal=" + name), std::string::npos) << log;
        EXPECT_TRUE(EndsWith(LastProgramRecord(sandbox), "exit code=1602")) << log;
    }
}

TEST(RunFaults, ATerminationBeforeTheScenarioIsKnownStartsNoRun)
{
    ProgramSandbox sandbox;
    const auto result = sandbox.Run({"--silent"}, "scenario=Install", [&](int process) {
        WaitForJournal(sandbox, "call CreateDirector");
        ::kill(process, SIGTERM);
    });
    ASSERT_TRUE(result.exited) << "signal " << result.signal;
    EXPECT_EQ(result.exitStatus, StatusOf(1602));
    EXPECT_FALSE(HasLine(sandbox.JournalLines(), "call Start"));
    EXPECT_TRUE(EndsWith(LastProgramRecord(sandbox), "exit code=1602")) << sandbox.LogText();
}

// The kernel takes its time to stop (interrupt_ms) in both cases.
TEST(RunFaults, ASecondSignalEndsTheProgramAtOnce)
{
    ProgramSandbox sandbox;
    const auto result = sandbox.Run({"--silent"}, "scenario=Install,interrupt_ms=30000", [&](int process) {
        WaitForJournal(sandbox, "event Started");
        ::kill(process, SIGTERM);
        WaitForJournal(sandbox, "call Interrupt");
        ::kill(process, SIGINT);
    });
    ASSERT_FALSE(result.exited) << "exit status " << result.exitStatus;
    EXPECT_EQ(result.signal, SIGINT);
}

TEST(RunFaults, AKernelThatDoesNotStopGetsABoundedWait)
{
    ProgramSandbox sandbox;
    const auto result = sandbox.Run({"--silent"}, "scenario=Install,interrupt_ms=60000", [&](int process) {
        WaitForJournal(sandbox, "event Started");
        ::kill(process, SIGTERM);
    });
    ASSERT_TRUE(result.exited) << "signal " << result.signal;
    EXPECT_EQ(result.exitStatus, StatusOf(1602));
    const std::string log = sandbox.LogText();
    EXPECT_NE(log.find("the program did not end in time after the termination request"), std::string::npos);
    EXPECT_TRUE(EndsWith(LastProgramRecord(sandbox), "exit code=1602")) << log;
}

TEST(RunFaults, TheCrashReporterComesOnlyFromTheProgramsFolder)
{
    const fs::path rogue = fs::path(KORVANE_ROGUE_CRASH_HANDLER).parent_path();
    struct Case
    {
        bool withCrashHandler;
        bool reportExpected;
    } cases[] = {{true, true}, {false, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.withCrashHandler ? "beside the program" : "only on the search path");
        ProgramSandbox sandbox(ProgramSandbox::Layout{true, true, c.withCrashHandler, false});
        sandbox.Environment()["LD_LIBRARY_PATH"] = rogue.string();
        const auto result = sandbox.Run({"--silent"}, "crash=1,step_ms=0");
        ASSERT_FALSE(result.exited);
        EXPECT_EQ(result.signal, SIGSEGV);
        EXPECT_FALSE(fs::exists(sandbox.Home() / "rogue-crash-handler-called"));
        EXPECT_EQ(fs::exists(sandbox.CrashesFolder()) && !Testing::FilesIn(sandbox.CrashesFolder()).empty(),
                  c.reportExpected);
    }
}

// A log volume with almost no room: the files of an earlier run make room first, and
// what this run could write stays, from its first record on.
TEST(RunFaults, AFullLogVolumeKeepsTheRunsOwnRecords)
{
    ProgramSandbox sandbox;
    const fs::path logs = sandbox.LogsFolder();
    fs::create_directories(logs);
    if (::mount("korvane-test", logs.c_str(), "tmpfs", 0, "size=96k") != 0)
        GTEST_SKIP() << "this machine does not let the test mount a small volume: " << std::strerror(errno);
    struct Unmount
    {
        const fs::path& at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{logs};

    const std::string earlier =
        "2020.01.01_10.00.00.000000_korvaneupdater_pid=" + std::to_string(Testing::EndedProcessId()) + ".txt";
    Testing::WriteFile(logs / earlier, std::string(32 * 1024, 'x'));
    Testing::WriteFile(logs / "filler", std::string(48 * 1024, 'x'));

    const auto result = sandbox.Run({"--silent"}, "scenario=Install,step_ms=0");
    ASSERT_TRUE(result.exited) << "signal " << result.signal;
    EXPECT_EQ(result.exitStatus, 0);

    EXPECT_FALSE(fs::exists(logs / earlier));
    EXPECT_TRUE(fs::exists(logs / "filler"));
    // This run's first file comes first; a write that failed may have started another.
    const auto files = Testing::FilesIn(logs);
    ASSERT_GE(files.size(), 2u);
    const std::string log = Testing::ReadFile(files[0]);
    EXPECT_EQ(log.rfind("[1][", 0), 0u) << log.substr(0, 200);
    EXPECT_NE(log.find("version=12,10,151,0"), std::string::npos);
}
