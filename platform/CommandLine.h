#pragma once

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
