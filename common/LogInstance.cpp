#include "common/LogInstance.h"

#include "common/Logger.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace Log
{
namespace
{
struct Holder
{
    std::shared_ptr<Logger> logger;
};

std::atomic<Holder*> holder{nullptr};
std::mutex lifecycle;
bool exitHandlerRegistered = false;

void DestroyAtExit()
{
    Instance::Destroy();
}

Holder& Access()
{
    if (Holder* existing = holder.load(std::memory_order_acquire))
        return *existing;
    std::lock_guard<std::mutex> lock(lifecycle);
    if (Holder* existing = holder.load(std::memory_order_acquire))
        return *existing;
    auto* created = new Holder;
    holder.store(created, std::memory_order_release);
    if (!exitHandlerRegistered)
    {
        exitHandlerRegistered = true;
        std::atexit(DestroyAtExit);
    }
    return *created;
}
}

std::shared_ptr<Logger> Instance::Get()
{
    return Access().logger;
}

void Instance::Set(std::shared_ptr<Logger> logger)
{
    Access().logger = std::move(logger);
}

void Instance::Destroy()
{
    std::lock_guard<std::mutex> lock(lifecycle);
    delete holder.exchange(nullptr, std::memory_order_acq_rel);
}
}
