#include "platform/CommandLine.h"
#include "platform/DynamicLibrary.h"
#include "platform/Environment.h"
#include "platform/LastError.h"
#include "platform/ModulePath.h"
#include "platform/SpecialFolder.h"
#include "platform/TextConversion.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <boost/filesystem/path.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Platform;

TEST(SpecialFolder, MapsFoldersFromTheEnvironment)
{
    struct Case
    {
        int csidl;
        const char* home;
        const char* dataHome;
        const char* configHome;
        Result result;
        const wchar_t* path;
    } cases[] = {
        {kCsidlCommonAppData, "/home/u", nullptr, nullptr, kResultOk, L"/home/u/.local/share"},
        {kCsidlCommonAppData, "/home/u", "/data", nullptr, kResultOk, L"/data"},
        {kCsidlCommonAppData, "/home/u", "relative", nullptr, kResultOk, L"/home/u/.local/share"},
        {kCsidlAppData, "/home/u/", nullptr, nullptr, kResultOk, L"/home/u/.config"},
        {kCsidlAppData, "/home/u", nullptr, "/cfg/", kResultOk, L"/cfg"},
        {kCsidlDesktopDirectory, "/home/u", nullptr, nullptr, kResultOk, L"/home/u/Desktop"},
        {kCsidlProgramFiles, nullptr, nullptr, nullptr, kResultOk, L"/opt"},
        {kCsidlCommonAppData, nullptr, nullptr, nullptr, kResultFail, L""},
        {kCsidlDesktopDirectory, "", nullptr, nullptr, kResultFail, L""},
        {0x05, "/home/u", nullptr, nullptr, kResultFail, L""},
        {-1, "/home/u", nullptr, nullptr, kResultFail, L""},
        // Bytes that are not UTF-8 are kept, each as its own escape.
        {kCsidlCommonAppData, "/home/\xff\xc3", nullptr, nullptr, kResultOk, L"/home/\xdcff\xdcc3/.local/share"},
        {kCsidlAppData, "/home/u", nullptr, "/cfg/caf\xe9", kResultOk, L"/cfg/caf\xdce9"},
    };
    for (const Case& c : cases)
    {
        Testing::ScopedEnvironment environment;
        c.home ? environment.Set("HOME", c.home) : environment.Unset("HOME");
        c.dataHome ? environment.Set("XDG_DATA_HOME", c.dataHome) : environment.Unset("XDG_DATA_HOME");
        c.configHome ? environment.Set("XDG_CONFIG_HOME", c.configHome) : environment.Unset("XDG_CONFIG_HOME");
        std::wstring path = L"stale";
        EXPECT_EQ(GetSpecialFolderPath(c.csidl, path), c.result) << c.csidl;
        EXPECT_EQ(path, c.path) << c.csidl;
    }
}

TEST(DynamicLibrary, FailuresCarryWindowsErrorCodes)
{
    Testing::TempFolder folder;
    const auto text = folder.Path() / "not-a-library.so";
    Testing::WriteFile(text, "plain text");

    EXPECT_EQ(LoadLibrary((folder.Path() / "absent.so").wstring()), nullptr);
    EXPECT_EQ(GetLastError(), kErrorModNotFound);

    EXPECT_EQ(LoadLibrary(text.wstring()), nullptr);
    EXPECT_EQ(GetLastError(), kErrorBadExeFormat);

    EXPECT_EQ(LoadLibrary(folder.Path().wstring()), nullptr);
    EXPECT_EQ(GetLastError(), kErrorBadExeFormat);

    LibraryHandle library = LoadLibrary(Utf8ToWide(KORVANE_EMPTY_LIBRARY));
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(GetProcAddress(library, "CreateParameters"), nullptr);
    EXPECT_EQ(GetLastError(), kErrorProcNotFound);
    EXPECT_TRUE(FreeLibrary(library));
}

TEST(DynamicLibrary, NeverSearchesForABareName)
{
    // libc is on every search path, yet a bare name means the current folder only.
    EXPECT_EQ(LoadLibrary(L"libc.so.6"), nullptr);
    EXPECT_EQ(GetLastError(), kErrorModNotFound);
}

TEST(ModulePath, NamesTheProgramAndLoadedLibraries)
{
    std::wstring path;
    ASSERT_GT(GetModuleFileName(nullptr, path), 0u);
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    EXPECT_EQ(WideToUtf8(path), self);

    LibraryHandle library = LoadLibrary(Utf8ToWide(KORVANE_EMPTY_LIBRARY));
    ASSERT_NE(library, nullptr);
    ASSERT_GT(GetModuleFileName(library, path), 0u);
    EXPECT_EQ(WideToUtf8(path), KORVANE_EMPTY_LIBRARY);
    FreeLibrary(library);
}

TEST(CommandLine, QuotesArgumentsAsWindowsProgramsExpect)
{
    struct Case
    {
        std::vector<std::wstring> arguments;
        std::wstring line;
    } cases[] = {
        {{L"/opt/app", L"--silent"}, L"/opt/app --silent"},
        {{L"/opt/my app", L""}, L"\"/opt/my app\" \"\""},
        {{L"a\"b"}, L"\"a\\\"b\""},
        {{L"path\\"}, L"path\\"},
        {{L"with space\\"}, L"\"with space\\\\\""},
        {{L"a\\\\\"b"}, L"\"a\\\\\\\\\\\"b\""},
        {{L"tab\there"}, L"\"tab\there\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinCommandLine(c.arguments), c.line);

    EXPECT_FALSE(GetCommandLine().empty());
}

TEST(Environment, ReadsWideValuesAndReportsMissingOnes)
{
    Testing::ScopedEnvironment environment;
    environment.Set("KORVANE_TEST_VALUE", "Gr\xc3\xbc\xc3\x9f" "e").Set("KORVANE_TEST_EMPTY", "");
    environment.Unset("KORVANE_TEST_MISSING");
    std::wstring value;
    EXPECT_EQ(GetEnvironmentVariable(L"KORVANE_TEST_VALUE", value), 5u);
    EXPECT_EQ(value, L"Gr\u00fc\u00dfe");
    EXPECT_EQ(GetEnvironmentVariable(L"KORVANE_TEST_EMPTY", value), 0u);
    EXPECT_EQ(GetLastError(), kErrorSuccess);
    EXPECT_EQ(GetEnvironmentVariable(L"KORVANE_TEST_MISSING", value), 0u);
    EXPECT_EQ(GetLastError(), kErrorEnvVarNotFound);
}

TEST(TextConversion, RoundTripsAndReplacesBrokenInput)
{
    const std::wstring text = L"\u65e5\u672c\u8a9e \u0420\u0443\u0441 \U0001F600";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(Utf8ToWide("a\xff" "b\xc3"), L"a\ufffdb\ufffd");
    EXPECT_EQ(Utf8ToWide("\xe0\x80\x80"), L"\ufffd\ufffd\ufffd"); // overlong
}

TEST(TextConversion, FileNamesKeepEveryByteThroughTheWideForm)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        std::wstring wide;
    } cases[] = {
        {"UTF-8 as text", "/d/\xc3\xa9\xe6\x97\xa5\xf0\x9f\x98\x80", L"/d/\u00e9\u65e5\U0001F600"},
        {"Latin-1", "/home/j\xf6rg", L"/home/j\xdcf6rg"},
        {"a sequence cut short", "a\xe6\x97", L"a\xdce6\xdc97"},
        {"overlong", "\xc0\xaf", L"\xdcc0\xdcaf"},
        {"an encoded surrogate", "\xed\xb2\x80", L"\xdced\xdcb2\xdc80"},
        {"a stray continuation byte", "x\x80y", L"x\xdc80y"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(FileNameToWide(c.bytes), c.wide) << c.name;
        EXPECT_EQ(WideToFileName(c.wide), c.bytes) << c.name;
        // boost::filesystem converts the same way in both directions.
        EXPECT_EQ(boost::filesystem::path(c.wide).string(), c.bytes) << c.name;
        EXPECT_EQ(boost::filesystem::path(c.bytes).wstring(), c.wide) << c.name;
    }
    // A wide character no bytes stand for is written as U+FFFD, as for texts.
    EXPECT_EQ(WideToFileName(L"a\xd800" L"b"), "a\xef\xbf\xbd" "b");
    EXPECT_EQ(boost::filesystem::path(L"\xdc41").string(), "\xef\xbf\xbd");
}
