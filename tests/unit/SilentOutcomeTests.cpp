#include "app/SilentOutcome.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using KorvaneUpdater::SilentOutcome;

TEST(SilentOutcome, ExitCodesFollowInstallerConventions)
{
    using Step = std::function<void(SilentOutcome&)>;
    const Step install = [](SilentOutcome& o) { o.ScenarioDetected(5); };
    const Step complete = [](SilentOutcome& o) { o.Complete(); };
    const Step error = [](SilentOutcome& o) { o.Error(); };
    const Step interrupted = [](SilentOutcome& o) { o.Interrupted(); };
    const Step disk = [](SilentOutcome& o) { o.NotEnoughDiskSpace(); };
    const Step busy = [](SilentOutcome& o) { o.AnotherInstallationInProgress(); };
    const auto scenario = [](int s) { return Step([s](SilentOutcome& o) { o.ScenarioDetected(s); }); };

    struct Case
    {
        const char* name;
        std::vector<Step> steps;
        bool reboot;
        int code;
    } cases[] = {
        {"completed", {install, complete}, false, 0},
        {"completed, reboot needed", {install, complete}, true, 3010},
        {"latest version", {scenario(4)}, true, 0},
        {"interrupted", {install, interrupted}, false, 1602},
        {"already started", {scenario(10)}, false, 1618},
        {"another installation", {install, busy}, false, 1618},
        {"error", {install, error}, false, 1603},
        {"error is not undone by complete", {install, error, complete}, false, 1603},
        {"disk full", {install, disk}, false, 1603},
        {"reboot required first", {scenario(1)}, false, 1603},
        {"change", {scenario(13)}, false, 1603},
        {"unknown number", {scenario(18)}, false, 1603},
        {"run never ended", {install}, false, 1603},
        {"nothing detected", {}, false, 1603},
    };
    for (const Case& c : cases)
    {
        SilentOutcome outcome;
        for (const Step& step : c.steps)
            step(outcome);
        EXPECT_EQ(outcome.ExitCode(c.reboot), c.code) << c.name;
    }
}

TEST(SilentOutcome, SilentRunScenarios)
{
    const std::vector<int> runs = {2, 3, 5, 6, 7, 8, 9, 11, 12, 15, 16};
    for (int s = -1; s <= 18; ++s)
    {
        const bool expected = std::find(runs.begin(), runs.end(), s) != runs.end();
        EXPECT_EQ(KorvaneUpdater::IsSilentRunScenario(s), expected) << s;
    }
}
