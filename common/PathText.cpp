#include "common/PathText.h"

#include "platform/TextConversion.h"

namespace PathHelper
{
std::wstring Text(const boost::filesystem::path& path)
{
    return Platform::Utf8ToWide(path.string());
}

std::wstring QuotedText(const boost::filesystem::path& path)
{
    std::wstring quoted = L"\"";
    for (const wchar_t c : Text(path))
    {
        if (c == L'"' || c == L'&')
            quoted += L'&';
        quoted += c;
    }
    return quoted + L"\"";
}
}
