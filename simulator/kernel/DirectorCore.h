#pragma once

#include "simulator/kernel/Configuration.h"
#include "simulator/kernel/DirectorSignals.h"
#include "simulator/kernel/KernelThreads.h"
#include "simulator/kernel/RunScript.h"

#include <boost/intrusive_ptr.hpp>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace Log
{
class Logger;
}

namespace KernelSimulator
{
// The working part of the director: detection, runs and their answers, each on a
// kernel thread. Every kernel thread holds the core, so a thread that outlives the
// director object (its handler dropped the last reference) still finds what it uses.
class DirectorCore : public std::enable_shared_from_this<DirectorCore>
{
public:
    DirectorCore(Configuration configuration, std::shared_ptr<Log::Logger> logger,
                 boost::intrusive_ptr<DirectorSignals> signals);
    ~DirectorCore();

    DirectorCore(const DirectorCore&) = delete;
    DirectorCore& operator=(const DirectorCore&) = delete;

    void Init();
    void WaitForInit();
    void SetScenario(std::int32_t scenario);
    std::int32_t GetScenario();
    void Start();
    void WaitForCompletion();
    void Interrupt();

    // The director is going: runs stop without further events, waits return, and every
    // kernel thread but the calling one is joined.
    void Close();

private:
    enum class Role
    {
        Answer,
        Init,
        Run
    };

    bool Launch(Role role, std::function<void()> work);
    void Detect();
    void Run(std::int32_t scenario);
    void Perform(const Step& step);
    // The progress_events run: positions 0, 1, 2, ... at the configured rate. False when
    // the run is to end early (as Proceed).
    bool RaiseProgressEvents();
    // False when the run is to end here: the director is going, or an interrupt came
    // (Interrupted is raised then). With `last`, the run can no longer be interrupted.
    bool Proceed(bool last);
    // False when the pause was cut short.
    bool Pause(std::uint32_t units, bool interruptible);
    void InitDone();
    void RunDone(bool run);
    void Crash(std::uint32_t threads);
    bool IsOwnThread(Role role) const;

    const Configuration configuration_;
    const std::shared_ptr<Log::Logger> logger_;
    const boost::intrusive_ptr<DirectorSignals> signals_;

    std::mutex mutex_;
    std::condition_variable changed_;
    bool closing_ = false;
    std::int32_t scenario_ = 0; // Unknown until detected or set
    std::uint64_t initsStarted_ = 0;
    std::uint64_t initsDone_ = 0;
    std::uint64_t runsStarted_ = 0; // runs and the disk/busy answers to Start
    std::uint64_t runsDone_ = 0;
    std::uint32_t diskFullLeft_;
    std::uint32_t busyLeft_;
    bool runActive_ = false; // a run thread is at work
    bool runEnding_ = false; // ... and past its last chance of an interrupt
    bool interruptRequested_ = false;
    // The last Start was answered with a full disk or another installation: the request
    // waits for the user's Retry (Start) or Cancel (Interrupt).
    bool startRefused_ = false;

    KernelThreads threads_; // last: joined before the rest goes
};
}
