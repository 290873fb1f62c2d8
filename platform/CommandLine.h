#pragma once

#ifdef _WIN32
// Declared after the system's headers, whose macros of the same names it takes back.
#include "platform/win32/WindowsApi.h"
#endif

#include <string>
#include <vector>

// GetCommandLineW: the process's command line as one wide text, the arguments joined
// and quoted the way Windows programs receive them.
namespace Platform
{
std::wstring GetCommandLine();

// Joins arguments by the quoting rules that CommandLineToArgvW undoes.
std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments);
}
