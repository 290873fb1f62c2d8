#include "simulator/kernel/DirectorCore.h"

#include "kernel_bridge/Kernel/Scenario.h"
#include "simulator/kernel/KernelLog.h"
#include "simulator/kernel/RunScript.h"

#include <chrono>
#include <exception>
#include <thread>
#include <utility>

namespace KernelSimulator
{
namespace
{
// Which director's kernel thread, in which role, the current thread is (if any).
thread_local const void* currentCore = nullptr;
thread_local int currentRole = -1;

template <class Action>
class OnExit
{
public:
    explicit OnExit(Action action) : action_(std::move(action)) {}
    ~OnExit() { action_(); }
    OnExit(const OnExit&) = delete;
    OnExit& operator=(const OnExit&) = delete;

private:
    Action action_;
};

// Lets a number of threads go on together once all of them have arrived.
class Barrier
{
public:
    explicit Barrier(std::uint32_t count) : left_(count) {}

    void ArriveAndWait()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (left_ > 0 && --left_ == 0)
            arrived_.notify_all();
        // A thread that could not be made must not keep the others waiting for ever.
        arrived_.wait_for(lock, std::chrono::seconds(5), [this] { return left_ == 0; });
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::uint32_t left_;
};

// Read at run time, so the write below is a real store to address zero.
int* volatile crashTarget = nullptr;

// The null check of the undefined-behaviour sanitizer would end the process before the
// store; the crash must reach the program's crash handling as it does without it.
[[gnu::noinline]] __attribute__((no_sanitize("null"))) void WriteThroughNull()
{
    *crashTarget = 1;
}

// Read at run time, so that the recursion below has a way out as far as the compiler knows.
volatile bool keepRecursing = true;

// Recurses until the thread's stack is gone; the frame's buffer keeps the compiler from
// turning the recursion into a loop.
[[gnu::noinline]] int OverflowStack(int depth)
{
    volatile char frame[1024];
    frame[depth % sizeof frame] = static_cast<char>(depth);
    return keepRecursing ? OverflowStack(depth + 1) + frame[0] : 0;
}

std::wstring ScenarioText(std::int32_t scenario)
{
    const wchar_t* name = KorvaneUpdaterKernel::Scenario::Name(scenario);
    return name != nullptr ? std::wstring(name) : std::to_wstring(scenario);
}
}

DirectorCore::DirectorCore(Configuration configuration, std::shared_ptr<Log::Logger> logger,
                           boost::intrusive_ptr<DirectorSignals> signals)
    : configuration_(std::move(configuration)),
      logger_(std::move(logger)),
      signals_(std::move(signals)),
      diskFullLeft_(configuration_.diskFull),
      busyLeft_(configuration_.busy)
{
}

DirectorCore::~DirectorCore() = default;

void DirectorCore::Init()
{
    KERNEL_LOG(logger_, Log::Level::Info, L"init");
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++initsStarted_;
    }
    if (!Launch(Role::Init, [this] { Detect(); }))
        InitDone();
}

void DirectorCore::WaitForInit()
{
    if (IsOwnThread(Role::Init))
    {
        KERNEL_LOG(logger_, Log::Level::Warning, L"wait for init on the init thread; not waiting");
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t target = initsStarted_;
    changed_.wait(lock, [&] { return closing_ || initsDone_ >= target; });
}

void DirectorCore::SetScenario(std::int32_t scenario)
{
    KERNEL_LOG(logger_, Log::Level::Info, L"set scenario=" << scenario);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        scenario_ = scenario;
    }
    Launch(Role::Answer, [this, scenario] {
        KERNEL_LOG(logger_, Log::Level::Info, L"scenario detected=" << scenario);
        signals_->RaiseScenarioDetected(scenario);
    });
}

std::int32_t DirectorCore::GetScenario()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return scenario_;
}

void DirectorCore::Start()
{
    KERNEL_LOG(logger_, Log::Level::Info, L"start");
    if (configuration_.crash > 0)
    {
        Crash(configuration_.crash);
        return;
    }

    enum class Answer
    {
        Run,
        DiskFull,
        Busy
    };
    Answer answer = Answer::Run;
    std::int32_t scenario = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // Both counts are of calls of Start; a full disk is found first.
        const bool diskFull = diskFullLeft_ > 0;
        const bool busy = busyLeft_ > 0;
        diskFullLeft_ -= diskFull ? 1 : 0;
        busyLeft_ -= busy ? 1 : 0;
        answer = diskFull ? Answer::DiskFull : (busy || runActive_) ? Answer::Busy : Answer::Run;
        ++runsStarted_;
        startRefused_ = answer != Answer::Run;
        if (answer == Answer::Run)
        {
            runActive_ = true;
            runEnding_ = false;
            interruptRequested_ = false;
        }
        scenario = scenario_;
    }

    bool launched = false;
    switch (answer)
    {
    case Answer::Run:
        launched = Launch(Role::Run, [this, scenario] { Run(scenario); });
        break;
    case Answer::DiskFull:
        KERNEL_LOG(logger_, Log::Level::Info, L"not enough disk space");
        launched = Launch(Role::Run, [this] {
            OnExit done([this] { RunDone(false); });
            signals_->RaiseNotEnoughDiskSpace();
        });
        break;
    case Answer::Busy:
        KERNEL_LOG(logger_, Log::Level::Info, L"another installation in progress");
        launched = Launch(Role::Run, [this] {
            OnExit done([this] { RunDone(false); });
            signals_->RaiseAnotherInstallationInProgress();
        });
        break;
    }
    if (!launched)
        RunDone(answer == Answer::Run);
}

void DirectorCore::WaitForCompletion()
{
    if (IsOwnThread(Role::Run))
    {
        KERNEL_LOG(logger_, Log::Level::Warning, L"wait for completion on the run thread; not waiting");
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t target = runsStarted_;
    changed_.wait(lock, [&] { return closing_ || runsDone_ >= target; });
}

void DirectorCore::Interrupt()
{
    KERNEL_LOG(logger_, Log::Level::Info, L"interrupt");
    bool running = false;
    bool refused = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        running = runActive_ && !runEnding_;
        if (running)
            interruptRequested_ = true;
        refused = !running && startRefused_;
        startRefused_ = false;
    }
    if (running)
    {
        changed_.notify_all();
        return;
    }
    // A run that has ended, or none at all, leaves nothing to stop. A start that was
    // refused is given up, which ends the wizard's run as an interruption.
    if (!refused)
    {
        KERNEL_LOG(logger_, Log::Level::Info, L"nothing to interrupt");
        return;
    }
    Launch(Role::Answer, [this] {
        KERNEL_LOG(logger_, Log::Level::Info, L"interrupted");
        signals_->RaiseInterrupted();
    });
}

void DirectorCore::Close()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    threads_.Close();
}

bool DirectorCore::Launch(Role role, std::function<void()> work)
{
    try
    {
        auto job = [self = shared_from_this(), role, work = std::move(work)] {
            currentCore = self.get();
            currentRole = static_cast<int>(role);
            try
            {
                work();
            }
            catch (const std::exception& error)
            {
                KERNEL_LOG(self->logger_, Log::Level::Error, "kernel thread failed. error=" << error.what());
            }
            catch (...)
            {
                KERNEL_LOG(self->logger_, Log::Level::Error, L"kernel thread failed. error=unknown");
            }
            currentCore = nullptr;
            currentRole = -1;
        };
        if (threads_.Start(std::move(job)))
            return true;
        KERNEL_LOG(logger_, Log::Level::Warning, L"director closing; no new kernel thread");
    }
    catch (const std::exception& error)
    {
        KERNEL_LOG(logger_, Log::Level::Error, "cannot start a kernel thread. error=" << error.what());
    }
    return false;
}

bool DirectorCore::IsOwnThread(Role role) const
{
    return currentCore == this && currentRole == static_cast<int>(role);
}

void DirectorCore::Detect()
{
    OnExit done([this] { InitDone(); });
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closing_)
            return;
    }
    signals_->RaiseFloatingProgress(true);
    if (!Pause(kDetectionPauseUnits, false))
        return;

    const std::int32_t scenario = configuration_.scenario;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closing_)
            return;
        scenario_ = scenario;
    }
    KERNEL_LOG(logger_, Log::Level::Info, L"scenario detected=" << scenario);
    signals_->RaiseScenarioDetected(scenario);
}

void DirectorCore::Run(std::int32_t scenario)
{
    OnExit done([this] { RunDone(true); });
    const RunScript script = BuildRunScript(scenario);
    KERNEL_LOG(logger_, Log::Level::Info, L"run started. scenario=" << ScenarioText(scenario));
    if (!Proceed(false))
        return;
    signals_->RaiseStarted();

    if (configuration_.progressEvents > 0)
    {
        if (!RaiseProgressEvents() || !Proceed(true))
            return;
        KERNEL_LOG(logger_, Log::Level::Info, L"run complete");
        signals_->RaiseComplete();
        return;
    }

    const bool failing = configuration_.outcome == Outcome::Error;
    for (std::size_t index = 0;; ++index)
    {
        const bool failsHere = failing && index == script.failAt;
        const bool end = index == script.steps.size();
        if (!Proceed(failsHere || end))
            return;
        if (failsHere)
        {
            KERNEL_LOG(logger_, Log::Level::Info, "run failed. error=" << configuration_.errorText);
            signals_->RaiseError(configuration_.errorText);
            return;
        }
        if (end)
            break;
        Perform(script.steps[index]);
    }
    KERNEL_LOG(logger_, Log::Level::Info, L"run complete");
    signals_->RaiseComplete();
}

bool DirectorCore::RaiseProgressEvents()
{
    const std::uint64_t rate = configuration_.progressRate;
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t index = 0; index < configuration_.progressEvents; ++index)
    {
        if (rate > 0)
        {
            const auto due = start + std::chrono::microseconds(index * 1000000 / rate);
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait_until(lock, due, [&] { return closing_ || interruptRequested_; });
        }
        if (!Proceed(false))
            return false;
        signals_->RaiseProgressPositionChanged(static_cast<double>(index));
    }
    return true;
}

void DirectorCore::Perform(const Step& step)
{
    switch (step.kind)
    {
    case Step::Kind::StoppingService:
        KERNEL_LOG(logger_, Log::Level::Info, L"stopping service");
        signals_->RaiseStoppingService();
        break;
    case Step::Kind::ServiceStopped:
        KERNEL_LOG(logger_, Log::Level::Info, L"service stopped");
        signals_->RaiseServiceStopped();
        break;
    case Step::Kind::Component:
        KERNEL_LOG(logger_, Log::Level::Info,
                   L"component=" << KorvaneUpdaterKernel::ComponentToString(
                                        static_cast<KorvaneUpdaterKernel::ComponentId>(step.component)));
        signals_->RaiseProgressComponentChanged(step.component);
        break;
    case Step::Kind::FloatingProgress:
        signals_->RaiseFloatingProgress(false);
        break;
    case Step::Kind::Description:
        signals_->RaiseProgressDescriptionChanged(step.description);
        break;
    case Step::Kind::Position:
        signals_->RaiseProgressPositionChanged(step.position);
        break;
    case Step::Kind::ComponentsPosition:
        signals_->RaiseComponentsProgressPositionChanged(step.position);
        break;
    case Step::Kind::Pause:
        Pause(step.pauseUnits, true);
        break;
    }
}

bool DirectorCore::Proceed(bool last)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (closing_)
    {
        lock.unlock();
        KERNEL_LOG(logger_, Log::Level::Info, L"run abandoned; the director is going");
        return false;
    }
    if (interruptRequested_)
    {
        runEnding_ = true;
        lock.unlock();
        // Undoing what the run did may take a while.
        std::this_thread::sleep_for(std::chrono::milliseconds(configuration_.interruptMs));
        KERNEL_LOG(logger_, Log::Level::Info, L"run interrupted");
        signals_->RaiseInterrupted();
        return false;
    }
    if (last)
        runEnding_ = true;
    return true;
}

bool DirectorCore::Pause(std::uint32_t units, bool interruptible)
{
    const std::chrono::milliseconds duration(static_cast<std::uint64_t>(units) * configuration_.stepMs);
    std::unique_lock<std::mutex> lock(mutex_);
    return !changed_.wait_for(lock, duration, [&] { return closing_ || (interruptible && interruptRequested_); });
}

void DirectorCore::InitDone()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++initsDone_;
    }
    changed_.notify_all();
}

void DirectorCore::RunDone(bool run)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++runsDone_;
        if (run)
        {
            runActive_ = false;
            runEnding_ = true;
        }
    }
    changed_.notify_all();
}

void DirectorCore::Crash(std::uint32_t threads)
{
    // The run never ends: WaitForCompletion waits for the crash.
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++runsStarted_;
    }
    auto barrier = std::make_shared<Barrier>(threads);
    const bool overflow = configuration_.crashKind == CrashKind::StackOverflow;
    for (std::uint32_t i = 0; i < threads; ++i)
    {
        Launch(Role::Answer, [barrier, overflow] {
            barrier->ArriveAndWait();
            if (overflow)
                OverflowStack(0);
            else
                WriteThroughNull();
        });
    }
}
}
