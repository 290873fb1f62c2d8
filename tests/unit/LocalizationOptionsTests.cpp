#include "common/LocalizationOptions.h"
#include "kernel_bridge/LanguageDetection.h"
#include "platform/TextConversion.h"
#include "support/Fifo.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <boost/filesystem/fstream.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <sys/mount.h>
#include <sys/stat.h>

using namespace KorvaneCommon;

namespace
{
class LocalizationOptionsTest : public testing::Test
{
protected:
    LocalizationOptionsTest()
    {
        environment_.Set("XDG_DATA_HOME", data_.Path().string());
    }

    boost::filesystem::path LangFile() const
    {
        return data_.Path() / "korvane" / "korvane antivirus" / "Options" / "lang";
    }

    Testing::TempFolder data_;
    Testing::ScopedEnvironment environment_;
    Testing::LogCapture log_;
};
}

TEST_F(LocalizationOptionsTest, LoadLocaleReadsTheWholeStoredNumber)
{
    struct Case
    {
        const char* content;
        std::size_t id;
        bool error;
    } cases[] = {
        {"7", 7, false},   {"12", 12, false},  {"21", 21, false},  {"305", 305, false},
        {" 3", 3, false},  {"4x", 4, false},   {"", 0, true},      {"abc", 0, true},
        {"-3", 0, true},   {"99999999999999999999999", 0, true},
    };
    for (const Case& c : cases)
    {
        Testing::WriteFile(LangFile(), c.content);
        EXPECT_EQ(LocalizationOptions::LoadLocale(), c.id) << c.content;
    }
    const std::string text = log_.Text();
    EXPECT_NE(text.find("[error]"), std::string::npos);
    EXPECT_NE(text.find("]: invalid stoi argument"), std::string::npos);
    EXPECT_NE(text.find("]: stoi argument out of range"), std::string::npos);
    EXPECT_NE(text.find("]: locale id=305"), std::string::npos);
}

TEST_F(LocalizationOptionsTest, LoadLocaleWithoutAFileIsEnglish)
{
    EXPECT_EQ(LocalizationOptions::LoadLocale(), 0u);
    EXPECT_NE(log_.Text().find("can't open locale file. path=\"" + LangFile().string() + "\""), std::string::npos);
}

TEST_F(LocalizationOptionsTest, SaveLocaleCreatesTheFolderAndOpensTheFileToEveryone)
{
    const mode_t previous = ::umask(022);
    LocalizationOptions::SaveLocale(305);
    LocalizationOptions::SaveLocale(99);
    ::umask(previous);

    EXPECT_EQ(Testing::ReadFile(LangFile()), "99");
    struct stat status{};
    ASSERT_EQ(::stat(LangFile().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0666u);
    EXPECT_EQ(LocalizationOptions::LoadLocale(), 99u);
    EXPECT_NE(log_.Text().find("[KorvaneCommon::LocalizationOptions::SaveLocale]["), std::string::npos);
    EXPECT_NE(log_.Text().find("]: SaveLocale called. locale id=305"), std::string::npos);
}

TEST_F(LocalizationOptionsTest, LoadLocaleReadsOnlyARegularFileOfAFewKiB)
{
    Testing::TempFolder outside;
    enum class Kind
    {
        Content,
        LinkToFile,
        DanglingLink,
        Fifo,
        Folder,
    };
    struct Case
    {
        const char* name;
        Kind kind;
        std::string content;
        std::size_t id;
        const char* logged;
    } cases[] = {
        {"4 KiB", Kind::Content, "7" + std::string(4095, ' '), 7, "]: locale id=7\n"},
        {"one byte more", Kind::Content, "7" + std::string(4096, ' '), 0, "]: file too large. path=\""},
        {"a link to a file", Kind::LinkToFile, "5", 5, "]: locale id=5\n"},
        {"a dangling link", Kind::DanglingLink, "", 0, "]: can't open locale file. path=\""},
        {"a FIFO", Kind::Fifo, "", 0, "]: can't open locale file. path=\""},
        {"a folder", Kind::Folder, "", 0, "]: can't open locale file. path=\""},
    };
    for (const Case& c : cases)
    {
        boost::filesystem::remove_all(LangFile());
        boost::filesystem::create_directories(LangFile().parent_path());
        const auto target = outside.Path() / c.name;
        switch (c.kind)
        {
        case Kind::Content:
            Testing::WriteFile(LangFile(), c.content);
            break;
        case Kind::LinkToFile:
            Testing::WriteFile(target, c.content);
            boost::filesystem::create_symlink(target, LangFile());
            break;
        case Kind::DanglingLink:
            boost::filesystem::create_symlink(target, LangFile());
            break;
        case Kind::Fifo:
            Testing::MakeFifo(LangFile());
            break;
        case Kind::Folder:
            boost::filesystem::create_directory(LangFile());
            break;
        }
        const std::size_t before = log_.Text().size();
        EXPECT_EQ(Testing::WithoutWaitingOn({LangFile()}, [] { return LocalizationOptions::LoadLocale(); }), c.id)
            << c.name;
        const std::string logged = log_.Text().substr(before);
        EXPECT_NE(logged.find(c.logged), std::string::npos) << c.name << "\n" << logged;
        EXPECT_EQ(logged.find("[error]") != std::string::npos, c.kind == Kind::Content && c.id == 0) << c.name;
    }
}

TEST_F(LocalizationOptionsTest, SaveLocaleNeverWritesThroughALink)
{
    Testing::TempFolder outside;
    const auto target = outside.Path() / "created-elsewhere";
    boost::filesystem::create_directories(LangFile().parent_path());
    boost::filesystem::create_symlink(target, LangFile());

    LocalizationOptions::SaveLocale(12);
    EXPECT_FALSE(boost::filesystem::exists(target));
    EXPECT_FALSE(boost::filesystem::is_symlink(LangFile()));
    EXPECT_EQ(Testing::ReadFile(LangFile()), "12");
    EXPECT_EQ(log_.Text().find("[error]"), std::string::npos);

    // A folder in its place cannot be replaced: logged, and nothing is left beside it.
    boost::filesystem::remove(LangFile());
    boost::filesystem::create_directory(LangFile());
    LocalizationOptions::SaveLocale(3);
    EXPECT_TRUE(boost::filesystem::is_directory(LangFile()));
    EXPECT_EQ(Testing::FilesIn(LangFile().parent_path()).size(), 0u);
    EXPECT_NE(log_.Text().find("[error]"), std::string::npos);
    EXPECT_NE(log_.Text().find("]: can't save locale file. path=\"" + LangFile().string() + "\". error=5\n"),
              std::string::npos)
        << log_.Text();
}

TEST_F(LocalizationOptionsTest, SaveLocaleOnAFullDiskKeepsWhatWasThere)
{
    // A tiny file system of its own as the Options folder, filled up.
    const auto options = LangFile().parent_path();
    boost::filesystem::create_directories(options);
    if (::mount("tmpfs", options.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a file system here";
    struct Unmount
    {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{options.string()};
    const auto fill = [&options] {
        boost::filesystem::ofstream filler(options / "filler", std::ios::binary | std::ios::app);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush())
        {
        }
    };

    Testing::WriteFile(LangFile(), "4");
    fill();
    LocalizationOptions::SaveLocale(12);
    EXPECT_EQ(Testing::ReadFile(LangFile()), "4");

    boost::filesystem::remove(LangFile());
    fill();
    LocalizationOptions::SaveLocale(12);
    EXPECT_FALSE(boost::filesystem::exists(LangFile()));
    EXPECT_EQ(Testing::FilesIn(options).size(), 1u) << "only the filler";
    EXPECT_NE(log_.Text().find("]: can't save locale file. path=\"" + LangFile().string() + "\". error=112\n"),
              std::string::npos)
        << log_.Text();
}

TEST(LocalizationOptions, AFolderNameThatIsNotUtf8IsKeptAsItIs)
{
    Testing::TempFolder data;
    Testing::ScopedEnvironment environment;
    const auto folder = data.Path() / "d\xf6";
    environment.Set("XDG_DATA_HOME", folder.string());
    Testing::LogCapture log;
    const auto lang = folder / "korvane" / "korvane antivirus" / "Options" / "lang";

    LocalizationOptions::SaveLocale(7);
    EXPECT_EQ(Testing::ReadFile(lang), "7");
    EXPECT_EQ(LocalizationOptions::LoadLocale(), 7u);
    boost::filesystem::remove(lang);
    EXPECT_EQ(LocalizationOptions::LoadLocale(), 0u);
    // The log is UTF-8 text: the byte shows as U+FFFD there.
    const std::string shown =
        (data.Path() / "d\xef\xbf\xbd" / "korvane" / "korvane antivirus" / "Options" / "lang").string();
    EXPECT_NE(log.Text().find("]: can't open locale file. path=\"" + shown + "\"\n"), std::string::npos) << log.Text();
}

TEST_F(LocalizationOptionsTest, UpdateLanguageKeepsAStoredChoice)
{
    Testing::WriteFile(LangFile(), "4");
    UpdateLanguage();
    EXPECT_EQ(Testing::ReadFile(LangFile()), "4");
    EXPECT_NE(log_.Text().find("language changed by user. skip language detection"), std::string::npos);
    EXPECT_EQ(log_.Text().find("[error]"), std::string::npos);
}

TEST_F(LocalizationOptionsTest, UpdateLanguageWithoutAKernelLogsAndSavesNothing)
{
    // No kernel library lies beside the test program.
    EXPECT_NO_THROW(UpdateLanguage());
    EXPECT_FALSE(boost::filesystem::exists(LangFile()));
    const std::string text = log_.Text();
    EXPECT_NE(text.find("Throw in function"), std::string::npos) << text;
    EXPECT_NE(text.find("[ExceptionHelper::TagError*] = 126"), std::string::npos) << text;
}

TEST(LanguageTable, KeepsItsOrderAndCodes)
{
    const auto languages = GetLanguages();
    ASSERT_EQ(languages.size(), 22u);
    const char* codes[] = {"en", "de", "fr", "es", "it", "ch", "ge", "ru", "pl", "pt", "uk",
                           "hu", "nl", "ja", "hy", "sr", "src", "hr", "id", "be", "tr", "th"};
    for (std::size_t i = 0; i < languages.size(); ++i)
    {
        EXPECT_EQ(languages[i].id, i);
        EXPECT_EQ(languages[i].code, codes[i]);
    }
    EXPECT_EQ(languages[13].nativeName, L"\u65e5\u672c\u8a9e");
    EXPECT_EQ(languages[20].nativeName, L"Tu\u0308rkc\u0327e");
    EXPECT_EQ(languages[12].nativeName, L"Dutch");
    EXPECT_EQ(languages[16].englishName, "Serbian (Cyrillic)");
}

// The page offers some of the program's languages from a list of its own; each of its
// rows must be the program's row of the same locale id, with the same code and name,
// or the page saves one language and the program (and its links) use another.
TEST(LocalizationOptions, EveryLanguageOfThePageIsTheProgramsRowOfTheSameId)
{
    boost::property_tree::ptree page;
    boost::property_tree::read_json(KORVANE_PAGE_LANGUAGES, page);
    const std::vector<LanguageInfo> program = GetLanguages();

    std::set<std::uint64_t> ids;
    std::set<std::string> codes;
    for (const auto& entry : page)
    {
        const auto id = entry.second.get<std::uint64_t>("id");
        const auto code = entry.second.get<std::string>("code");
        SCOPED_TRACE("page row " + code);
        EXPECT_TRUE(ids.insert(id).second) << "id twice";
        EXPECT_TRUE(codes.insert(code).second) << "code twice";
        const auto row = std::find_if(program.begin(), program.end(),
                                      [id](const LanguageInfo& language) { return language.id == id; });
        ASSERT_NE(row, program.end()) << "no program row with id " << id;
        EXPECT_EQ(row->code, code);
        EXPECT_EQ(row->nativeName, Platform::Utf8ToWide(entry.second.get<std::string>("name")));
    }
    EXPECT_EQ(page.size(), 10u);
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.front().second.get<std::string>("code"), "en") << "English, the page's source, comes first";
}
