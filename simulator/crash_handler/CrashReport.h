#pragma once

#include "platform/CrashInformation.h"

#include <string>

namespace KorvaneCrashHandler
{
// Writes one report file for a crash into the suite's data folder under "Crashes":
// the application, the signal, the faulting address, the thread and a backtrace.
// Runs inside a signal handler (on Windows, the unhandled-exception filter): it allocates
// nothing and uses only calls that are safe there, apart from the backtrace, which is as
// safe as the system makes it.
bool WriteCrashReport(const std::wstring& application, const Platform::CrashInformation& crash);
}
