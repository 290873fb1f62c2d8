#include "app/ProgramArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace KorvaneUpdater;

namespace
{
struct Arguments
{
    explicit Arguments(std::vector<std::string> values) : strings(std::move(values))
    {
        for (auto& s : strings)
            pointers.push_back(s.data());
        pointers.push_back(nullptr);
    }
    int Count() const { return static_cast<int>(strings.size()); }
    char** Values() { return pointers.data(); }

    std::vector<std::string> strings;
    std::vector<char*> pointers;
};
}

TEST(ProgramArguments, SilentSwitchMustMatchExactly)
{
    struct Case
    {
        std::vector<std::string> arguments;
        bool silent;
    } cases[] = {
        {{"korvaneupdater"}, false},
        {{"korvaneupdater", "--silent"}, true},
        {{"korvaneupdater", "a", "--silent", "b"}, true},
        {{"korvaneupdater", "--silent", "--silent"}, true},
        {{"--silent"}, true},
        {{"korvaneupdater", "--SILENT"}, false},
        {{"korvaneupdater", "--silent=1"}, false},
        {{"korvaneupdater", "x--silent"}, false},
        {{"korvaneupdater", "/silent"}, false},
        {{"korvaneupdater", "--silen"}, false},
    };
    for (const Case& c : cases)
    {
        Arguments arguments(c.arguments);
        EXPECT_EQ(HasSilentSwitch(arguments.Count(), arguments.Values()), c.silent) << testing::PrintToString(c.arguments);
    }
}

TEST(ProgramArguments, CommandLineTextEndsEachArgumentWithABlank)
{
    Arguments none({"korvaneupdater"});
    EXPECT_EQ(CommandLineText(none.Count(), none.Values()), "");
    Arguments some({"korvaneupdater", "--silent", "two words"});
    EXPECT_EQ(CommandLineText(some.Count(), some.Values()), "--silent two words ");
}
