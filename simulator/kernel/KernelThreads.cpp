#include "simulator/kernel/KernelThreads.h"

#include "platform/CrashSignals.h"

#include <algorithm>

namespace KernelSimulator
{
KernelThreads::~KernelThreads()
{
    Close();
}

bool KernelThreads::Start(std::function<void()> job)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_)
        return false;

    // A finished thread has nothing left to do but return, so joining it here is short
    // and does not need the lock.
    for (auto it = threads_.begin(); it != threads_.end();)
    {
        if (std::find(finished_.begin(), finished_.end(), it->get_id()) != finished_.end())
        {
            it->join();
            it = threads_.erase(it);
        }
        else
        {
            ++it;
        }
    }
    finished_.clear();

    threads_.emplace_back([this, job = std::move(job)] {
        // A stack overflow here must still reach the crash reporter.
        Platform::PrepareThreadForCrashes();
        job();
        std::lock_guard<std::mutex> finishedLock(mutex_);
        finished_.push_back(std::this_thread::get_id());
    });
    return true;
}

void KernelThreads::Close()
{
    std::list<std::thread> threads;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        threads.swap(threads_);
        finished_.clear();
    }
    for (std::thread& thread : threads)
    {
        if (thread.get_id() == std::this_thread::get_id())
            thread.detach();
        else
            thread.join();
    }
}
}
