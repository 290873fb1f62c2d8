#include "common/ProcessHelper.h"

#include "common/ExceptionHelper.h"
#include "platform/CrashSignals.h"

#include <thread>

namespace ProcessHelper
{
namespace Process
{
boost::filesystem::path Path(Platform::ModuleHandle module)
{
    std::wstring path;
    if (Platform::GetModuleFileName(module, path) == 0)
        BOOST_THROW_EXCEPTION(ExceptionHelper::Windows("Couldn't get module file name"));
    return boost::filesystem::path(path);
}

void ShellOpen(const std::wstring& target, Platform::WindowHandle owner)
{
    std::thread worker([target, owner] {
        Platform::PrepareThreadForCrashes();
        Platform::ShellExecute(owner, L"open", target, std::wstring(), std::wstring(), Platform::kShowNormal);
    });
    worker.join();
}
}
}
