#pragma once

// SetConsoleCtrlHandler: a request from outside to end the program. Here that is
// SIGINT (Ctrl+C), SIGHUP (the terminal closed) or SIGTERM (log-off, shut-down, a
// service manager or kill). The first request goes to the handler, on a thread of its
// own, never inside a signal handler; a second request ends the process at once, as if
// nothing were handled.
namespace Platform
{
enum class TerminationRequest
{
    Interrupt, // Ctrl+C: CTRL_C_EVENT
    Close,     // the terminal went away: CTRL_CLOSE_EVENT
    Terminate  // log-off, shut-down or kill: CTRL_SHUTDOWN_EVENT
};

using TerminationHandler = void (*)(TerminationRequest request);

// Starts taking the requests; call once, early, before other threads start. Until a
// handler is set, a request is kept and handed to the first handler set.
void WatchTerminationRequests();

// Sets the handler (null: none; requests are kept again). Returns the previous one.
TerminationHandler SetTerminationHandler(TerminationHandler handler);

// The request's name for the log: "SIGTERM" and the like.
const char* TerminationRequestName(TerminationRequest request);

// Ends the process at once with the exit code; nothing else runs (no exit handlers).
[[noreturn]] void ExitProcessNow(int exitCode);
}
