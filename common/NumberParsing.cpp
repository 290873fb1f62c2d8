#include "common/NumberParsing.h"

#include <climits>
#include <cwctype>
#include <stdexcept>

namespace KorvaneCommon
{
namespace
{
[[noreturn]] void Invalid()
{
    throw std::invalid_argument("invalid stoi argument");
}

[[noreturn]] void OutOfRange()
{
    throw std::out_of_range("stoi argument out of range");
}

struct Digits
{
    bool negative = false;
    std::wstring_view digits;
};

Digits Split(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i])))
        ++i;
    Digits result;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        result.negative = text[i++] == L'-';
    const std::size_t first = i;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9')
        ++i;
    if (i == first)
        Invalid();
    result.digits = text.substr(first, i - first);
    return result;
}

// Accumulates the digits, reporting overflow past the limit.
std::uint64_t Accumulate(std::wstring_view digits, std::uint64_t limit)
{
    std::uint64_t value = 0;
    for (wchar_t c : digits)
    {
        const auto digit = static_cast<std::uint64_t>(c - L'0');
        if (value > (limit - digit) / 10)
            OutOfRange();
        value = value * 10 + digit;
    }
    return value;
}
}

int StringToInt(std::wstring_view text)
{
    const Digits parts = Split(text);
    const std::uint64_t limit = parts.negative ? static_cast<std::uint64_t>(INT_MAX) + 1 : INT_MAX;
    const std::uint64_t magnitude = Accumulate(parts.digits, limit);
    return parts.negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
}

std::uint64_t StringToUnsigned(std::wstring_view text)
{
    const Digits parts = Split(text);
    if (parts.negative)
        Invalid();
    return Accumulate(parts.digits, UINT64_MAX);
}
}
