#include "app/SilentOutcome.h"

#include "app/ExitCode.h"
#include "kernel_bridge/Kernel/Scenario.h"

#include <algorithm>
#include <iterator>

namespace KorvaneUpdater
{
bool IsSilentRunScenario(std::int32_t scenario)
{
    using namespace KorvaneUpdaterKernel::Scenario;
    static constexpr std::int32_t kSilentRun[] = {UninstallKV9, UninstallKV10, UninstallKV11, Install,
                                                  Update, InstallRealTimeProtection, InstallNetworkProtection,
                                                  Uninstall, InstallActiveVirusControl, Repair, Corrupted};
    return std::find(std::begin(kSilentRun), std::end(kSilentRun), scenario) != std::end(kSilentRun);
}

void SilentOutcome::Raise(State state)
{
    int current = state_.load();
    while (current < state && !state_.compare_exchange_weak(current, state))
    {
    }
}

void SilentOutcome::ScenarioDetected(std::int32_t scenario)
{
    using namespace KorvaneUpdaterKernel::Scenario;
    if (IsSilentRunScenario(scenario))
        Raise(Running);
    else if (scenario == LatestVersion)
        Raise(NothingToDo);
    else if (scenario == AlreadyStarted)
        Raise(Busy);
    else
        Raise(Failed);
}

void SilentOutcome::NotEnoughDiskSpace()
{
    Raise(Failed);
}

void SilentOutcome::AnotherInstallationInProgress()
{
    Raise(Busy);
}

void SilentOutcome::Interrupted()
{
    Raise(Stopped);
}

void SilentOutcome::Error()
{
    Raise(Failed);
}

void SilentOutcome::Complete()
{
    Raise(Finished);
}

bool SilentOutcome::Completed() const
{
    return state_.load() == Finished;
}

int SilentOutcome::ExitCode(bool rebootRequired) const
{
    switch (state_.load())
    {
    case NothingToDo:
        return ExitCode::Success;
    case Finished:
        return rebootRequired ? ExitCode::SuccessRebootRequired : ExitCode::Success;
    case Busy:
        return ExitCode::AnotherInstallRunning;
    case Stopped:
        return ExitCode::UserExit;
    default: // failed, or the kernel never got to the end of a run
        return ExitCode::InstallFailure;
    }
}
}
