#include "platform/CommandLine.h"

#include "platform/TextConversion.h"

#include <fstream>
#include <iterator>

namespace Platform
{
namespace
{
void AppendQuoted(std::wstring& line, const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : argument)
    {
        if (c == L'\\')
        {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            line.append(backslashes * 2 + 1, L'\\');
        else
            line.append(backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}
}

std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments)
{
    std::wstring line;
    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        if (i != 0)
            line += L' ';
        AppendQuoted(line, arguments[i]);
    }
    return line;
}

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
