#pragma once

#include "kernel_bridge/Kernel/IDirector.h"
#include "kernel_bridge/Kernel/IParameters.h"

#include <boost/signals2/connection.hpp>

#include <gtest/gtest.h>

#include <sys/types.h>

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace SimulatorTests
{
// Every event of a director as "Name[ value]" (values written as the journal writes
// them), with the thread it was raised on.
class EventRecorder
{
public:
    // The events in the order the recorder connects to them.
    static const std::vector<std::string>& ConnectOrder();

    explicit EventRecorder(KorvaneUpdaterKernel::IDirectorSignals& signals);

    std::vector<std::string> Texts() const;
    // The values of one event, e.g. Values("ProgressComponentChanged") -> {"0", "1"}.
    std::vector<std::string> Values(const std::string& name) const;
    bool AnyRaisedOn(std::thread::id thread) const;
    // The system ids of the threads the events came on.
    std::set<pid_t> ThreadIds() const;
    // Waits until the event has been seen `count` times; false when it is not in time.
    bool WaitFor(const std::string& text, std::size_t count = 1);
    void Clear();

private:
    void Record(std::string text);

    mutable std::mutex mutex_;
    std::condition_variable recorded_;
    std::vector<std::pair<std::string, std::thread::id>> events_;
    std::set<pid_t> threadIds_;
    std::vector<boost::signals2::scoped_connection> connections_;
};

// A parameters and director pair made through the library's factories with
// KORVANE_SIM set, and a recorder on the director's events. Each test checks at its
// end that no event came on the test's own thread.
class SimulatorKernel : public testing::Test
{
protected:
    void Open(const std::string& simulation,
              const std::function<void(KorvaneUpdaterKernel::IParameters&)>& prepare = {});
    void Close();
    void TearDown() override;

    // Init, WaitForInit, Start, WaitForCompletion; the recorder is cleared after init.
    void InitAndRun();

    boost::intrusive_ptr<KorvaneUpdaterKernel::IParameters> parameters_;
    boost::intrusive_ptr<KorvaneUpdaterKernel::IDirector> director_;
    boost::intrusive_ptr<KorvaneUpdaterKernel::IDirectorSignals> signals_;
    std::unique_ptr<EventRecorder> events_;
    const std::thread::id testThread_ = std::this_thread::get_id();
};

// Whether the thread of this process still exists, and a wait until none of them does.
bool ThreadExists(pid_t thread);
bool WaitUntilGone(const std::set<pid_t>& threads);
}
