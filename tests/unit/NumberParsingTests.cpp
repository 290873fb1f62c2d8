#include "common/NumberParsing.h"

#include <gtest/gtest.h>

#include <stdexcept>

using KorvaneCommon::StringToInt;
using KorvaneCommon::StringToUnsigned;

TEST(NumberParsing, ReadsLikeStoi)
{
    struct Case
    {
        const wchar_t* text;
        int value;
    } cases[] = {{L"0", 0},     {L"1", 1},         {L"  1", 1},        {L"+1", 1},
                 {L"01", 1},    {L"1abc", 1},      {L"-1", -1},        {L"2147483647", 2147483647},
                 {L"-2147483648", -2147483647 - 1}, {L"\t\n7 ", 7}};
    for (const Case& c : cases)
        EXPECT_EQ(StringToInt(c.text), c.value) << c.text;
}

TEST(NumberParsing, ReportsFailuresWithTheirTexts)
{
    for (const wchar_t* text : {L"", L"abc", L"-", L"+", L" ", L"--1", L"+-1"})
    {
        try
        {
            StringToInt(text);
            ADD_FAILURE() << "no error for " << text;
        }
        catch (const std::invalid_argument& e)
        {
            EXPECT_STREQ(e.what(), "invalid stoi argument");
        }
    }
    for (const wchar_t* text : {L"2147483648", L"-2147483649", L"99999999999"})
    {
        try
        {
            StringToInt(text);
            ADD_FAILURE() << "no error for " << text;
        }
        catch (const std::out_of_range& e)
        {
            EXPECT_STREQ(e.what(), "stoi argument out of range");
        }
    }
}

TEST(NumberParsing, UnsignedTakesTheWholeNumber)
{
    EXPECT_EQ(StringToUnsigned(L"305"), 305u);
    EXPECT_EQ(StringToUnsigned(L"18446744073709551615"), UINT64_MAX);
    EXPECT_THROW(StringToUnsigned(L"18446744073709551616"), std::out_of_range);
    EXPECT_THROW(StringToUnsigned(L"-1"), std::invalid_argument);
}
