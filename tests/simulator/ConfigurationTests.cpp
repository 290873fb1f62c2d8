#include "kernel_bridge/Kernel/Scenario.h"
#include "simulator/kernel/Configuration.h"
#include "simulator/kernel/RunScript.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using KernelSimulator::Configuration;
using KernelSimulator::Outcome;
namespace Scenario = KorvaneUpdaterKernel::Scenario;

// All fields in one line, so that a failing case shows every difference at once.
std::string Describe(const Configuration& c)
{
    std::ostringstream out;
    out << "scenario=" << c.scenario << " offer=" << c.offer << " incompatibles=" << c.incompatibles
        << " reboot=" << c.reboot << " language=" << c.language
        << " outcome=" << (c.outcome == Outcome::Error ? "error" : "complete") << " error_text=" << c.errorText
        << " disk_full=" << c.diskFull << " busy=" << c.busy << " step_ms=" << c.stepMs << " journal=" << c.journal
        << " crash=" << c.crash << " progress_events=" << c.progressEvents << " progress_rate=" << c.progressRate
        << " null_export=" << c.nullExport << " interrupt_ms=" << c.interruptMs
        << " crash_kind=" << (c.crashKind == KernelSimulator::CrashKind::StackOverflow ? "overflow" : "null");
    return out.str();
}

struct Case
{
    const char* simulation;
    const char* lang;
    std::function<void(Configuration&)> change; // applied to the defaults
    std::vector<std::string> errors;
};

TEST(SimulatorConfiguration, ParsesKeysAndIgnoresWhatItCannotUse)
{
    const auto none = [](Configuration&) {};
    const std::vector<Case> cases = {
        {nullptr, nullptr, none, {}},
        {"", "de_DE.UTF-8", [](Configuration& c) { c.language = "de"; }, {}},
        {"", "pt_BR", [](Configuration& c) { c.language = "pt"; }, {}},
        {"", "fr", [](Configuration& c) { c.language = "fr"; }, {}},
        {"", "sr_RS@latin", [](Configuration& c) { c.language = "sr"; }, {}},
        {"", "", none, {}},
        {"", "C", none, {}},
        {"", "C.UTF-8", none, {}},
        {"", "POSIX", none, {}},
        {"language=ja", "de_DE.UTF-8", [](Configuration& c) { c.language = "ja"; }, {}},
        {"scenario=UninstallKV11", nullptr, [](Configuration& c) { c.scenario = Scenario::UninstallKV11; }, {}},
        {"scenario=latestversion", nullptr, [](Configuration& c) { c.scenario = Scenario::LatestVersion; }, {}},
        {"scenario=12", nullptr, [](Configuration& c) { c.scenario = 12; }, {}},
        {"scenario=99", nullptr, [](Configuration& c) { c.scenario = 99; }, {}},
        {"scenario=Repair,scenario=Change", nullptr, [](Configuration& c) { c.scenario = Scenario::Change; }, {}},
        {"offer=0", nullptr, [](Configuration& c) { c.offer = 0; }, {}},
        {"incompatibles=1,reboot=1", nullptr, [](Configuration& c) { c.incompatibles = c.reboot = true; }, {}},
        {"outcome=error,error_text=Disk D: is not ready (code 21)", nullptr,
         [](Configuration& c) {
             c.outcome = Outcome::Error;
             c.errorText = "Disk D: is not ready (code 21)";
         },
         {}},
        {"disk_full=2,busy=3,crash=4,step_ms=0", nullptr,
         [](Configuration& c) {
             c.diskFull = 2;
             c.busy = 3;
             c.crash = 4;
             c.stepMs = 0;
         },
         {}},
        {"progress_events=100000,progress_rate=1000", nullptr,
         [](Configuration& c) {
             c.progressEvents = 100000;
             c.progressRate = 1000;
         },
         {}},
        {"null_export=CreateDirector,interrupt_ms=500,crash_kind=overflow", nullptr,
         [](Configuration& c) {
             c.nullExport = "CreateDirector";
             c.interruptMs = 500;
             c.crashKind = KernelSimulator::CrashKind::StackOverflow;
         },
         {}},
        {"crash_kind=segv", nullptr, none, {"bad simulation value. key=crash_kind value=segv"}},
        {"null_export=Init", nullptr, none, {"bad simulation value. key=null_export value=Init"}},
        {"journal=/tmp/kernel journal.txt", nullptr, [](Configuration& c) { c.journal = "/tmp/kernel journal.txt"; }, {}},
        {" scenario = Update ,, step_ms=5 ,", nullptr,
         [](Configuration& c) {
             c.scenario = Scenario::Update;
             c.stepMs = 5;
         },
         {}},
        {"foo=1", nullptr, none, {"unknown simulation key=foo"}},
        {"verbose", nullptr, none, {"unknown simulation key=verbose"}},
        {"step_ms", nullptr, none, {"bad simulation value. key=step_ms value="}},
        {"scenario=Reinstall", nullptr, none, {"bad simulation value. key=scenario value=Reinstall"}},
        {"offer=-1", nullptr, none, {"bad simulation value. key=offer value=-1"}},
        {"reboot=yes", nullptr, none, {"bad simulation value. key=reboot value=yes"}},
        {"outcome=failed", nullptr, none, {"bad simulation value. key=outcome value=failed"}},
        {"language=", nullptr, none, {"bad simulation value. key=language value="}},
        {"busy=-2", nullptr, none, {"bad simulation value. key=busy value=-2"}},
        {"crash=99999999999", nullptr, none, {"bad simulation value. key=crash value=99999999999"}},
        {"progress_events=1e5", nullptr, none, {"bad simulation value. key=progress_events value=1e5"}},
        {"foo=1,step_ms=x,offer=5,disk_full=1ms", nullptr, [](Configuration& c) { c.offer = 5; },
         {"unknown simulation key=foo", "bad simulation value. key=step_ms value=x",
          "bad simulation value. key=disk_full value=1ms"}},
    };

    for (const Case& test : cases)
    {
        SCOPED_TRACE(std::string("KORVANE_SIM=") + (test.simulation ? test.simulation : "<unset>") +
                     " LANG=" + (test.lang ? test.lang : "<unset>"));
        Configuration expected;
        expected.language = "en";
        expected.errorText = KernelSimulator::kDefaultErrorText;
        expected.stepMs = KernelSimulator::DefaultStepMs();
        test.change(expected);

        std::vector<std::string> errors;
        const Configuration parsed = KernelSimulator::ParseConfiguration(test.simulation, test.lang, errors);
        EXPECT_EQ(Describe(parsed), Describe(expected));
        EXPECT_EQ(errors, test.errors);
    }
}

TEST(SimulatorConfiguration, DefaultsMakeAnInstallRunLastAboutTenSeconds)
{
    const std::uint64_t units = KernelSimulator::PauseUnits(KernelSimulator::BuildRunScript(Scenario::Install));
    const std::uint64_t runMs = units * KernelSimulator::DefaultStepMs();
    EXPECT_GE(runMs, 9000u);
    EXPECT_LE(runMs, 10000u);

    std::vector<std::string> errors;
    const Configuration defaults = KernelSimulator::ParseConfiguration(nullptr, nullptr, errors);
    EXPECT_EQ(defaults.scenario, Scenario::Install);
    EXPECT_EQ(defaults.offer, 2);
    EXPECT_EQ(defaults.outcome, Outcome::Complete);
    EXPECT_EQ(defaults.errorText, "Failed to install component AntimalwareEngine. Error code 1603");
}
}
