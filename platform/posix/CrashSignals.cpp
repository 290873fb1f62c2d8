#include "platform/CrashSignals.h"

#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace Platform
{
namespace
{
constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

std::atomic<CrashFilter> currentFilter{nullptr};

void RestoreDefault(int signal)
{
    struct sigaction action{};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

void OnCrash(int signal, siginfo_t* info, void* context)
{
    CrashInformation crash{};
    crash.signal = signal;
    crash.code = info != nullptr ? info->si_code : 0;
    crash.address = info != nullptr ? info->si_addr : nullptr;
    crash.thread = static_cast<unsigned long>(::syscall(SYS_gettid));
    crash.context = context;

    if (CrashFilter filter = currentFilter.load())
        filter(&crash);

    // End the process by the same signal, so that whoever waits for it sees the crash.
    RestoreDefault(signal);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &unblock, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

void InstallHandlers()
{
    for (int signal : kSignals)
    {
        struct sigaction action{};
        action.sa_sigaction = OnCrash;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        // While one crash is handled on a thread, further fatal signals there wait.
        for (int other : kSignals)
            sigaddset(&action.sa_mask, other);
        ::sigaction(signal, &action, nullptr);
    }
}
}

void PrepareThreadForCrashes()
{
    // The stack belongs to the thread: when the thread ends, whatever stack it had before
    // is put back (a sanitizer's runtime frees its own then) and ours is freed.
    struct AlternateStack
    {
        void* memory = nullptr;
        stack_t previous{};

        ~AlternateStack()
        {
            if (memory == nullptr)
                return;
            ::sigaltstack(&previous, nullptr);
            std::free(memory);
        }
    };
    static thread_local AlternateStack alternate;
    if (alternate.memory != nullptr)
        return;
    const std::size_t size = 64 * 1024;
    stack_t stack{};
    stack.ss_sp = std::malloc(size);
    if (stack.ss_sp == nullptr)
        return;
    stack.ss_size = size;
    if (::sigaltstack(&stack, &alternate.previous) == 0)
        alternate.memory = stack.ss_sp;
    else
        std::free(stack.ss_sp);
}

void SuspendCrashedThread()
{
    for (;;)
        ::pause();
}

CrashFilter SetUnhandledExceptionFilter(CrashFilter filter)
{
    const CrashFilter previous = currentFilter.exchange(filter);
    if (filter != nullptr)
    {
        PrepareThreadForCrashes();
        InstallHandlers();
    }
    else
    {
        for (int signal : kSignals)
            RestoreDefault(signal);
    }
    return previous;
}
}
