#pragma once

#include <string>
#include <string_view>

// Conversions between the program's wide texts and the UTF-8 this platform uses for
// file names, the environment and the command line. Invalid input never throws:
// undecodable bytes become U+FFFD, unencodable code points are replaced the same way.
namespace Platform
{
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Makes boost::filesystem convert between wide and narrow paths as UTF-8.
void UseUtf8Paths();
}
