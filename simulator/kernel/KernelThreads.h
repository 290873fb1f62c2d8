#pragma once

#include <functional>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

namespace KernelSimulator
{
// The library's own threads: each job runs on a thread of its own. A thread whose job
// is over is joined when the next one starts; Close joins the rest.
class KernelThreads
{
public:
    KernelThreads() = default;
    ~KernelThreads();

    KernelThreads(const KernelThreads&) = delete;
    KernelThreads& operator=(const KernelThreads&) = delete;

    // Runs the job on a new thread; false once closed (the job is dropped). Throws
    // std::system_error when no thread can be made. The job must not throw.
    bool Start(std::function<void()> job);

    // Refuses new jobs and joins every thread but the calling one, which is detached:
    // whatever that thread still does must only touch what its job owns.
    void Close();

private:
    std::mutex mutex_;
    bool closed_ = false;
    std::list<std::thread> threads_;
    std::vector<std::thread::id> finished_;
};
}
