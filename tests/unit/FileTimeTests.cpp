#include "platform/FileTime.h"
#include "platform/LastError.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <thread>

using namespace Platform;

namespace
{
FileTime Now()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    FileTime fileTime = 0;
    UnixTimeToFileTime(now.tv_sec, static_cast<std::uint32_t>(now.tv_nsec), fileTime);
    return fileTime;
}

bool RecordsBirthTime(const boost::filesystem::path& path)
{
    struct statx status{};
    return ::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &status) == 0 && (status.stx_mask & STATX_BTIME) != 0;
}

constexpr FileTime kSecond = 10000000;
}

TEST(FileTime, UnixTimesCountFrom1601)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    struct Case
    {
        std::int64_t seconds;
        std::uint32_t nanoseconds;
        bool valid;
        FileTime fileTime;
    } cases[] = {
        {0, 0, true, 116444736000000000ULL},
        {1559520000, 0, true, 132039936000000000ULL}, // 2019-06-03
        {1, 999999999, true, 116444736019999999ULL},
        {-11644473600, 0, true, 0},
        {-11644473600, 99, true, 0},
        {-11644473601, 999999999, false, 0},
        {0, 1000000000, false, 0},
        {1833029933770LL, 955161500, true, std::numeric_limits<FileTime>::max()},
        {1833029933771LL, 0, false, 0},
        {kMax, 0, false, 0},
        {kMax - 11644473600, 0, false, 0},
        {kMax - 11644473599, 0, false, 0}, // the first second whose sum overflows
        {std::numeric_limits<std::int64_t>::min(), 0, false, 0},
    };
    for (const Case& c : cases)
    {
        FileTime fileTime = 7;
        EXPECT_EQ(UnixTimeToFileTime(c.seconds, c.nanoseconds, fileTime), c.valid) << c.seconds;
        EXPECT_EQ(fileTime, c.valid ? c.fileTime : 7) << c.seconds;
    }
}

TEST(FileTime, CreationIsTheBirthNotTheLastChange)
{
    Testing::TempFolder folder;
    const auto file = folder.Path() / "FirstRun";
    const FileTime before = Now();
    Testing::WriteFile(file, "");
    const FileTime after = Now();

    FileTimes created;
    ASSERT_TRUE(GetFileTimes(file.wstring(), created));
    EXPECT_EQ(GetLastError(), kErrorSuccess);
    // The file system's clock may lag the real-time clock by a tick.
    EXPECT_GE(created.creation, before - kSecond);
    EXPECT_LE(created.creation, after + kSecond);

    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Testing::WriteFile(file, "changed");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    FileTimes changed;
    ASSERT_TRUE(GetFileTimes(file.wstring(), changed));
    EXPECT_GT(changed.lastWrite, created.lastWrite);
    if (RecordsBirthTime(file))
        EXPECT_EQ(changed.creation, created.creation);
    else
        EXPECT_GT(changed.creation, created.creation);
}

TEST(FileTime, OpensFoldersButNotMissingFiles)
{
    Testing::TempFolder folder;
    FileTimes times;
    EXPECT_TRUE(GetFileTimes(folder.Path().wstring(), times));
    EXPECT_NE(times.creation, 0u);

    FileTimes untouched;
    untouched.creation = 1;
    for (const auto& missing : {folder.Path() / "absent", folder.Path() / "absent" / "FirstRun"})
    {
        EXPECT_FALSE(GetFileTimes(missing.wstring(), untouched));
        EXPECT_EQ(GetLastError(), kErrorFileNotFound);
        EXPECT_EQ(untouched.creation, 1u);
    }
}
