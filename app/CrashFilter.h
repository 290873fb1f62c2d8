#pragma once

#include "platform/CrashInformation.h"

namespace KorvaneUpdater
{
// The application name the crash reporter files reports under.
constexpr const wchar_t* kCrashApplicationName = L"korvane antivirus updater";

// Hands the first crash of the process to the crash-report library's PostBug; later
// crashes, on any thread, report nothing. The filter is installed before main.
long CrashFilter(Platform::CrashInformation* crash);
}
