// The crash-report library's one export.

#include "simulator/crash_handler/CrashReport.h"

#include <execinfo.h>

#include <string>

namespace
{
// The first backtrace loads the unwinder; do that when the library is loaded, not in
// the middle of a crash report.
[[gnu::constructor]] void LoadUnwinder()
{
    void* frame[1];
    ::backtrace(frame, 1);
}
}

extern "C" [[gnu::visibility("default")]] void PostBug(const std::wstring& application,
                                                        Platform::CrashInformation* crash)
{
    if (crash != nullptr)
        KorvaneCrashHandler::WriteCrashReport(application, *crash);
}
