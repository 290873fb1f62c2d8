// The crash-report library's one export.

#include "simulator/crash_handler/CrashReport.h"

#include <string>

#ifdef _WIN32
#define KORVANE_CRASH_HANDLER_EXPORT __declspec(dllexport)
#else
#define KORVANE_CRASH_HANDLER_EXPORT [[gnu::visibility("default")]]
#endif

extern "C" KORVANE_CRASH_HANDLER_EXPORT void PostBug(const std::wstring& application,
                                                     Platform::CrashInformation* crash)
{
    if (crash != nullptr)
        KorvaneCrashHandler::WriteCrashReport(application, *crash);
}
