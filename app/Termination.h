#pragma once

#include <functional>
#include <utility>

// A request from outside to end the program (Ctrl+C, the terminal closed, log-off,
// shut-down, kill). The run mode that is going decides what it means: the silent mode
// interrupts the kernel, the window closes. The program then has a while to end on its
// own; after that it ends with the exit code it recorded, or as interrupted. A second
// request ends the process at once.
namespace KorvaneUpdater
{
namespace Termination
{
// Starts taking requests; called first thing in main.
void Watch();

// What a request does now, called once on a thread of its own; a request that came
// before is served as soon as there is an action. Null takes the action away; it
// returns only once a running action is over, so what the action uses may go after it.
void SetAction(std::function<void()> action);

// Sets an action for as long as it lives.
class ScopedAction
{
public:
    explicit ScopedAction(std::function<void()> action) { SetAction(std::move(action)); }
    ~ScopedAction() { SetAction(nullptr); }

    ScopedAction(const ScopedAction&) = delete;
    ScopedAction& operator=(const ScopedAction&) = delete;
};

// Logs "exit code=N" for the first code recorded and returns that code; later calls
// log nothing and return the first code.
int RecordExitCode(int code);
}
}
