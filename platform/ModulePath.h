#pragma once

#include <string>

// GetModuleFileNameW: the full path of a loaded module, or of the program itself for
// a null module. Returns the number of characters, 0 on failure (last error set).
namespace Platform
{
using ModuleHandle = void*;

unsigned long GetModuleFileName(ModuleHandle module, std::wstring& path);
}
