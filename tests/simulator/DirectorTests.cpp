#include "SimulatorTestSupport.h"
#include "support/ScopedEnvironment.h"

#include "kernel_bridge/Kernel/ComponentId.h"
#include "kernel_bridge/Kernel/Scenario.h"
#include "simulator/kernel/Director.h"
#include "simulator/kernel/Parameters.h"
#include "simulator/kernel/RunScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <set>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace SimulatorTests
{
namespace
{
using KorvaneUpdaterKernel::ComponentId;
namespace Scenario = KorvaneUpdaterKernel::Scenario;

std::string Name(const std::string& event)
{
    return event.substr(0, event.find(' '));
}

double Value(const std::string& event)
{
    return std::stod(event.substr(event.find(' ') + 1));
}

std::size_t Count(const std::vector<std::string>& events, const std::string& text)
{
    return static_cast<std::size_t>(std::count(events.begin(), events.end(), text));
}

std::vector<std::string> Numbers(const std::vector<ComponentId>& components)
{
    std::vector<std::string> numbers;
    for (ComponentId component : components)
        numbers.push_back(std::to_string(static_cast<int>(component)));
    return numbers;
}

// The shape every completed run has, from Started to Complete.
void ExpectCompleteRun(const std::vector<std::string>& run, const std::vector<std::string>& components, bool removal)
{
    ASSERT_FALSE(run.empty());
    EXPECT_EQ(run.front(), "Started");
    EXPECT_EQ(run.back(), "Complete");
    EXPECT_EQ(Count(run, "Complete"), 1u);
    EXPECT_EQ(Count(run, "Interrupted") + Count(run, "Error"), 0u);
    if (removal)
    {
        ASSERT_GE(run.size(), 3u);
        EXPECT_EQ(run[1], "StoppingService");
        EXPECT_EQ(run[2], "ServiceStopped");
    }
    else
    {
        EXPECT_EQ(Count(run, "StoppingService") + Count(run, "ServiceStopped"), 0u);
    }

    std::vector<std::string> seen;
    bool floating = true;
    bool described = false;
    double position = -1;
    double overall = -1;
    for (const std::string& event : run)
    {
        const std::string name = Name(event);
        if (name == "ProgressComponentChanged")
        {
            EXPECT_TRUE(seen.empty() || position == 100) << "component left before 100: " << event;
            seen.push_back(event.substr(name.size() + 1));
            position = -1;
            described = false;
        }
        else if (name == "FloatingProgress")
        {
            EXPECT_EQ(event, "FloatingProgress 0");
            EXPECT_TRUE(floating) << "floating progress ended twice";
            floating = false;
        }
        else if (name == "ProgressDescriptionChanged")
        {
            described = true;
        }
        else if (name == "ProgressPositionChanged")
        {
            EXPECT_FALSE(floating) << "determinate progress while still floating";
            EXPECT_TRUE(described) << "position before any description";
            if (position < 0)
                EXPECT_EQ(Value(event), 0) << "component does not start at 0";
            else
                EXPECT_GE(Value(event), position) << "component position went back";
            position = Value(event);
        }
        else if (name == "ComponentsProgressPositionChanged")
        {
            EXPECT_GT(Value(event), overall) << event;
            overall = Value(event);
        }
    }
    EXPECT_EQ(seen, components);
    EXPECT_EQ(floating, components.empty());
    if (!components.empty())
    {
        EXPECT_EQ(position, 100);
        EXPECT_EQ(overall, 100);
    }
}

TEST_F(SimulatorKernel, EveryScenarioDetectsThenRunsItsComponentsToComplete)
{
    std::vector<std::int32_t> scenarios;
    for (std::int32_t scenario = 0; scenario < Scenario::kCount; ++scenario)
        scenarios.push_back(scenario);
    scenarios.push_back(99);

    for (std::int32_t scenario : scenarios)
    {
        SCOPED_TRACE("scenario " + std::to_string(scenario));
        Open("step_ms=0,scenario=" + std::to_string(scenario));
        director_->Init();
        director_->WaitForInit();
        EXPECT_EQ(events_->Texts(),
                  (std::vector<std::string>{"FloatingProgress 1", "ScenarioDetected " + std::to_string(scenario)}));
        EXPECT_EQ(director_->GetScenario(), scenario);

        events_->Clear();
        director_->Start();
        director_->WaitForCompletion();
        ExpectCompleteRun(events_->Texts(), Numbers(KernelSimulator::ScenarioComponents(scenario)),
                          KernelSimulator::IsRemovalScenario(scenario));
    }
}

TEST(SimulatorRunScript, ComponentListsOfScenarios)
{
    using List = std::vector<ComponentId>;
    EXPECT_EQ(KernelSimulator::ScenarioComponents(Scenario::InstallRealTimeProtection), List{ComponentId::AntimalwareEngine});
    EXPECT_EQ(KernelSimulator::ScenarioComponents(Scenario::InstallNetworkProtection), List{ComponentId::FirewallEngine});
    EXPECT_EQ(KernelSimulator::ScenarioComponents(Scenario::InstallActiveVirusControl), List{ComponentId::AvcEngine});
    for (std::int32_t nothing : {0, 1, 4, 10, 14, 99, -1})
        EXPECT_TRUE(KernelSimulator::ScenarioComponents(nothing).empty()) << nothing;

    const List install = KernelSimulator::ScenarioComponents(Scenario::Install);
    EXPECT_EQ(install.front(), ComponentId::Korvane);
    EXPECT_NE(std::find(install.begin(), install.end(), ComponentId::AntimalwareEngine), install.end());
    EXPECT_EQ(KernelSimulator::ScenarioComponents(Scenario::Uninstall), List(install.rbegin(), install.rend()));

    for (std::int32_t scenario = 0; scenario < Scenario::kCount; ++scenario)
    {
        const bool removal = scenario == Scenario::Uninstall || scenario == Scenario::UninstallKV9 ||
                             scenario == Scenario::UninstallKV10 || scenario == Scenario::UninstallKV11;
        EXPECT_EQ(KernelSimulator::IsRemovalScenario(scenario), removal) << scenario;
    }
}

TEST_F(SimulatorKernel, RunsUseStandardInstallerActions)
{
    Open("step_ms=0,scenario=InstallRealTimeProtection");
    InitAndRun();
    const auto install = events_->Values("ProgressDescriptionChanged");
    EXPECT_EQ(install.front(), "Copying new files");
    EXPECT_NE(std::find(install.begin(), install.end(), "Registering modules"), install.end());
    EXPECT_NE(std::find(install.begin(), install.end(), "Starting services"), install.end());

    Open("step_ms=0,scenario=Uninstall");
    InitAndRun();
    const auto removal = events_->Values("ProgressDescriptionChanged");
    EXPECT_NE(std::find(removal.begin(), removal.end(), "Removing files"), removal.end());
    EXPECT_EQ(std::find(removal.begin(), removal.end(), "Copying new files"), removal.end());
}

TEST_F(SimulatorKernel, ErrorOutcomeEndsTheRunMidwayWithTheText)
{
    Open("step_ms=0,outcome=error,error_text=Disk D: is not ready (code 21)");
    InitAndRun();
    const auto run = events_->Texts();
    ASSERT_FALSE(run.empty());
    EXPECT_EQ(run.front(), "Started");
    EXPECT_EQ(run.back(), "Error Disk D: is not ready (code 21)");
    EXPECT_EQ(Count(run, "Complete"), 0u);
    EXPECT_EQ(Count(run, "Error Disk D: is not ready (code 21)"), 1u);

    // Mid-run: some components done, the failing one part of the way, the rest never begun.
    const auto components = events_->Values("ProgressComponentChanged");
    EXPECT_GT(components.size(), 1u);
    EXPECT_LT(components.size(), KernelSimulator::ScenarioComponents(Scenario::Install).size());
    const auto positions = events_->Values("ProgressPositionChanged");
    ASSERT_FALSE(positions.empty());
    EXPECT_GT(std::stod(positions.back()), 0);
    EXPECT_LT(std::stod(positions.back()), 100);

    // A failed run leaves the director ready for the next one.
    events_->Clear();
    director_->Start();
    director_->WaitForCompletion();
    EXPECT_EQ(events_->Texts().back(), "Error Disk D: is not ready (code 21)");
}

TEST_F(SimulatorKernel, DiskFullAndBusyAnswerTheFirstCallsOfStart)
{
    struct Case
    {
        const char* counts;
        std::vector<std::string> answers; // first event of four calls of Start
    };
    const std::vector<Case> cases = {
        {"disk_full=2", {"NotEnoughDiskSpace", "NotEnoughDiskSpace", "Started", "Started"}},
        {"busy=1", {"AnotherInstallationInProgress", "Started", "Started", "Started"}},
        {"disk_full=1,busy=2", {"NotEnoughDiskSpace", "AnotherInstallationInProgress", "Started", "Started"}},
        {"disk_full=2,busy=1", {"NotEnoughDiskSpace", "NotEnoughDiskSpace", "Started", "Started"}},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.counts);
        Open(std::string("step_ms=0,scenario=LatestVersion,") + test.counts);
        director_->Init();
        director_->WaitForInit();
        for (const std::string& answer : test.answers)
        {
            events_->Clear();
            director_->Start();
            director_->WaitForCompletion();
            const auto events = events_->Texts();
            if (answer == "Started")
                EXPECT_EQ(events, (std::vector<std::string>{"Started", "Complete"}));
            else
                EXPECT_EQ(events, std::vector<std::string>{answer});
        }
    }
}

TEST_F(SimulatorKernel, InterruptStopsTheRunAtItsNextStep)
{
    Open("step_ms=0");
    KorvaneUpdaterKernel::IDirector* director = director_.get();
    std::atomic<bool> interrupted{false};
    boost::signals2::scoped_connection interrupter = signals_->ConnectProgressPositionChanged([&](double position) {
        if (position == 30 && !interrupted.exchange(true))
            director->Interrupt();
    });
    InitAndRun();

    const auto run = events_->Texts();
    const auto at = std::find(run.begin(), run.end(), "ProgressPositionChanged 30");
    ASSERT_NE(at, run.end());
    EXPECT_EQ(std::vector<std::string>(at + 1, run.end()), std::vector<std::string>{"Interrupted"});
    EXPECT_EQ(Count(run, "Complete"), 0u);
}

TEST_F(SimulatorKernel, ProgressEventsReplaceTheStepsAndKeepTheirOrder)
{
    Open("step_ms=0,progress_events=5000");
    InitAndRun();
    const auto run = events_->Texts();
    ASSERT_EQ(run.size(), 5002u);
    EXPECT_EQ(run.front(), "Started");
    EXPECT_EQ(run.back(), "Complete");
    const auto positions = events_->Values("ProgressPositionChanged");
    ASSERT_EQ(positions.size(), 5000u);
    for (std::size_t index = 0; index < positions.size(); ++index)
        ASSERT_EQ(std::stod(positions[index]), static_cast<double>(index));
}

TEST_F(SimulatorKernel, InterruptEndsPacedProgressEvents)
{
    Open("step_ms=0,progress_events=100000,progress_rate=1000");
    director_->Init();
    director_->WaitForInit();
    director_->Start();
    ASSERT_TRUE(events_->WaitFor("ProgressPositionChanged 3"));
    director_->Interrupt();
    director_->WaitForCompletion();
    const auto run = events_->Texts();
    EXPECT_EQ(run.back(), "Interrupted");
    EXPECT_LT(events_->Values("ProgressPositionChanged").size(), 1000u); // paced, not flooded
    EXPECT_EQ(Count(run, "Complete"), 0u);
}

TEST_F(SimulatorKernel, InterruptWakesARunThatIsPausing)
{
    Open("step_ms=3600000,scenario=InstallRealTimeProtection");
    director_->SetScenario(Scenario::InstallRealTimeProtection);
    ASSERT_TRUE(events_->WaitFor("ScenarioDetected 7"));
    director_->Start();
    ASSERT_TRUE(events_->WaitFor("ComponentsProgressPositionChanged 0"));
    director_->Interrupt();
    director_->WaitForCompletion();
    EXPECT_EQ(events_->Texts().back(), "Interrupted");
    EXPECT_EQ(Count(events_->Texts(), "Complete"), 0u);
}

TEST_F(SimulatorKernel, InterruptWithNoRunGoingRaisesNothingUnlessAStartWaitsForAnAnswer)
{
    struct Case
    {
        const char* counts;
        int startsBefore; // calls of Start (each waited for) before Interrupt
        std::vector<std::string> answer;
    };
    const std::vector<Case> cases = {
        {"", 0, {}},
        {"", 1, {}},                                 // the run has completed
        {"busy=1", 1, {"Interrupted"}},              // Cancel on the busy question
        {"disk_full=1", 1, {"Interrupted"}},
        {"busy=1", 2, {}},                           // Retry ran and completed
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(std::string(test.counts) + " starts=" + std::to_string(test.startsBefore));
        Open(std::string("step_ms=0,scenario=LatestVersion,") + test.counts);
        director_->Init();
        director_->WaitForInit();
        for (int i = 0; i < test.startsBefore; ++i)
        {
            director_->Start();
            director_->WaitForCompletion();
        }
        events_->Clear();
        director_->Interrupt();
        if (!test.answer.empty())
        {
            EXPECT_TRUE(events_->WaitFor(test.answer.back()));
        }
        // A second call finds nothing left to stop.
        director_->Interrupt();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(events_->Texts(), test.answer);
    }
}

TEST_F(SimulatorKernel, SetScenarioIsAnsweredWithThatNumberAndRunsIt)
{
    Open("step_ms=0");
    for (std::int32_t scenario : {12, 99, -3, static_cast<int>(Scenario::InstallNetworkProtection)})
    {
        director_->SetScenario(scenario);
        EXPECT_EQ(director_->GetScenario(), scenario);
        EXPECT_TRUE(events_->WaitFor("ScenarioDetected " + std::to_string(scenario)));
    }
    director_->Start();
    director_->WaitForCompletion();
    EXPECT_EQ(events_->Values("ProgressComponentChanged"), Numbers({ComponentId::FirewallEngine}));
}

TEST_F(SimulatorKernel, WaitForInitCoversAHandlerThatRunsTheScenario)
{
    Open("step_ms=1,scenario=InstallRealTimeProtection");
    // Nothing set off yet: both return at once.
    director_->WaitForInit();
    director_->WaitForCompletion();

    KorvaneUpdaterKernel::IDirector* director = director_.get();
    boost::signals2::scoped_connection silent = signals_->ConnectScenarioDetected([director](std::int32_t) {
        director->Start();
        director->WaitForCompletion();
    });
    director_->Init();
    director_->WaitForInit();
    EXPECT_EQ(events_->Texts().back(), "Complete");
}

TEST_F(SimulatorKernel, ReleasingTheDirectorStopsItsWorkAndJoinsItsThreads)
{
    Open("step_ms=3600000");
    director_->Init(); // detection now pauses for hours
    ASSERT_TRUE(events_->WaitFor("FloatingProgress 1"));
    director_->SetScenario(Scenario::Install);
    ASSERT_TRUE(events_->WaitFor("ScenarioDetected 5"));
    director_->Start();
    ASSERT_TRUE(events_->WaitFor("ComponentsProgressPositionChanged 0"));
    const std::set<pid_t> threads = events_->ThreadIds();
    ASSERT_EQ(threads.size(), 3u); // detection, the answer to SetScenario, the run
    EXPECT_GE(std::count_if(threads.begin(), threads.end(), ThreadExists), 2); // detection and the run pause

    const auto before = events_->Texts();
    director_.reset();
    EXPECT_TRUE(WaitUntilGone(threads));
    EXPECT_EQ(events_->Texts(), before) << "events after the director went";
}

TEST_F(SimulatorKernel, LastReleaseInsideAHandlerHandsTheThreadOff)
{
    Open("step_ms=0,scenario=LatestVersion");
    std::atomic<bool> released{false};
    boost::signals2::scoped_connection releaser = signals_->ConnectComplete([&] {
        director_.reset();
        released = true;
    });
    director_->Init();
    director_->WaitForInit();
    director_->Start();
    ASSERT_TRUE(events_->WaitFor("Complete"));
    while (!released)
        std::this_thread::yield();
    EXPECT_TRUE(WaitUntilGone(events_->ThreadIds()));
}

TEST_F(SimulatorKernel, AnswersComeFromTheConfigurationAndObjectsKeepWhatIsSet)
{
    Open("offer=3,reboot=1,incompatibles=1,language=pt");
    EXPECT_TRUE(director_->RebootRequired());
    EXPECT_TRUE(director_->IncompatiblesDetected());
    EXPECT_EQ(director_->GetLanguage(), "pt");
    EXPECT_TRUE(director_->IsWindowsDefenderEnabled());
    EXPECT_TRUE(director_->IsWindowsDefenderInstalled());
    EXPECT_TRUE(director_->IsWindowsFirewallEnabled());
    EXPECT_EQ(director_->GetSignals(), signals_);

    auto options = director_->GetOptions();
    ASSERT_TRUE(options);
    EXPECT_EQ(director_->GetOptions(), options);
    EXPECT_EQ(options->GetInstallDirectory(), boost::filesystem::path("/opt/korvane/korvane antivirus"));
    EXPECT_TRUE(options->GetCreateDesktopShortcut());
    EXPECT_FALSE(options->GetCompatibleInstall() || options->GetRebootRequired() || options->GetRunDesktop() ||
                 options->GetEnableWindowsDefender() || options->GetEnableWindowsFirewall());
    EXPECT_EQ(options->GetView(), L"");

    options->SetInstallDirectory("/srv/kö");
    options->SetCreateDesktopShortcut(false);
    options->SetCompatibleInstall(true);
    options->SetRebootRequired(true);
    options->SetRunDesktop(true);
    options->SetEnableWindowsDefender(true);
    options->SetEnableWindowsFirewall(true);
    options->SetView(L"silent");
    EXPECT_EQ(director_->GetOptions()->GetInstallDirectory(), boost::filesystem::path("/srv/kö"));
    EXPECT_FALSE(options->GetCreateDesktopShortcut());
    EXPECT_TRUE(options->GetCompatibleInstall() && options->GetRebootRequired() && options->GetRunDesktop() &&
                options->GetEnableWindowsDefender() && options->GetEnableWindowsFirewall());
    EXPECT_EQ(options->GetView(), L"silent");

    auto offer = director_->GetTsOffer();
    ASSERT_TRUE(offer);
    EXPECT_EQ(director_->GetTsOffer(), offer);
    EXPECT_EQ(offer->GetHomepageAndSearch(), 3);
    EXPECT_FALSE(offer->GetSkip() || offer->GetChangeHomepage() || offer->GetChangeSearch());
    offer->SetSkip(true);
    offer->SetChangeHomepage(true);
    offer->SetChangeSearch(true);
    EXPECT_TRUE(offer->GetSkip() && offer->GetChangeHomepage() && offer->GetChangeSearch());

    Open("offer=0");
    EXPECT_FALSE(director_->GetTsOffer());
    EXPECT_FALSE(director_->RebootRequired());
    EXPECT_FALSE(director_->IncompatiblesDetected());
}

TEST(SimulatorCrash, CrashThreadsKillTheProcessWithASegmentationFault)
{
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reports the fault itself";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Testing::ScopedEnvironment environment;
            environment.Set("KORVANE_SIM", "crash=3");
            auto director = KernelSimulator::CreateDirector(KernelSimulator::CreateParameters());
            director->Start();
            director->WaitForCompletion();
            std::_Exit(0);
        },
        testing::KilledBySignal(SIGSEGV), "");
}
}
}
