#include "platform/CrashSignals.h"

#include "platform/win32/WindowsApi.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace Platform
{
namespace
{
std::atomic<CrashFilter> currentFilter{nullptr};

int SignalOf(DWORD code)
{
    switch (code)
    {
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
        return SIGILL;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_STACK_CHECK:
        return SIGFPE;
    default:
        return SIGSEGV; // access violations, stack overflow and every other fault
    }
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception)
{
    const CrashFilter filter = currentFilter.load();
    if (filter == nullptr)
        return EXCEPTION_CONTINUE_SEARCH;
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    CrashInformation crash{SignalOf(record->ExceptionCode), static_cast<int>(record->ExceptionCode),
                           record->ExceptionAddress, ::GetCurrentThreadId(), exception};
    return filter(&crash);
}

// abort() raises SIGABRT and ends the process without an exception; the filter hears
// of it all the same, then the process ends as abort() ends it.
void OnAbort(int)
{
    const CrashFilter filter = currentFilter.load();
    if (filter != nullptr)
    {
        CrashInformation crash{SIGABRT, 0, nullptr, ::GetCurrentThreadId(), nullptr};
        filter(&crash);
    }
    ::TerminateProcess(::GetCurrentProcess(), 3);
}
}

CrashFilter SetUnhandledExceptionFilter(CrashFilter filter)
{
    const CrashFilter previous = currentFilter.exchange(filter);
    ::SetUnhandledExceptionFilter(filter != nullptr ? OnUnhandledException : nullptr);
    // The abort handler ends the process itself, before the run-time's own message.
    std::signal(SIGABRT, filter != nullptr ? OnAbort : SIG_DFL);
    return previous;
}

void PrepareThreadForCrashes()
{
    // Stack kept back for the handler of a stack overflow on this thread.
    ULONG reserve = 64 * 1024;
    ::SetThreadStackGuarantee(&reserve);
}

void SuspendCrashedThread()
{
    for (;;)
        ::Sleep(INFINITE);
}
}
