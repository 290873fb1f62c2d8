#pragma once

#include <boost/filesystem/path.hpp>

namespace PathHelper
{
namespace Special
{
// The special folder with this CSIDL number; throws ExceptionHelper::Exception
// "SHGetFolderPath FAILED" when there is none.
boost::filesystem::path FolderPath(int csidl);
}
}
