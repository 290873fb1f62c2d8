#include "SimulatorTestSupport.h"

#include "simulator/kernel/Director.h"
#include "simulator/kernel/Journal.h"
#include "support/ScopedEnvironment.h"
#include "simulator/kernel/Parameters.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <chrono>

#include <unistd.h>

namespace SimulatorTests
{
namespace
{
constexpr auto kPatience = std::chrono::seconds(20);
}

const std::vector<std::string>& EventRecorder::ConnectOrder()
{
    static const std::vector<std::string> order = {
        "NotEnoughDiskSpace", "AnotherInstallationInProgress", "ScenarioDetected", "Interrupted", "Started",
        "StoppingService", "ServiceStopped", "ProgressComponentChanged", "ProgressPositionChanged",
        "FloatingProgress", "ProgressDescriptionChanged", "Error", "Complete", "EnablingWindowsDefender",
        "EnablingWindowsFirewall", "NoAppropriatePermissions", "ComponentsProgressPositionChanged"};
    return order;
}

EventRecorder::EventRecorder(KorvaneUpdaterKernel::IDirectorSignals& signals)
{
    const auto notify = [this](const char* name) { return [this, name] { Record(name); }; };
    const auto valued = [this](const char* name) {
        return [this, name](const auto& value) { Record(std::string(name) + " " + KernelSimulator::JournalValue(value)); };
    };
    using Number = std::function<void(std::int32_t)>;
    using Position = std::function<void(double)>;
    using Flag = std::function<void(bool)>;

    auto& c = connections_;
    c.emplace_back(signals.ConnectNotEnoughDiskSpace(notify("NotEnoughDiskSpace")));
    c.emplace_back(signals.ConnectAnotherInstallationInProgress(notify("AnotherInstallationInProgress")));
    c.emplace_back(signals.ConnectScenarioDetected(Number(valued("ScenarioDetected"))));
    c.emplace_back(signals.ConnectInterrupted(notify("Interrupted")));
    c.emplace_back(signals.ConnectStarted(notify("Started")));
    c.emplace_back(signals.ConnectStoppingService(notify("StoppingService")));
    c.emplace_back(signals.ConnectServiceStopped(notify("ServiceStopped")));
    c.emplace_back(signals.ConnectProgressComponentChanged(Number(valued("ProgressComponentChanged"))));
    c.emplace_back(signals.ConnectProgressPositionChanged(Position(valued("ProgressPositionChanged"))));
    c.emplace_back(signals.ConnectFloatingProgress(Flag(valued("FloatingProgress"))));
    c.emplace_back(signals.ConnectProgressDescriptionChanged(
        std::function<void(const std::wstring&)>(valued("ProgressDescriptionChanged"))));
    c.emplace_back(signals.ConnectError(std::function<void(const std::string&)>(valued("Error"))));
    c.emplace_back(signals.ConnectComplete(notify("Complete")));
    c.emplace_back(signals.ConnectEnablingWindowsDefender(Flag(valued("EnablingWindowsDefender"))));
    c.emplace_back(signals.ConnectEnablingWindowsFirewall(Flag(valued("EnablingWindowsFirewall"))));
    c.emplace_back(signals.ConnectNoAppropriatePermissions(notify("NoAppropriatePermissions")));
    c.emplace_back(signals.ConnectComponentsProgressPositionChanged(Position(valued("ComponentsProgressPositionChanged"))));
}

void EventRecorder::Record(std::string text)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.emplace_back(std::move(text), std::this_thread::get_id());
        threadIds_.insert(::gettid());
    }
    recorded_.notify_all();
}

std::vector<std::string> EventRecorder::Texts() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> texts;
    for (const auto& event : events_)
        texts.push_back(event.first);
    return texts;
}

std::vector<std::string> EventRecorder::Values(const std::string& name) const
{
    std::vector<std::string> values;
    const std::string prefix = name + " ";
    for (const std::string& text : Texts())
    {
        if (text.compare(0, prefix.size(), prefix) == 0)
            values.push_back(text.substr(prefix.size()));
    }
    return values;
}

bool EventRecorder::AnyRaisedOn(std::thread::id thread) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& event : events_)
    {
        if (event.second == thread)
            return true;
    }
    return false;
}

std::set<pid_t> EventRecorder::ThreadIds() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return threadIds_;
}

bool EventRecorder::WaitFor(const std::string& text, std::size_t count)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return recorded_.wait_for(lock, kPatience, [&] {
        std::size_t seen = 0;
        for (const auto& event : events_)
            seen += event.first == text ? 1 : 0;
        return seen >= count;
    });
}

void EventRecorder::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    events_.clear();
}

void SimulatorKernel::Open(const std::string& simulation,
                           const std::function<void(KorvaneUpdaterKernel::IParameters&)>& prepare)
{
    Close();
    Testing::ScopedEnvironment environment;
    environment.Set("KORVANE_SIM", simulation);
    parameters_ = KernelSimulator::CreateParameters();
    ASSERT_TRUE(parameters_);
    if (prepare)
        prepare(*parameters_);
    director_ = KernelSimulator::CreateDirector(parameters_);
    ASSERT_TRUE(director_);
    signals_ = director_->GetSignals();
    events_ = std::make_unique<EventRecorder>(*signals_);
}

void SimulatorKernel::Close()
{
    if (events_)
    {
        EXPECT_FALSE(events_->AnyRaisedOn(testThread_)) << "an event was raised on the caller's thread";
    }
    // The director first: its release joins the threads that may still be inside the recorder.
    director_.reset();
    signals_.reset();
    events_.reset();
    parameters_.reset();
}

void SimulatorKernel::TearDown()
{
    Close();
}

void SimulatorKernel::InitAndRun()
{
    director_->Init();
    director_->WaitForInit();
    events_->Clear();
    director_->Start();
    director_->WaitForCompletion();
}

bool ThreadExists(pid_t thread)
{
    return boost::filesystem::exists("/proc/self/task/" + std::to_string(thread));
}

bool WaitUntilGone(const std::set<pid_t>& threads)
{
    // A joined thread can still be listed for a moment while the system finishes it.
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    const auto anyLeft = [&] { return std::any_of(threads.begin(), threads.end(), ThreadExists); };
    while (anyLeft() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return !anyLeft();
}
}
