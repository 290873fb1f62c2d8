#include "app/CrashFilter.h"

#include "platform/CrashSignals.h"
#include "platform/DynamicLibrary.h"
#include "platform/LibraryNames.h"
#include "platform/ModulePath.h"

#include <atomic>
#include <cstdlib>
#include <string>

namespace KorvaneUpdater
{
namespace
{
using PostBugFunction = void(const std::wstring& application, Platform::CrashInformation* crash);

// Everything the crash path needs is made before any crash: while one is handled,
// nothing may be loaded, allocated or locked, since the crash may have happened inside
// the loader or the allocator.
std::atomic<bool> alreadyReported{false};
PostBugFunction* postBug = nullptr;
Platform::CrashFilter previousFilter = nullptr;

const std::wstring& ApplicationName()
{
    static const std::wstring name(kCrashApplicationName);
    return name;
}

// The crash reporter from the program's own folder, as the system's search order would
// find it first; never from elsewhere on a search path.
PostBugFunction* ResolvePostBug()
{
    std::wstring program;
    if (Platform::GetModuleFileName(nullptr, program) == 0)
        return nullptr;
    const std::wstring::size_type slash = program.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return nullptr;
    // Kept loaded for the life of the process.
    Platform::LibraryHandle library =
        Platform::LoadLibrary(program.substr(0, slash + 1) + Platform::kCrashHandlerLibraryName);
    if (library == nullptr)
        return nullptr;
    Platform::ExportAddress address = Platform::GetProcAddress(library, "PostBug");
    if (address == nullptr)
    {
        Platform::FreeLibrary(library);
        return nullptr;
    }
    return reinterpret_cast<PostBugFunction*>(address);
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
        postBug = ResolvePostBug();
        previousFilter = Platform::SetUnhandledExceptionFilter(CrashFilter);
        std::atexit(RestorePreviousFilter);
    }
} installer;
}

long CrashFilter(Platform::CrashInformation* crash)
{
    if (alreadyReported.exchange(true))
    {
        // Another thread reports the first crash and then ends the process; this one
        // must not end it before that report is written.
        Platform::SuspendCrashedThread();
    }
    if (postBug != nullptr)
        postBug(ApplicationName(), crash);
    return Platform::kExceptionExecuteHandler;
}
}
