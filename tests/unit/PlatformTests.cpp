#include "platform/CommandLine.h"
#include "platform/DynamicLibrary.h"
#include "platform/Environment.h"
#include "platform/FileAccess.h"
#include "platform/LastError.h"
#include "platform/ModulePath.h"
#include "platform/SpecialFolder.h"
#include "platform/TextConversion.h"
#include "support/Fifo.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>
#include <boost/filesystem/path.hpp>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <iterator>

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
    // A sequence cut short: one broken character, and what follows it still counts.
    EXPECT_EQ(Utf8ToWide("x\xe6\x97"), L"x\ufffd");
    EXPECT_EQ(Utf8ToWide("x\xf0\x9f" "a"), L"x\ufffd" L"a");
    EXPECT_EQ(Utf8ToWide("\xe6" "a"), L"\ufffd" L"a");
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

TEST(FileAccess, ReadsOnlyRegularFilesUpToTheLimit)
{
    Testing::TempFolder folder;
    const auto at = [&folder](const char* name) { return folder.Path() / name; };
    Testing::WriteFile(at("small"), "12");
    Testing::WriteFile(at("full"), std::string(16, 'x'));
    Testing::WriteFile(at("over"), std::string(17, 'x'));
    const std::string big(100000, 'b'); // more than one read
    Testing::WriteFile(at("big"), big);
    boost::filesystem::create_symlink(at("small"), at("link"));
    boost::filesystem::create_symlink(at("absent"), at("dangling"));
    boost::filesystem::create_directory(at("folder"));
    Testing::MakeFifo(at("fifo"));

    struct Case
    {
        boost::filesystem::path path;
        std::size_t limit;
        ErrorCode error; // kErrorSuccess: read
        std::string content;
    } cases[] = {
        {at("small"), 16, kErrorSuccess, "12"},
        {at("full"), 16, kErrorSuccess, std::string(16, 'x')},
        {at("over"), 16, kErrorFileTooLarge, ""},
        {at("big"), big.size(), kErrorSuccess, big},
        {at("big"), big.size() - 1, kErrorFileTooLarge, ""},
        {at("link"), 16, kErrorSuccess, "12"},
        {at("dangling"), 16, kErrorFileNotFound, ""},
        {at("absent"), 16, kErrorFileNotFound, ""},
        {at("small") / "x", 16, kErrorPathNotFound, ""},
        {at("folder"), 16, kErrorBadFileType, ""},
        {at("fifo"), 16, kErrorBadFileType, ""},
        {"/dev/zero", 16, kErrorBadFileType, ""},
    };
    for (const Case& c : cases)
    {
        std::string content = "untouched";
        const ErrorCode error = Testing::WithoutWaitingOn({at("fifo")}, [&] {
            const bool read = ReadRegularFile(c.path.wstring(), c.limit, content);
            EXPECT_EQ(read, GetLastError() == kErrorSuccess) << c.path;
            return GetLastError();
        });
        EXPECT_EQ(error, c.error) << c.path << " limit " << c.limit;
        EXPECT_EQ(content, c.error == kErrorSuccess ? c.content : "untouched") << c.path;
    }
}

TEST(FileAccess, WritesANewFileInPlaceOfWhateverIsThere)
{
    enum class Before
    {
        Nothing,
        File,
        DanglingLink,
        LinkToFile,
        Fifo,
        Folder,
    };
    struct Case
    {
        const char* name;
        Before before;
        ErrorCode error;
    } cases[] = {
        {"nothing", Before::Nothing, kErrorSuccess},
        {"a file", Before::File, kErrorSuccess},
        {"a dangling link", Before::DanglingLink, kErrorSuccess},
        {"a link to a file", Before::LinkToFile, kErrorSuccess},
        {"a FIFO", Before::Fifo, kErrorSuccess},
        {"a folder", Before::Folder, kErrorAccessDenied},
    };
    for (const Case& c : cases)
    {
        Testing::TempFolder folder;
        Testing::TempFolder outside;
        const auto file = folder.Path() / "lang";
        const auto target = outside.Path() / "target";
        switch (c.before)
        {
        case Before::Nothing:
            break;
        case Before::File:
            Testing::WriteFile(file, "old content");
            ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
            break;
        case Before::DanglingLink:
            boost::filesystem::create_symlink(target, file);
            break;
        case Before::LinkToFile:
            Testing::WriteFile(target, "theirs");
            boost::filesystem::create_symlink(target, file);
            break;
        case Before::Fifo:
            Testing::MakeFifo(file);
            break;
        case Before::Folder:
            boost::filesystem::create_directory(file);
            break;
        }
        const mode_t umask = ::umask(077);
        const ErrorCode error = Testing::WithoutWaitingOn({file}, [&] {
            WriteFileAtomically(file.wstring(), "12");
            return GetLastError();
        });
        ::umask(umask);

        EXPECT_EQ(error, c.error) << c.name;
        struct stat status{};
        ASSERT_EQ(::lstat(file.c_str(), &status), 0) << c.name;
        if (c.error == kErrorSuccess)
        {
            EXPECT_TRUE(S_ISREG(status.st_mode)) << c.name;
            EXPECT_EQ(status.st_mode & 07777, 0666u) << c.name;
            EXPECT_EQ(Testing::ReadFile(file), "12") << c.name;
        }
        else
        {
            EXPECT_TRUE(S_ISDIR(status.st_mode)) << c.name;
        }
        // Nothing else is left beside it, and a link's target is neither made nor changed.
        EXPECT_EQ(std::distance(boost::filesystem::directory_iterator(folder.Path()),
                                boost::filesystem::directory_iterator()),
                  1)
            << c.name;
        EXPECT_EQ(boost::filesystem::exists(target), c.before == Before::LinkToFile) << c.name;
        if (c.before == Before::LinkToFile)
        {
            EXPECT_EQ(Testing::ReadFile(target), "theirs");
        }
    }
}
