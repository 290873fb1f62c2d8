#include "common/ProcessHelper.h"

#include "common/ExceptionHelper.h"

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
}
}
