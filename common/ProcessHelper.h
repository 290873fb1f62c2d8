#pragma once

#include "platform/ModulePath.h"

#include <boost/filesystem/path.hpp>

namespace ProcessHelper
{
namespace Process
{
// Full path of a loaded module, or of the program itself for a null module; throws
// ExceptionHelper::Windows "Couldn't get module file name" when it cannot be read.
boost::filesystem::path Path(Platform::ModuleHandle module = nullptr);
}
}
