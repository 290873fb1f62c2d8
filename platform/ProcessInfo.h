#pragma once

#include <string>

namespace Platform
{
unsigned long GetCurrentProcessId();

// Whether the process with this id is still running the program whose file name stem
// is given. When that cannot be told for sure, the answer is true.
bool IsProgramRunning(unsigned long processId, const std::wstring& programStem);
}
