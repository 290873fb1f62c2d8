#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Testing
{
// How a child process ended.
struct ProgramResult
{
    bool exited = false;
    int exitStatus = -1;  // when exited
    int signal = 0;       // when ended by a signal
};

// What a test does to a program while it runs (given its process id), for example
// waiting for a moment and sending it a signal.
using WhileRunning = std::function<void(int processId)>;

// Runs a program with exactly the given environment and arguments and waits for it;
// its output goes to /dev/null. Gives up (and kills it) after the time limit.
// When the tests run under the sanitizers (ASAN_OPTIONS, UBSAN_OPTIONS or LSAN_OPTIONS
// set), the program gets their options too, its standard error is kept, and a report
// there fails the current test, whatever the program's exit status.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment, int timeLimitSeconds = 60,
                         const WhileRunning& whileRunning = {});

// The id of a process that has just ended, which no process has any more.
unsigned long EndedProcessId();
}
