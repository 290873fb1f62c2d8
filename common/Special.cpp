#include "common/Special.h"

#include "common/ExceptionHelper.h"
#include "platform/SpecialFolder.h"

namespace PathHelper
{
namespace Special
{
boost::filesystem::path FolderPath(int csidl)
{
    std::wstring folder;
    if (Platform::GetSpecialFolderPath(csidl, folder) < 0)
        BOOST_THROW_EXCEPTION(ExceptionHelper::Exception("SHGetFolderPath FAILED"));
    return boost::filesystem::path(folder);
}
}
}
