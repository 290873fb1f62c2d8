#pragma once

#include "common/Logger.h"

#include <cstdint>
#include <string>

namespace Log
{
// The level named by KORVANE_LOG_LEVEL's value: an exact, case-sensitive match of
// "Trace" to "Fatal"; anything else is Error.
Level::Enum LevelFromName(const std::wstring& name);

// 100 MiB at Debug, 20 MiB at every other level.
std::uint64_t SizeLimitFor(Level::Enum level);

constexpr int kMaxLogFiles = 50;
}

// Sets up the process logger in the suite's Logs folder. Never throws: on any failure
// the program goes on without a log.
void InitializeLogging();
