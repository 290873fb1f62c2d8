#pragma once

#include <mutex>
#include <shared_mutex>

namespace KorvaneUpdater
{
// Lets kernel-thread handlers through to an object for as long as it lives. The
// owner closes the gate before it goes; closing waits for the handlers inside, and
// none enters afterwards. Handlers share the gate, so it outlives the owner.
class EventGate
{
public:
    template <class Action>
    void Pass(Action&& action)
    {
        std::shared_lock<std::shared_mutex> lock(mutex_);
        if (open_)
            action();
    }

    void Close()
    {
        std::unique_lock<std::shared_mutex> lock(mutex_);
        open_ = false;
    }

private:
    std::shared_mutex mutex_;
    bool open_ = true;
};
}
