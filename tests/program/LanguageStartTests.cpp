#include "support/ProgramSandbox.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

using Testing::ProgramSandbox;

TEST(LanguageAtStart, DetectedOnceThenTheSavedChoiceWins)
{
    ProgramSandbox sandbox;
    ASSERT_TRUE(sandbox.Run({"--silent"}, "scenario=LatestVersion,language=de").exited);
    EXPECT_EQ(Testing::ReadFile(sandbox.LangFile()), "1");
    struct stat status{};
    ASSERT_EQ(::stat(sandbox.LangFile().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0666u);
    EXPECT_NE(sandbox.LogText().find("]: language=de\n"), std::string::npos);

    sandbox.ClearJournal();
    ASSERT_TRUE(sandbox.Run({"--silent"}, "scenario=LatestVersion,language=fr").exited);
    EXPECT_EQ(Testing::ReadFile(sandbox.LangFile()), "1");
    EXPECT_NE(sandbox.LogText().find("]: language changed by user. skip language detection\n"), std::string::npos);
    const auto journal = sandbox.JournalLines();
    EXPECT_EQ(std::find(journal.begin(), journal.end(), "call GetLanguage"), journal.end());
}

TEST(LanguageAtStart, TheReportedCodeMustMatchARowExactly)
{
    struct Case
    {
        const char* language;
        const char* saved; // null: nothing saved
    } cases[] = {{"zh", nullptr}, {"DE", nullptr}, {"de_DE", nullptr}, {"src", "16"}, {"th", "21"}};
    for (const Case& c : cases)
    {
        ProgramSandbox sandbox;
        ASSERT_TRUE(sandbox.Run({"--silent"}, std::string("scenario=LatestVersion,language=") + c.language).exited);
        if (c.saved != nullptr)
            EXPECT_EQ(Testing::ReadFile(sandbox.LangFile()), c.saved) << c.language;
        else
            EXPECT_FALSE(boost::filesystem::exists(sandbox.LangFile())) << c.language;
    }
}
