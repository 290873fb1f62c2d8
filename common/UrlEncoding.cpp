#include "common/UrlEncoding.h"

#include "platform/TextConversion.h"

namespace KorvaneCommon
{
namespace
{
bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}
}

std::wstring PercentEncode(std::wstring_view value)
{
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring encoded;
    encoded.reserve(value.size());
    for (const char byte : Platform::WideToUtf8(value))
    {
        const auto c = static_cast<unsigned char>(byte);
        if (IsUnreserved(c))
        {
            encoded += static_cast<wchar_t>(c);
        }
        else
        {
            encoded += L'%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        }
    }
    return encoded;
}
}
