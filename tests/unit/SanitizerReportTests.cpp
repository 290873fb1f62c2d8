#include "support/ProgramRun.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>

// What a program run by a test reports fails that test, even when the program's exit
// status is what the test expects.
TEST(SanitizerReports, AReportOfAChildProcessFailsTheTest)
{
    if (std::getenv("ASAN_OPTIONS") == nullptr)
        GTEST_SKIP() << "the children get the sanitizer options of the test run (scripts/asan-tests.sh)";

    struct Case
    {
        const char* fault;
        const char* report;
    } cases[] = {
        {"leak", "LeakSanitizer: detected memory leaks"},
        {"heap", "AddressSanitizer: heap-use-after-free"},
        {"overflow", "runtime error: signed integer overflow"},
    };
    for (const Case& c : cases)
        EXPECT_NONFATAL_FAILURE(Testing::RunProgram(KORVANE_SANITIZER_FAULT, {c.fault}, {}), c.report);

    const auto clean = Testing::RunProgram(KORVANE_SANITIZER_FAULT, {}, {});
    EXPECT_TRUE(clean.exited && clean.exitStatus == 0);
}
