#pragma once

#include <string>
#include <string_view>

// Conversions between the program's wide texts and the UTF-8 this platform uses for
// file names, the environment and the command line.
namespace Platform
{
// For texts. Invalid input never throws: undecodable bytes become U+FFFD, unencodable
// code points are replaced the same way.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// For file names, which are bytes here and need not be UTF-8: as above for valid UTF-8,
// but a byte that is not part of it becomes U+DC80 to U+DCFF and turns back into the
// same byte, so that any name survives the wide form unchanged (as any UTF-16 name does
// on Windows). Code points that no bytes stand for are written as U+FFFD.
std::wstring FileNameToWide(std::string_view bytes);
std::string WideToFileName(std::wstring_view text);

// Makes boost::filesystem convert between wide and narrow paths as FileNameToWide and
// WideToFileName do, whatever locale LANG and the LC_ variables name (an installed one,
// a missing or malformed one). Call it first in main, before any other thread runs: it
// may set LC_ALL for a moment.
void UseUtf8Paths();
}
