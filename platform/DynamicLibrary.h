#pragma once

#ifdef _WIN32
// Declared after the system's headers, whose macros of the same names it takes back.
#include "platform/win32/WindowsApi.h"
#endif

#include <string>

// LoadLibraryW, GetProcAddress and FreeLibrary. A library is loaded from exactly the
// path given, never through a search path. Failures set the last error to the codes
// Windows uses: 126 for a library that is not there (or whose dependencies are not),
// 193 for a file that is not a loadable library, 127 for a missing export.
namespace Platform
{
using LibraryHandle = void*;
using ExportAddress = void (*)();

LibraryHandle LoadLibrary(const std::wstring& path);
ExportAddress GetProcAddress(LibraryHandle library, const char* name);
bool FreeLibrary(LibraryHandle library);
}
