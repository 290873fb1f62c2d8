#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace Testing
{
// A run of a program as a Windows caller sees it: the whole 32-bit exit code.
struct WindowsRun
{
    bool finished = false;         // false: killed after the time limit
    unsigned long exitCode = 0;    // GetExitCodeProcess
    unsigned long processId = 0;
};

struct WindowsRunOptions
{
    // Variables set for the child on top of this process's environment.
    std::vector<std::pair<std::wstring, std::wstring>> environment;
    std::chrono::milliseconds timeout{120000};
};

// CreateProcessW of `program` with the command line `arguments` (joined as given), waits
// for its end and reads its exit code with GetExitCodeProcess.
WindowsRun RunWindowsProgram(const std::wstring& program, const std::wstring& arguments,
                             const WindowsRunOptions& options = {});
}
