#pragma once

#include "platform/ModulePath.h"
#include "platform/Shell.h"

#include <boost/filesystem/path.hpp>

#include <string>

namespace ProcessHelper
{
namespace Process
{
// Full path of a loaded module, or of the program itself for a null module; throws
// ExceptionHelper::Windows "Couldn't get module file name" when it cannot be read.
boost::filesystem::path Path(Platform::ModuleHandle module = nullptr);

// Opens a file, folder or address with the shell on a worker thread and waits for
// that thread. Failures are not reported.
void ShellOpen(const std::wstring& target, Platform::WindowHandle owner);
}
}
