#pragma once

#include "platform/CrashInformation.h"

// SetUnhandledExceptionFilter: a crash is a fatal signal (SIGSEGV, SIGBUS, SIGILL,
// SIGFPE, SIGABRT). The filter is called on the crashing thread, on an alternate
// signal stack where the thread has one; whatever it returns, the process then ends
// by that signal. Installing a null filter gives the signals back to the system.
namespace Platform
{
using CrashFilter = long (*)(CrashInformation* crash);

CrashFilter SetUnhandledExceptionFilter(CrashFilter filter);

// Gives the calling thread an alternate signal stack, so that a crash caused by a
// stack overflow can still be reported.
void PrepareThreadForCrashes();

// Keeps a crashed thread waiting for good while another thread ends the process;
// safe inside the crash handler.
[[noreturn]] void SuspendCrashedThread();
}
