#include "platform/TextConversion.h"

#include <boost/filesystem/path.hpp>
#include <boost/filesystem/detail/utf8_codecvt_facet.hpp>

#include <locale>

namespace Platform
{
namespace
{
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacement;
    if (cp < 0x80)
    {
        out += static_cast<char>(cp);
    }
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
}

std::wstring Utf8ToWide(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end)
    {
        const unsigned char lead = *p;
        int length = 0;
        char32_t cp = 0;
        if (lead < 0x80)
        {
            cp = lead;
            length = 1;
        }
        else if (lead >= 0xC2 && lead <= 0xDF)
        {
            cp = lead & 0x1F;
            length = 2;
        }
        else if (lead >= 0xE0 && lead <= 0xEF)
        {
            cp = lead & 0x0F;
            length = 3;
        }
        else if (lead >= 0xF0 && lead <= 0xF4)
        {
            cp = lead & 0x07;
            length = 4;
        }
        else
        {
            out += static_cast<wchar_t>(kReplacement);
            ++p;
            continue;
        }
        if (end - p < length)
        {
            out += static_cast<wchar_t>(kReplacement);
            break;
        }
        bool valid = true;
        for (int i = 1; i < length; ++i)
        {
            if ((p[i] & 0xC0) != 0x80)
            {
                valid = false;
                break;
            }
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
        if (!valid || overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        {
            out += static_cast<wchar_t>(kReplacement);
            ++p;
            continue;
        }
        out += static_cast<wchar_t>(cp);
        p += length;
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        AppendUtf8(out, static_cast<char32_t>(c));
    return out;
}

void UseUtf8Paths()
{
    static const std::locale utf8(std::locale::classic(), new boost::filesystem::detail::utf8_codecvt_facet);
    boost::filesystem::path::imbue(utf8);
}
}
