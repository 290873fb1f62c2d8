#pragma once

#ifdef _WIN32
// Declared after the system's headers, whose macros of the same names it takes back.
#include "platform/win32/WindowsApi.h"
#endif

#include <string>

// GetEnvironmentVariableW: reads one variable as wide text. Returns the length of the
// value; 0 either for an empty value or, with the last error 203, for a missing one.
namespace Platform
{
unsigned long GetEnvironmentVariable(const std::wstring& name, std::wstring& value);
}
