#pragma once

#include <string>
#include <string_view>

namespace KorvaneCommon
{
// A value made safe for a query parameter: its UTF-8 bytes, each written as "%XX"
// (upper-case hexadecimal) except the unreserved characters of RFC 3986 (letters,
// digits, "-", ".", "_", "~"), which stay as they are. A code point that has no UTF-8
// form (a lone surrogate) is encoded as U+FFFD.
std::wstring PercentEncode(std::wstring_view value);
}
