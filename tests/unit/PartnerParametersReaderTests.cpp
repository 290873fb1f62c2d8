#include "common/PartnerParametersReader.h"
#include "support/LogCapture.h"
#include "support/SuiteHome.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace KorvaneWebInstallerKernel;

namespace
{
class PartnerParametersReaderTest : public testing::Test
{
protected:
    boost::filesystem::path Options() const { return home_.Data() / "korvane" / "korvane antivirus" / "Options"; }
    boost::filesystem::path PartnerFile() const { return Options() / "Partner.xml"; }
    boost::filesystem::path TrackingFile() const { return Options() / "tr.xml"; }

    Testing::SuiteHome home_;
    Testing::LogCapture log_;
};

using Params = std::map<std::wstring, std::wstring>;

// UTF-16 little endian with a byte-order mark, as a Windows editor saves it.
std::string Utf16Le(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii)
    {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}
}

TEST_F(PartnerParametersReaderTest, GetTakesTheFirstMatchAnywhereInTheDocument)
{
    struct Case
    {
        const char* name;
        std::string document;
        const wchar_t* value;
    } cases[] = {
        {"two elements: the first wins",
         R"(<params><value name="partner" data="first"/><value name="partner" data="second"/></params>)",
         L"first"},
        {"nested deeper than the document element",
         R"(<a><b><c><value name="partner" data="deep"/></c></b><value name="partner" data="late"/></a>)", L"deep"},
        {"the document element itself", R"(<value name="partner" data="top"/>)", L"top"},
        {"other names and other elements skipped",
         R"(<p><item name="partner" data="no"/><value name="Partner" data="no"/><value name="partner" data="yes"/></p>)",
         L"yes"},
        {"references and attribute white space",
         "<p><value name=\"partner\" data=\"a&amp;b&#x20;c&#233;\td\"/></p>", L"a&b c\u00e9 d"},
        {"UTF-8 text", "<p><value name=\"partner\" data=\"\xC3\xA4\xE2\x82\xAC\"/></p>", L"\u00e4\u20ac"},
        {"UTF-16 file", Utf16Le(R"(<p><value name="partner" data="wide"/></p>)"), L"wide"},
        {"no data attribute", R"(<p><value name="partner"/></p>)", L""},
        {"no such element", R"(<p><value name="other" data="x"/></p>)", L""},
        {"not well-formed", R"(<p><value name="partner" data="x"></p>)", L""},
        {"empty file", "", L""},
    };
    for (const Case& c : cases)
    {
        Testing::WriteFile(PartnerFile(), c.document);
        EXPECT_EQ(PartnerParametersReader::Get(L"partner"), c.value) << c.name;
    }
    EXPECT_EQ(log_.Text(), "") << "a broken or unmatched file is not logged";
}

TEST_F(PartnerParametersReaderTest, GetWithoutAFileLogsThePath)
{
    EXPECT_EQ(PartnerParametersReader::Get(L"partner"), L"");
    EXPECT_NE(log_.Text().find("[error]"), std::string::npos);
    EXPECT_NE(log_.Text().find("]: Partner config not found. Path=" + PartnerFile().string() + "\n"),
              std::string::npos)
        << log_.Text();
}

TEST_F(PartnerParametersReaderTest, GetWithANameThatBreaksTheQueryLogsTheError)
{
    Testing::WriteFile(PartnerFile(), R"(<p><value name="partner" data="x"/></p>)");
    EXPECT_EQ(PartnerParametersReader::Get(L"it's"), L"");
    EXPECT_NE(log_.Text().find("]: failed to read partner parameter. parameter name=it's. error="), std::string::npos)
        << log_.Text();
}

TEST_F(PartnerParametersReaderTest, GetInternalReadsTheChildrenOfRoot)
{
    struct Case
    {
        const char* name;
        std::string document;
        Params params;
    } cases[] = {
        {"children of any name",
         R"(<root><value name="cmp" data="1"/><entry name="uid" data="2"/><x name="step" data="3"/></root>)",
         {{L"cmp", L"1"}, {L"uid", L"2"}, {L"step", L"3"}}},
        {"a later duplicate wins",
         R"(<root><value name="cmp" data="old"/><value name="cmp" data="new"/></root>)", {{L"cmp", L"new"}}},
        {"missing attributes read as empty",
         R"(<root><value name="cmp"/><value data="nameless"/><value/></root>)", {{L"cmp", L""}, {L"", L""}}},
        {"grandchildren ignored",
         R"(<root><group name="g" data="1"><value name="inner" data="2"/></group></root>)", {{L"g", L"1"}}},
        {"text, comments and instructions skipped",
         R"(<root>text<!-- c --><?pi x?><value name="a" data="b"/></root>)", {{L"a", L"b"}}},
        {"document element not named root", R"(<Root><value name="cmp" data="1"/></Root>)", {}},
        {"root below another element", R"(<x><root><value name="cmp" data="1"/></root></x>)", {}},
        {"not well-formed", R"(<root><value name="cmp" data="1"></root>)", {}},
    };
    for (const Case& c : cases)
    {
        Testing::WriteFile(TrackingFile(), c.document);
        EXPECT_EQ(PartnerParametersReader::GetInternal(TrackingFile()), c.params) << c.name;
    }
    EXPECT_EQ(log_.Text(), "");
}

TEST_F(PartnerParametersReaderTest, GetInternalWithoutAFileLogsThePath)
{
    EXPECT_TRUE(PartnerParametersReader::GetInternal(TrackingFile()).empty());
    EXPECT_NE(log_.Text().find("]: Partner config not found. Path=" + TrackingFile().string() + "\n"),
              std::string::npos)
        << log_.Text();
}

TEST_F(PartnerParametersReaderTest, AFolderInPlaceOfAFileReadsAsEmpty)
{
    boost::filesystem::create_directories(PartnerFile());
    boost::filesystem::create_directories(TrackingFile());
    EXPECT_EQ(PartnerParametersReader::Get(L"partner"), L"");
    EXPECT_TRUE(PartnerParametersReader::GetInternal(TrackingFile()).empty());
    EXPECT_EQ(log_.Text(), "");
}

TEST_F(PartnerParametersReaderTest, FilesAboveOneMebibyteAreRefusedAndLogged)
{
    constexpr std::size_t kLimit = 1024 * 1024;
    // A document of exactly `size` bytes whose one attribute takes up what is left.
    const auto document = [](const std::string& open, const std::string& close, std::size_t size) {
        return open + std::string(size - open.size() - close.size(), 'a') + close;
    };
    struct Case
    {
        std::size_t size;
        bool read;
    } cases[] = {{kLimit, true}, {kLimit + 1, false}, {50 * kLimit, false}};
    for (const Case& c : cases)
    {
        Testing::WriteFile(PartnerFile(), document(R"(<p><value name="partner" data=")", R"("/></p>)", c.size));
        Testing::WriteFile(TrackingFile(), document(R"(<root><value name="cmp" data=")", R"("/></root>)", c.size));
        const std::size_t before = log_.Text().size();

        EXPECT_EQ(PartnerParametersReader::Get(L"partner").size(), c.read ? c.size - 38 : 0) << c.size;
        const Params params = PartnerParametersReader::GetInternal(TrackingFile());
        EXPECT_EQ(params.empty() ? 0 : params.at(L"cmp").size(), c.read ? c.size - 40 : 0) << c.size;

        const std::string logged = log_.Text().substr(before);
        for (const auto& file : {PartnerFile(), TrackingFile()})
            EXPECT_EQ(logged.find("]: file too large. path=\"" + file.string() + "\". size limit=1048576\n") !=
                          std::string::npos,
                      !c.read)
                << c.size << "\n"
                << logged;
    }
}
