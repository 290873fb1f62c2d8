#include "platform/CommandLine.h"

#include "platform/TextConversion.h"

#include <fstream>
#include <iterator>

namespace Platform
{
std::wstring GetCommandLine()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::wstring> arguments;
    std::size_t start = 0;
    while (start < raw.size())
    {
        std::size_t end = raw.find('\0', start);
        if (end == std::string::npos)
            end = raw.size();
        arguments.push_back(Utf8ToWide(std::string_view(raw).substr(start, end - start)));
        start = end + 1;
    }
    return JoinCommandLine(arguments);
}
}
