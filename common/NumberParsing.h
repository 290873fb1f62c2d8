#pragma once

#include <cstdint>
#include <string_view>

// Decimal text to number the way std::stoi reads it: leading white space and one sign
// are accepted, reading stops at the first character that is not a digit. Failures
// throw std::invalid_argument "invalid stoi argument" (no digits) or
// std::out_of_range "stoi argument out of range".
namespace KorvaneCommon
{
int StringToInt(std::wstring_view text);

// The same for a non-negative number up to 2^64 - 1; a minus sign is invalid.
std::uint64_t StringToUnsigned(std::wstring_view text);
}
