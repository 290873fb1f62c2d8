#include "common/UrlEncoding.h"

#include <gtest/gtest.h>

#include <string>

using KorvaneCommon::PercentEncode;

TEST(PercentEncode, KeepsOnlyTheUnreservedCharacters)
{
    struct Case
    {
        std::wstring value;
        const wchar_t* encoded;
    } cases[] = {
        {L"", L""},
        {L"AZaz09-._~", L"AZaz09-._~"},
        {L"en", L"en"},
        {L"12.10.151.0", L"12.10.151.0"},
        {L"-1", L"-1"},
        {L"a&b=c#d e", L"a%26b%3Dc%23d%20e"},
        {L"+%/?:@!$'()*,;[]", L"%2B%25%2F%3F%3A%40%21%24%27%28%29%2A%2C%3B%5B%5D"},
        {L"\"<>\\^`{|}", L"%22%3C%3E%5C%5E%60%7B%7C%7D"},
        {L"\t\n\r\x7f", L"%09%0A%0D%7F"},
        {std::wstring(L"a\0b", 3), L"a%00b"},
        {L"\u00e9", L"%C3%A9"},
        {L"\u20ac", L"%E2%82%AC"},
        {L"\U0001F600", L"%F0%9F%98%80"},
        {std::wstring(1, static_cast<wchar_t>(0xD800)), L"%EF%BF%BD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PercentEncode(c.value), c.encoded) << testing::PrintToString(c.value);
}
