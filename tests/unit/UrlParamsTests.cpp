#include "common/UrlParams.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"
#include "support/UtcDate.h"

#include <gtest/gtest.h>

#include <string>

using namespace KorvaneCommon;

namespace
{
constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kTicksPerDay = 86400 * kTicksPerSecond;
// 1 January 1970 as a file time.
constexpr std::uint64_t k1970 = 116444736000000000ULL;
}

TEST(InstallDate, FormatsTheUtcDayOfAFileTime)
{
    struct Case
    {
        std::uint64_t fileTime;
        const wchar_t* date;
    } cases[] = {
        {0, L"16010101"},
        {kTicksPerDay - 1, L"16010101"},
        {kTicksPerDay, L"16010102"},
        {k1970 - 1, L"19691231"},
        {k1970, L"19700101"},
        {k1970 + 1559520000 * kTicksPerSecond, L"20190603"},
        {k1970 + 1559606399 * kTicksPerSecond + 9999999, L"20190603"},
        {k1970 + 951782400 * kTicksPerSecond, L"20000229"},  // a leap day of a 400th year
        {k1970 + 951868800 * kTicksPerSecond, L"20000301"},
        {k1970 + 4107456000ULL * kTicksPerSecond, L"21000228"}, // 2100 has no 29 February
        {k1970 + 4107542400ULL * kTicksPerSecond, L"21000301"},
        {k1970 + 253402300799ULL * kTicksPerSecond, L"99991231"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UrlParams::FormatInstallDate(c.fileTime), c.date) << c.fileTime;
}

TEST(InstallDate, IsTheDayTheFirstRunMarkerWasMade)
{
    Testing::TempFolder config;
    Testing::ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", config.Path().string());
    Testing::LogCapture log;

    EXPECT_EQ(UrlParams::GetInstallDate(), L"");
    EXPECT_NE(log.Text().find("[error]"), std::string::npos);
    EXPECT_NE(log.Text().find("]: couldn't get application installation time\n"), std::string::npos) << log.Text();

    const std::wstring before = Testing::TodayUtc();
    Testing::WriteFile(config.Path() / "korvane" / "korvane antivirus" / "Options" / "FirstRun", "");
    const std::wstring date = UrlParams::GetInstallDate();
    const std::wstring after = Testing::TodayUtc();
    EXPECT_TRUE(date == before || date == after) << testing::PrintToString(date);
}
