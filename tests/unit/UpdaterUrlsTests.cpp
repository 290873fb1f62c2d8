#include "common/UpdaterUrls.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"
#include "support/UtcDate.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cwchar>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

using KorvaneCommon::UpdaterUrls::GetUlr;

namespace
{
// The parameters when none of the option files exists.
const std::wstring kNoFileParams = L"&culture=en&utm_source=app0000&utm_medium=med0001&utm_campaign=cam00001"
                                   L"&time=0&InstallDate=&mvt-inter=korvane&IGUID=&version=12.10.151.0&lang=en";

// The userflow of every link id with an https address, as the link table lists them.
std::map<int, std::wstring> Userflows()
{
    std::map<int, std::wstring> flows;
    const auto ids = [&flows](std::initializer_list<int> list, const wchar_t* flow) {
        for (const int id : list)
            flows[id] = flow;
    };
    const auto range = [&flows](int first, int last, const wchar_t* flow) {
        for (int id = first; id <= last; ++id)
            flows[id] = flow;
    };
    ids({1, 6, 7, 11, 44}, L"activation");
    ids({2, 3}, L"renew_inapp");
    ids({4, 5, 8, 14, 15, 17}, L"support");
    ids({9}, L"update");
    ids({10, 12, 18, 19, 20, 21, 22, 24}, L"installation");
    ids({13}, L"dotcom");
    ids({16}, L"features");
    ids({23}, L"uninstallation");
    range(26, 38, L"inapp_upgrade");
    range(48, 52, L"inapp_upgrade");
    ids({39}, L"gift");
    range(40, 43, L"social");
    range(68, 89, L"activation");
    ids({91, 92}, L"activation");
    ids({90}, L"installation");
    return flows;
}

std::wstring Lid(int id)
{
    wchar_t text[8];
    std::swprintf(text, 8, L"%03d", id);
    return std::wstring(L"LID=LID") + text;
}

std::wstring Replaced(std::wstring text, const std::wstring& from, const std::wstring& to)
{
    const std::size_t at = text.find(from);
    return at == std::wstring::npos ? text : text.replace(at, from.size(), to);
}

class UpdaterUrlsTest : public testing::Test
{
protected:
    UpdaterUrlsTest()
    {
        environment_.Set("XDG_DATA_HOME", data_.Path().string()).Set("XDG_CONFIG_HOME", config_.Path().string());
    }

    boost::filesystem::path Suite() const { return data_.Path() / "korvane" / "korvane antivirus"; }
    void WriteLang(const std::string& id) const { Testing::WriteFile(Suite() / "Options" / "lang", id); }
    void WritePartner(const std::string& xml) const { Testing::WriteFile(Suite() / "Options" / "Partner.xml", xml); }
    void WriteTracking(const std::string& xml) const { Testing::WriteFile(Suite() / "Options" / "tr.xml", xml); }
    void WriteInstallation(const std::string& hex) const
    {
        Testing::WriteFile(Suite() / "Statistics" / "installation", hex);
    }
    void WriteFirstRun() const
    {
        Testing::WriteFile(config_.Path() / "korvane" / "korvane antivirus" / "Options" / "FirstRun", "");
    }

    Testing::TempFolder data_;
    Testing::TempFolder config_;
    Testing::ScopedEnvironment environment_;
    Testing::LogCapture log_;
};
}

TEST_F(UpdaterUrlsTest, EveryLinkIdOfTheTableAndNoOther)
{
    const std::map<int, std::wstring> flows = Userflows();
    std::vector<int> ids = {INT_MIN, -1, 93, 94, 95, 1000, INT_MAX};
    for (int id = 0; id <= 92; ++id)
        ids.push_back(id);

    for (const int id : ids)
    {
        std::wstring expected;
        if (id == 93)
            expected = L"http://redirect.korvane.com/redirect.php?LID=LID093" + kNoFileParams;
        else if (flows.count(id) != 0)
            expected = L"https://redirect.korvane.com/redirect.php?" + Lid(id) + L"&userflow=" + flows.at(id) +
                       kNoFileParams;
        EXPECT_EQ(GetUlr(id), expected) << id;
    }
    EXPECT_EQ(flows.size(), 73u);
}

TEST_F(UpdaterUrlsTest, AnIdWithoutAnAddressLogsAnEmptyUrlAndReadsNothing)
{
    for (const int id : {0, 25, 45, 47, 53, 67, 94})
        EXPECT_EQ(GetUlr(id, 5), L"") << id;
    const std::string text = log_.Text();
    EXPECT_NE(text.find("[KorvaneCommon::UpdaterUrls::GetUlr]["), std::string::npos) << text;
    EXPECT_NE(text.find("]: get url. lid=25\n"), std::string::npos) << text;
    EXPECT_NE(text.find("]: url=\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("LoadLocale"), std::string::npos) << text;
    EXPECT_EQ(text.find("Partner config"), std::string::npos) << text;
}

TEST_F(UpdaterUrlsTest, ValuesAreReadFromTheLastParameterToTheFirst)
{
    GetUlr(68);
    const std::string text = log_.Text();
    const std::string partnerFile = (Suite() / "Options" / "Partner.xml").string();
    const std::string trackingFile = (Suite() / "Options" / "tr.xml").string();
    const std::vector<std::string> records = {
        "]: get url. lid=68\n",
        "]: LoadLocale called\n",                                  // lang
        "]: Partner config not found. Path=" + partnerFile + "\n", // mvt-inter
        "]: couldn't get application installation time\n",        // InstallDate
        "]: LoadLocale called\n",                                  // culture
        "]: Partner config not found. Path=" + trackingFile + "\n", // tracking parameters
        "]: url=https://redirect.korvane.com/redirect.php?LID=LID068&userflow=activation&culture=en&",
    };
    std::size_t at = 0;
    for (const std::string& record : records)
    {
        at = text.find(record, at);
        ASSERT_NE(at, std::string::npos) << record << "\n" << text;
        ++at;
    }
    EXPECT_EQ(text.find("LoadLocale called", at), std::string::npos) << "the locale is read twice, no more";
}

TEST_F(UpdaterUrlsTest, TheExampleLink)
{
    WriteLang("1");
    WriteFirstRun();
    const std::wstring before = Testing::TodayUtc();
    const std::wstring url = GetUlr(2);
    const std::wstring after = Testing::TodayUtc();

    // The marker was made today; the example shows a marker of 3 June 2019.
    const std::wstring example =
        L"https://redirect.korvane.com/"
        L"redirect.php?LID=LID002&userflow=renew_inapp&culture=de&utm_source=app0000&utm_medium=med0001"
        L"&utm_campaign=cam00001&time=0&InstallDate=20190603&mvt-inter=korvane&IGUID=&version=12.10.151.0&lang=de";
    EXPECT_TRUE(url == Replaced(example, L"20190603", before) || url == Replaced(example, L"20190603", after))
        << testing::PrintToString(url);
}

TEST_F(UpdaterUrlsTest, TheSavedLanguageGivesCultureAndLang)
{
    struct Case
    {
        const char* saved;
        const wchar_t* code;
    } cases[] = {{"1", L"de"}, {"16", L"src"}, {"21", L"th"}, {"30", L"en"}, {"0", L"en"}, {"x", L"en"}};
    for (const Case& c : cases)
    {
        WriteLang(c.saved);
        const std::wstring url = GetUlr(9);
        EXPECT_NE(url.find(std::wstring(L"&culture=") + c.code + L"&utm_source="), std::wstring::npos) << c.saved;
        EXPECT_EQ(url.substr(url.size() - 6 - std::wcslen(c.code)), std::wstring(L"&lang=") + c.code) << c.saved;
    }
}

TEST_F(UpdaterUrlsTest, TheTimeIsWrittenAsASignedNumber)
{
    struct Case
    {
        std::optional<std::uint32_t> time;
        const wchar_t* text;
    } cases[] = {{std::nullopt, L"&time=0&"},
                 {0u, L"&time=0&"},
                 {1559520000u, L"&time=1559520000&"},
                 {2147483648u, L"&time=-2147483648&"},
                 {4294967295u, L"&time=-1&"}};
    for (const Case& c : cases)
        EXPECT_NE(GetUlr(4, c.time).find(c.text), std::wstring::npos) << c.text;
}

TEST_F(UpdaterUrlsTest, PartnerFallsBackToTheVendor)
{
    struct Case
    {
        const char* document;
        const wchar_t* partner;
    } cases[] = {
        {R"(<p><value name="partner" data="acme"/></p>)", L"acme"},
        {R"(<p><value name="partner" data=""/></p>)", L"korvane"},
        {R"(<p><value name="other" data="acme"/></p>)", L"korvane"},
        {"<p>", L"korvane"},
    };
    for (const Case& c : cases)
    {
        WritePartner(c.document);
        EXPECT_NE(GetUlr(10).find(std::wstring(L"&mvt-inter=") + c.partner + L"&IGUID="), std::wstring::npos)
            << c.document;
    }
}

TEST_F(UpdaterUrlsTest, TrackingParametersFromId68OnSortedAndFiltered)
{
    WriteTracking(R"(<root>
        <value name="tracking" data="old"/>
        <value name="mkey2" data="2"/>
        <value name="Key1" data="upper"/>
        <value name="key2" data=""/>
        <value name="campaignid" data="c"/>
        <value name="other" data="o"/>
        <value name="mkey10" data="10"/>
        <entry name="uid" data="u"/>
        <value name="tracking" data="new"/>
    </root>)");
    const std::wstring tracking = L"&campaignid=c&mkey10=10&mkey2=2&tracking=new&uid=u";
    struct Case
    {
        int id;
        bool tracked;
    } cases[] = {{1, false}, {44, false}, {52, false}, {68, true}, {89, true}, {90, true}, {93, true}};
    // 67 is below the tracked ids and has no address at all.
    EXPECT_EQ(GetUlr(67), L"");
    for (const Case& c : cases)
    {
        const std::wstring url = GetUlr(c.id);
        const std::wstring end = L"&lang=en" + std::wstring(c.tracked ? tracking : L"");
        ASSERT_GE(url.size(), end.size()) << c.id;
        EXPECT_EQ(url.substr(url.size() - end.size()), end) << c.id;
    }
}

TEST_F(UpdaterUrlsTest, EveryValueFromTheFilesIsPercentEncoded)
{
    WriteLang("2");
    WriteFirstRun();
    WritePartner(R"(<p><value name="partner" data="Partner &amp; Co #1=2"/></p>)");
    WriteTracking("<root><value name=\"cmp\" data=\"a&amp;b=c d\"/><value name=\"key1\" data=\"\xC3\xA9\"/></root>");
    WriteInstallation("abe441b5a6706d39729ac3dc3441bb94"); // "id/42+x=y"

    const std::wstring before = Testing::TodayUtc();
    const std::wstring url = GetUlr(70, 77);
    const std::wstring after = Testing::TodayUtc();
    const std::wstring expected = L"https://redirect.korvane.com/redirect.php?LID=LID070&userflow=activation"
                                  L"&culture=fr&utm_source=app0000&utm_medium=med0001&utm_campaign=cam00001"
                                  L"&time=77&InstallDate=DATE"
                                  L"&mvt-inter=Partner%20%26%20Co%20%231%3D2&IGUID=id%2F42%2Bx%3Dy"
                                  L"&version=12.10.151.0&lang=fr&cmp=a%26b%3Dc%20d&key1=%C3%A9";
    if (url != Replaced(expected, L"DATE", after))
    {
        EXPECT_EQ(url, Replaced(expected, L"DATE", before));
    }
}
