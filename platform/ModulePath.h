#pragma once

#ifdef _WIN32
// Declared after the system's headers, whose macros of the same names it takes back.
#include "platform/win32/WindowsApi.h"
#endif

#include <string>

// GetModuleFileNameW: the full path of a loaded module, or of the program itself for
// a null module. Returns the number of characters, 0 on failure (last error set).
namespace Platform
{
using ModuleHandle = void*;

unsigned long GetModuleFileName(ModuleHandle module, std::wstring& path);
}
