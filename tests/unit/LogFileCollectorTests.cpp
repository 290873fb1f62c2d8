#include "common/LogFileCollector.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <cstdint>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using Log::LogFileCollector;
namespace fs = boost::filesystem;

namespace
{
std::string LogName(const std::string& time, const std::string& stem, unsigned long pid)
{
    return "2026.01.0" + time + "_10.00.00.000000_" + stem + "_pid=" + std::to_string(pid) + ".txt";
}

using Testing::EndedProcessId;

// A running "sleep" that the test ends.
class SleepingProcess
{
public:
    SleepingProcess()
    {
        char* argv[] = {const_cast<char*>("/bin/sleep"), const_cast<char*>("60"), nullptr};
        ::posix_spawn(&pid_, "/bin/sleep", nullptr, nullptr, argv, nullptr);
    }
    ~SleepingProcess()
    {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    unsigned long Id() const { return static_cast<unsigned long>(pid_); }

private:
    pid_t pid_ = 0;
};
}

TEST(LogFileCollector, RecognisesOnlyThisProgramsLogNames)
{
    struct Case
    {
        std::string name;
        unsigned long pid;
    } cases[] = {
        {"2019.06.03_14.07.52.123456_korvaneupdater_pid=4711.txt", 4711},
        {"2019.06.03_14.07.52.123456_korvaneupdater_pid=4711.log", 0},
        {"2019.06.03_14.07.52.123456_otherprogram_pid=4711.txt", 0},
        {"2019.06.03_14.07.52.12345_korvaneupdater_pid=4711.txt", 0},
        {"2019.06.03_14.07.52.123456_korvaneupdater_pid=.txt", 0},
        {"2019.06.03_14.07.52.123456_korvaneupdater_pid=47a1.txt", 0},
        {"2019.06.03_14.07.52.123456_korvaneupdater_pid=12345678901.txt", 0},
        {"notes.txt", 0},
        {"x019.06.03_14.07.52.123456_korvaneupdater_pid=4711.txt", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LogFileCollector::ProcessIdOf(c.name, "korvaneupdater"), c.pid) << c.name;
}

TEST(LogFileCollector, LimitsTheFilesOfAllRunsButSparesRunningOnesAndStrangers)
{
    Testing::TempFolder folder;
    SleepingProcess running;
    const unsigned long ended = EndedProcessId();
    const unsigned long endedToo = EndedProcessId();
    const unsigned long self = 999999;
    const std::string stem = "sleep";

    const std::string old1 = LogName("1", stem, ended), old2 = LogName("2", stem, endedToo);
    const std::string live = LogName("3", stem, running.Id());
    const std::string stranger = LogName("1", "otherprogram", ended);
    for (const auto& name : {old1, old2, live, stranger, std::string("notes.txt")})
        Testing::WriteFile(folder.Path() / name, std::string(400, 'x'));

    LogFileCollector collector(folder.Path(), L"sleep", self, 1000, 0, 50);
    EXPECT_EQ(collector.scan_for_files(boost::log::sinks::file::scan_matching), 2u);

    // This run's finished file: 400 + 400 + 400 > 1000, so the oldest earlier run goes.
    const std::string mine = LogName("4", stem, self);
    Testing::WriteFile(folder.Path() / mine, std::string(400, 'x'));
    collector.store_file(folder.Path() / mine);

    EXPECT_FALSE(fs::exists(folder.Path() / old1));
    EXPECT_TRUE(fs::exists(folder.Path() / old2));
    EXPECT_TRUE(fs::exists(folder.Path() / mine));
    EXPECT_TRUE(fs::exists(folder.Path() / live));
    EXPECT_TRUE(fs::exists(folder.Path() / stranger));
    EXPECT_TRUE(fs::exists(folder.Path() / "notes.txt"));
}

TEST(LogFileCollector, KeepsNoMoreThanTheFileCountLimit)
{
    Testing::TempFolder folder;
    const unsigned long ended = EndedProcessId();
    for (int i = 1; i <= 6; ++i)
        Testing::WriteFile(folder.Path() / LogName(std::to_string(i), "prog", ended), "x");

    LogFileCollector collector(folder.Path(), L"prog", 999999, 1 << 20, 0, 3);
    EXPECT_EQ(collector.scan_for_files(boost::log::sinks::file::scan_matching), 6u);
    const std::string mine = LogName("7", "prog", 999999);
    Testing::WriteFile(folder.Path() / mine, "x");
    collector.store_file(folder.Path() / mine);

    // The file this run opens next is the third.
    const auto left = Testing::FilesIn(folder.Path());
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].filename().string(), LogName("6", "prog", ended));
    EXPECT_EQ(left[1].filename().string(), mine);
}

TEST(LogFileCollector, MakesRoomAtStartCountingTheFilesOfRunsStillGoing)
{
    Testing::TempFolder folder;
    SleepingProcess running;
    const unsigned long ended = EndedProcessId();
    for (int i = 1; i <= 4; ++i)
        Testing::WriteFile(folder.Path() / LogName(std::to_string(i), "sleep", ended), std::string(100, 'x'));
    const std::string live = LogName("5", "sleep", running.Id());
    Testing::WriteFile(folder.Path() / live, "x");

    // Four files at most: the running one, this run's next one and two old ones.
    LogFileCollector collector(folder.Path(), L"sleep", 999999, 1 << 20, 0, 4);
    collector.scan_for_files(boost::log::sinks::file::scan_matching);

    const auto left = Testing::FilesIn(folder.Path());
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0].filename().string(), LogName("3", "sleep", ended));
    EXPECT_EQ(left[2].filename().string(), live);
}

TEST(LogFileCollector, LowOnSpaceDeletesEarlierRunsButNeverThisRunsFiles)
{
    Testing::TempFolder folder;
    const unsigned long ended = EndedProcessId();
    const unsigned long self = 999999;
    const std::string old = LogName("1", "prog", ended);
    const std::string mineFirst = LogName("2", "prog", self), mineSecond = LogName("3", "prog", self);
    for (const auto& name : {old, mineFirst, mineSecond})
        Testing::WriteFile(folder.Path() / name, "x");

    // No disk has this much free space.
    LogFileCollector collector(folder.Path(), L"prog", self, 1 << 20, UINT64_MAX, 50);
    collector.store_file(folder.Path() / mineSecond);

    EXPECT_FALSE(fs::exists(folder.Path() / old));
    EXPECT_TRUE(fs::exists(folder.Path() / mineFirst));
    EXPECT_TRUE(fs::exists(folder.Path() / mineSecond));
}

TEST(LogFileCollector, AMissingFolderIsNoError)
{
    Testing::TempFolder folder;
    LogFileCollector collector(folder.Path() / "absent", L"prog", 1, 1000, 0, 50);
    EXPECT_EQ(collector.scan_for_files(boost::log::sinks::file::scan_matching), 0u);
}
