#include "common/LocalizationOptions.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

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
