#pragma once

// What a crash handler is given about a crash: this platform's counterpart of
// EXCEPTION_POINTERS. Plain data, shared with the crash-report library.
namespace Platform
{
struct CrashInformation
{
    int signal;            // SIGSEGV, SIGBUS, SIGILL, SIGFPE or SIGABRT
    int code;              // si_code of the signal
    const void* address;   // faulting address (si_addr)
    unsigned long thread;  // kernel thread id of the crashing thread
    void* context;         // ucontext_t* of the crash
};

// Results of a crash filter, as Windows defines them.
constexpr long kExceptionContinueSearch = 0;
constexpr long kExceptionExecuteHandler = 1;
}
