#include "platform/CommandLine.h"

#include "platform/win32/WindowsApi.h"

namespace Platform
{
std::wstring GetCommandLine()
{
    return ::GetCommandLineW();
}
}
