#pragma once

#include <atomic>
#include <cstdint>

namespace KorvaneUpdater
{
// What an unattended run came to, gathered from the kernel's events on whatever
// threads they arrive. A worse outcome is never replaced by a better one.
class SilentOutcome
{
public:
    void ScenarioDetected(std::int32_t scenario);
    void NotEnoughDiskSpace();
    void AnotherInstallationInProgress();
    void Interrupted();
    void Error();
    void Complete();

    // True when the run completed and only the reboot question decides the exit code.
    bool Completed() const;
    int ExitCode(bool rebootRequired) const;

private:
    // In rising order of precedence.
    enum State : int
    {
        NotDetected,
        Running,
        NothingToDo,
        Finished,
        Busy,
        Stopped,
        Failed
    };

    void Raise(State state);

    std::atomic<int> state_{NotDetected};
};

// The scenarios that an unattended run goes on to install.
bool IsSilentRunScenario(std::int32_t scenario);
}
