#include "platform/TextConversion.h"

#include <algorithm>

#ifndef _WIN32
#include <boost/filesystem/path.hpp>

#include <stdlib.h>

#include <cstdlib>
#include <locale>
#include <optional>
#include <stdexcept>
#endif

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

// Appends a code point as wide characters: one where wchar_t holds 32 bits, a surrogate
// pair for a code point beyond the first plane where it holds 16 (UTF-16, on Windows).
void AppendWide(std::wstring& out, char32_t cp)
{
    if constexpr (sizeof(wchar_t) == 2)
    {
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (cp >> 10));
            out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(cp);
}

// The code point at p, moving p past it: a surrogate pair counts as one where wchar_t
// holds 16 bits; a lone surrogate is returned as it is (and encodes as U+FFFD).
char32_t NextCodePoint(const wchar_t*& p, const wchar_t* end)
{
    const auto unit = static_cast<char32_t>(*p++);
    if constexpr (sizeof(wchar_t) == 2)
    {
        if (unit >= 0xD800 && unit <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF)
            return 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(*p++) - 0xDC00);
    }
    return unit;
}

// One UTF-8 sequence at the start of [p, end): its code point and length; length 0 when
// the bytes there are not a valid, complete sequence (overlong forms and surrogates
// included).
struct Decoded
{
    char32_t cp = 0;
    int length = 0;
};

Decoded DecodeOne(const unsigned char* p, const unsigned char* end)
{
    const unsigned char lead = *p;
    Decoded result;
    int length = 0;
    if (lead < 0x80)
        return {lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF)
    {
        result.cp = lead & 0x1F;
        length = 2;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        result.cp = lead & 0x0F;
        length = 3;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        result.cp = lead & 0x07;
        length = 4;
    }
    else
    {
        return {};
    }
    if (end - p < length)
        return {};
    for (int i = 1; i < length; ++i)
    {
        if ((p[i] & 0xC0) != 0x80)
            return {};
        result.cp = (result.cp << 6) | (p[i] & 0x3F);
    }
    const bool overlong = (length == 3 && result.cp < 0x800) || (length == 4 && result.cp < 0x10000);
    if (overlong || result.cp > 0x10FFFF || (result.cp >= 0xD800 && result.cp <= 0xDFFF))
        return {};
    result.length = length;
    return result;
}

// A byte of a file name that is not UTF-8 travels as a lone low surrogate, U+DC80 to
// U+DCFF, which valid UTF-8 never decodes to; encoding turns it back into the byte.
constexpr char32_t kEscapeBase = 0xDC00;

// One character of a file name from its bytes: a UTF-8 sequence, else one escaped byte.
const unsigned char* DecodeFileNameUnit(const unsigned char* p, const unsigned char* end, char32_t& out)
{
    const Decoded decoded = DecodeOne(p, end);
    if (decoded.length == 0)
    {
        out = kEscapeBase + *p;
        return p + 1;
    }
    out = decoded.cp;
    return p + decoded.length;
}

void AppendFileNameUnit(std::string& out, char32_t cp)
{
    if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF)
        out += static_cast<char>(cp - kEscapeBase);
    else
        AppendUtf8(out, cp);
}

#ifndef _WIN32
// Converts whole file names between the wide form and their bytes, losslessly, for
// boost::filesystem::path (whose wide form holds one code point a wchar_t here). Never fails: a wide character that no byte sequence stands
// for is written as U+FFFD.
class FileNameCodecvt : public std::codecvt<wchar_t, char, std::mbstate_t>
{
protected:
    result do_in(std::mbstate_t&, const char* from, const char* fromEnd, const char*& fromNext, wchar_t* to,
                 wchar_t* toEnd, wchar_t*& toNext) const override
    {
        const auto* p = reinterpret_cast<const unsigned char*>(from);
        const auto* end = reinterpret_cast<const unsigned char*>(fromEnd);
        char32_t unit = 0;
        while (p < end && to < toEnd)
        {
            p = DecodeFileNameUnit(p, end, unit);
            *to++ = static_cast<wchar_t>(unit);
        }
        fromNext = reinterpret_cast<const char*>(p);
        toNext = to;
        return p == end ? ok : partial;
    }

    result do_out(std::mbstate_t&, const wchar_t* from, const wchar_t* fromEnd, const wchar_t*& fromNext, char* to,
                  char* toEnd, char*& toNext) const override
    {
        std::string bytes;
        for (; from < fromEnd; ++from)
        {
            bytes.clear();
            AppendFileNameUnit(bytes, static_cast<char32_t>(*from));
            if (toEnd - to < static_cast<std::ptrdiff_t>(bytes.size()))
                break;
            to = std::copy(bytes.begin(), bytes.end(), to);
        }
        fromNext = from;
        toNext = to;
        return from == fromEnd ? ok : partial;
    }

    result do_unshift(std::mbstate_t&, char* to, char*, char*& toNext) const override
    {
        toNext = to;
        return noconv;
    }

    int do_encoding() const noexcept override { return 0; }
    bool do_always_noconv() const noexcept override { return false; }
    int do_max_length() const noexcept override { return 4; }

    int do_length(std::mbstate_t&, const char* from, const char* fromEnd, std::size_t max) const override
    {
        const auto* p = reinterpret_cast<const unsigned char*>(from);
        const auto* end = reinterpret_cast<const unsigned char*>(fromEnd);
        char32_t unit = 0;
        for (; p < end && max > 0; --max)
            p = DecodeFileNameUnit(p, end, unit);
        return static_cast<int>(p - reinterpret_cast<const unsigned char*>(from));
    }
};
#endif
}

std::wstring Utf8ToWide(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end)
    {
        const Decoded decoded = DecodeOne(p, end);
        if (decoded.length == 0)
        {
            out += static_cast<wchar_t>(kReplacement);
            // A sequence cut short by the end of the text is one broken character: its
            // lead and the continuation bytes that came; whatever follows is decoded.
            const bool cutShort = *p >= 0xC2 && *p <= 0xF4 && end - p < (*p >= 0xF0 ? 4 : *p >= 0xE0 ? 3 : 2);
            ++p;
            while (cutShort && p < end && (*p & 0xC0) == 0x80)
                ++p;
            continue;
        }
        AppendWide(out, decoded.cp);
        p += decoded.length;
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const wchar_t *p = text.data(), *end = p + text.size(); p < end;)
        AppendUtf8(out, NextCodePoint(p, end));
    return out;
}

std::wstring FileNameToWide(std::string_view bytes)
{
    std::wstring out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    char32_t unit = 0;
    while (p < end)
    {
        p = DecodeFileNameUnit(p, end, unit);
        AppendWide(out, unit);
    }
    return out;
}

std::string WideToFileName(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const wchar_t *p = text.data(), *end = p + text.size(); p < end;)
        AppendFileNameUnit(out, NextCodePoint(p, end));
    return out;
}

#ifdef _WIN32
// Paths are wide on Windows: the file-system library converts nothing.
void UseUtf8Paths()
{
}
#else
void UseUtf8Paths()
{
    static const std::locale fileNames(std::locale::classic(), new FileNameCodecvt);
    try
    {
        boost::filesystem::path::imbue(fileNames);
        return;
    }
    catch (const std::runtime_error&)
    {
        // The file-system library builds the user's locale ("") before it takes the one
        // given here, and that throws when LANG or an LC_ variable names a locale this
        // machine lacks, a malformed one included. Nothing else of that locale is used,
        // so build it as "C" and give the variables back untouched.
    }
    const char* previous = std::getenv("LC_ALL");
    const std::optional<std::string> saved = previous != nullptr ? std::optional<std::string>(previous) : std::nullopt;
    ::setenv("LC_ALL", "C", 1);
    try
    {
        boost::filesystem::path::imbue(fileNames);
    }
    catch (const std::runtime_error&)
    {
        // Left without: path conversions then fail where they happen, and are reported there.
    }
    if (saved)
        ::setenv("LC_ALL", saved->c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}
#endif
}
