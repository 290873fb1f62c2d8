#include "support/ProgramSandbox.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <signal.h>

using Testing::ProgramSandbox;

TEST(CrashReport, TwoThreadsCrashingAtOnceWriteOneReport)
{
    // A stack overflow is reported from the thread's alternate signal stack.
    for (const std::string kind : {"null", "null", "null", "overflow"})
    {
        SCOPED_TRACE(kind);
        ProgramSandbox sandbox;
        const auto result = sandbox.Run({"--silent"}, "crash=2,step_ms=0,crash_kind=" + kind);
        ASSERT_FALSE(result.exited);
        EXPECT_EQ(result.signal, SIGSEGV);
        const auto reports = Testing::FilesIn(sandbox.CrashesFolder());
        ASSERT_EQ(reports.size(), 1u);
        const std::string report = Testing::ReadFile(reports[0]);
        EXPECT_NE(report.find("application=korvane antivirus updater\n"), std::string::npos) << report;
        EXPECT_NE(report.find("signal=11 (SIGSEGV)\n"), std::string::npos) << report;
        EXPECT_NE(report.find("address=0x"), std::string::npos) << report;
        EXPECT_NE(report.find("backtrace:\n"), std::string::npos) << report;
    }
}

TEST(CrashReport, WithoutTheLibraryTheProcessJustEnds)
{
    ProgramSandbox sandbox(ProgramSandbox::Layout{true, true, false});
    const auto result = sandbox.Run({"--silent"}, "crash=1,step_ms=0");
    ASSERT_FALSE(result.exited);
    EXPECT_EQ(result.signal, SIGSEGV);
    EXPECT_FALSE(boost::filesystem::exists(sandbox.CrashesFolder()));
}
