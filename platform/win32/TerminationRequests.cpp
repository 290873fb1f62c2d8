#include "platform/TerminationDelivery.h"

#include "platform/win32/WindowsApi.h"

#include <atomic>
#include <mutex>

namespace Platform
{
namespace
{
// The system calls the console's control routine on a thread of its own, so the
// request goes to the handler from there, never from inside an interrupted call.
std::atomic<int> requestsSeen{0};

TerminationRequest RequestOf(DWORD event)
{
    switch (event)
    {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        return TerminationRequest::Interrupt;
    case CTRL_CLOSE_EVENT:
        return TerminationRequest::Close;
    default:
        return TerminationRequest::Terminate; // CTRL_LOGOFF_EVENT, CTRL_SHUTDOWN_EVENT
    }
}

BOOL WINAPI OnControlEvent(DWORD event)
{
    // The second request: not handled here, so the system's default ends the process.
    if (requestsSeen.fetch_add(1) != 0)
        return FALSE;
    const TerminationRequest request = RequestOf(event);
    Detail::DeliverTerminationRequest(request);
    // After a close, log-off or shut-down event the system ends the process as soon as
    // this routine returns; it waits here instead, so that the program ends its own way
    // (the system still ends it at its own time limit).
    if (request != TerminationRequest::Interrupt)
        ::Sleep(INFINITE);
    return TRUE;
}
}

void WatchTerminationRequests()
{
    static std::once_flag started;
    std::call_once(started, [] { ::SetConsoleCtrlHandler(OnControlEvent, TRUE); });
}

const char* TerminationRequestName(TerminationRequest request)
{
    switch (request)
    {
    case TerminationRequest::Interrupt:
        return "CTRL_C_EVENT";
    case TerminationRequest::Close:
        return "CTRL_CLOSE_EVENT";
    case TerminationRequest::Terminate:
        return "CTRL_SHUTDOWN_EVENT";
    }
    return "CTRL_SHUTDOWN_EVENT";
}

void ExitProcessNow(int exitCode)
{
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(exitCode));
    // TerminateProcess on the own process does not return; this only satisfies the type.
    ::ExitProcess(static_cast<UINT>(exitCode));
}
}
