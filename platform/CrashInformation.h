#pragma once

// What a crash handler is given about a crash. Plain data, shared with the crash-report
// library. On Windows it wraps the system's EXCEPTION_POINTERS, with the exception code
// also told as the nearest signal, so that a report reads the same on both systems.
namespace Platform
{
struct CrashInformation
{
    int signal;            // SIGSEGV, SIGBUS, SIGILL, SIGFPE or SIGABRT
    int code;              // si_code of the signal; on Windows the exception code
    const void* address;   // faulting address (si_addr); on Windows the exception address
    unsigned long thread;  // the crashing thread's system id
    void* context;         // ucontext_t* of the crash; on Windows EXCEPTION_POINTERS*
};

// Results of a crash filter, as Windows defines them.
constexpr long kExceptionContinueSearch = 0;
constexpr long kExceptionExecuteHandler = 1;
}
