#include "common/UrlParams.h"
#include "support/Fifo.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"
#include "support/UtcDate.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(UrlParams, FifosInPlaceOfTheOptionFilesGiveTheDefaults)
{
    Testing::TempFolder data;
    Testing::TempFolder config;
    Testing::ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", data.Path().string()).Set("XDG_CONFIG_HOME", config.Path().string());
    Testing::LogCapture log;
    const auto suite = data.Path() / "korvane" / "korvane antivirus";
    const std::vector<boost::filesystem::path> fifos = {
        suite / "Options" / "lang", suite / "Options" / "Partner.xml", suite / "Options" / "tr.xml",
        suite / "Statistics" / "installation",
        config.Path() / "korvane" / "korvane antivirus" / "Options" / "FirstRun"};
    for (const auto& fifo : fifos)
        Testing::MakeFifo(fifo);

    const std::wstring before = Testing::TodayUtc();
    const std::wstring params = Testing::WithoutWaitingOn(fifos, [] { return UrlParams::Get(68, 5); });
    const std::wstring after = Testing::TodayUtc();
    // The marker's times are those of the FIFO itself, made just now.
    const std::wstring expected = L"&culture=en&utm_source=app0000&utm_medium=med0001&utm_campaign=cam00001&time=5"
                                  L"&InstallDate=%&mvt-inter=korvane&IGUID=&version=12.10.151.0&lang=en";
    const std::size_t mark = expected.find(L'%');
    EXPECT_TRUE(params == expected.substr(0, mark) + before + expected.substr(mark + 1) ||
                params == expected.substr(0, mark) + after + expected.substr(mark + 1))
        << testing::PrintToString(params);
    for (const auto& fifo : fifos)
        EXPECT_EQ(boost::filesystem::status(fifo).type(), boost::filesystem::fifo_file) << fifo;
}
