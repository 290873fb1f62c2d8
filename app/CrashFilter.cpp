#include "app/CrashFilter.h"

#include "platform/CrashSignals.h"
#include "platform/DynamicLibrary.h"
#include "platform/LibraryNames.h"

#include <cstdlib>
#include <mutex>
#include <string>

namespace KorvaneUpdater
{
namespace
{
using PostBugFunction = void(const std::wstring& application, Platform::CrashInformation* crash);

std::mutex crashMutex;
bool alreadyReported = false;
Platform::CrashFilter previousFilter = nullptr;

// Built before any crash: nothing may be allocated while one is handled.
const std::wstring& ApplicationName()
{
    static const std::wstring name(kCrashApplicationName);
    return name;
}

void RestorePreviousFilter()
{
    Platform::SetUnhandledExceptionFilter(previousFilter);
}

struct CrashFilterInstaller
{
    CrashFilterInstaller()
    {
        ApplicationName();
        previousFilter = Platform::SetUnhandledExceptionFilter(CrashFilter);
        std::atexit(RestorePreviousFilter);
    }
} installer;
}

long CrashFilter(Platform::CrashInformation* crash)
{
    std::lock_guard<std::mutex> lock(crashMutex);
    if (!alreadyReported)
    {
        alreadyReported = true;
        if (Platform::LibraryHandle library = Platform::LoadLibraryBySearch(Platform::kCrashHandlerLibraryName))
        {
            if (Platform::ExportAddress address = Platform::GetProcAddress(library, "PostBug"))
                reinterpret_cast<PostBugFunction*>(address)(ApplicationName(), crash);
            Platform::FreeLibrary(library);
        }
    }
    return Platform::kExceptionExecuteHandler;
}
}
