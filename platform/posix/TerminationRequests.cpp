#include "platform/TerminationDelivery.h"

#include "platform/CrashSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <thread>

namespace Platform
{
namespace
{
constexpr int kSignals[] = {SIGINT, SIGHUP, SIGTERM};

// The signal handler only writes the signal's number into the pipe; the watcher thread
// reads it and calls the handler outside the signal handler.
int pipeEnds[2] = {-1, -1};
std::atomic<int> requestsSeen{0};


TerminationRequest RequestOf(int signal)
{
    switch (signal)
    {
    case SIGINT:
        return TerminationRequest::Interrupt;
    case SIGHUP:
        return TerminationRequest::Close;
    default:
        return TerminationRequest::Terminate;
    }
}

void OnSignal(int signal)
{
    const int savedErrno = errno;
    if (requestsSeen.fetch_add(1) == 0)
    {
        const unsigned char number = static_cast<unsigned char>(signal);
        [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
    }
    else
    {
        // The second request: end now, by the signal's own default action.
        struct sigaction action{};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
        sigset_t unblock;
        sigemptyset(&unblock);
        sigaddset(&unblock, signal);
        ::pthread_sigmask(SIG_UNBLOCK, &unblock, nullptr);
        ::raise(signal);
    }
    errno = savedErrno;
}

void Watch()
{
    PrepareThreadForCrashes();
    for (;;)
    {
        unsigned char number = 0;
        const ssize_t read = ::read(pipeEnds[0], &number, 1);
        if (read == 1)
            Detail::DeliverTerminationRequest(RequestOf(number));
        else if (read == 0 || errno != EINTR)
            return;
    }
}
}

void WatchTerminationRequests()
{
    static std::once_flag started;
    std::call_once(started, [] {
        if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
            return;
        std::thread(Watch).detach();
        for (int signal : kSignals)
        {
            struct sigaction action{};
            action.sa_handler = OnSignal;
            action.sa_flags = SA_RESTART;
            sigemptyset(&action.sa_mask);
            for (int other : kSignals)
                sigaddset(&action.sa_mask, other);
            ::sigaction(signal, &action, nullptr);
        }
    });
}

const char* TerminationRequestName(TerminationRequest request)
{
    switch (request)
    {
    case TerminationRequest::Interrupt:
        return "SIGINT";
    case TerminationRequest::Close:
        return "SIGHUP";
    case TerminationRequest::Terminate:
        return "SIGTERM";
    }
    return "SIGTERM";
}

void ExitProcessNow(int exitCode)
{
    ::_exit(exitCode);
}
}
