// The platform layer against the system itself: folders, libraries, file times and
// access, text, command lines and the restart's privilege.

#include "common/LocalizationOptions.h"
#include "common/SuiteFolders.h"
#include "common/UpdaterUrls.h"
#include "platform/CommandLine.h"
#include "platform/DriveType.h"
#include "platform/DynamicLibrary.h"
#include "platform/FileTime.h"
#include "platform/LastError.h"
#include "platform/LibraryNames.h"
#include "platform/Shell.h"
#include "platform/TextConversion.h"
#include "support/SuiteHome.h"
#include "support/TempFolder.h"
#include "support/TextFile.h"

#include "platform/win32/WindowsApi.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::wstring SystemFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    EXPECT_EQ(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return path;
}

// A file time of a UTC date and time.
FILETIME ToFiletime(WORD year, WORD month, WORD day, WORD hour)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    FILETIME result{};
    ::SystemTimeToFileTime(&time, &result);
    return result;
}

Platform::FileTime AsFileTime(const FILETIME& time)
{
    return (static_cast<Platform::FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Creates (or replaces) an empty file and sets its creation time. Wine keeps no creation
// time of its own on Linux file systems and reports the last write time for it, so that
// is set too.
void CreateFileCreatedAt(const boost::filesystem::path& path, const FILETIME& creation)
{
    boost::filesystem::create_directories(path.parent_path());
    const HANDLE file = ::CreateFileW(path.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(::SetFileTime(file, &creation, nullptr, &creation));
    ::CloseHandle(file);
}

// The suite's folders start empty for each test that writes to them.
class SuiteFoldersTest : public testing::Test
{
protected:
    Testing::SuiteHome home_;
};
}

TEST(WindowsFolders, TheSuiteLivesInTheSystemsSpecialFolders)
{
    const std::wstring common = SystemFolder(CSIDL_COMMON_APPDATA);
    EXPECT_EQ(common, L"C:\\ProgramData");
    EXPECT_EQ(KorvaneCommon::SuiteFolders::Data().wstring(), common + L"\\korvane\\korvane antivirus");
    EXPECT_EQ(KorvaneCommon::SuiteFolders::Logs().wstring(), common + L"\\korvane\\korvane antivirus\\Logs");
    EXPECT_EQ(KorvaneCommon::SuiteFolders::Options().wstring(), common + L"\\korvane\\korvane antivirus\\Options");
    EXPECT_EQ(KorvaneCommon::SuiteFolders::UserOptions().wstring(),
              SystemFolder(CSIDL_APPDATA) + L"\\korvane\\korvane antivirus\\Options");
}

TEST(WindowsLibraries, LoadFailuresCarryTheSystemsCodes)
{
    Testing::TempFolder folder;
    const auto missing = folder.Path() / Platform::kKernelLibraryName;
    EXPECT_EQ(Platform::LoadLibrary(missing.wstring()), nullptr);
    EXPECT_EQ(Platform::GetLastError(), Platform::kErrorModNotFound);

    const auto text = folder.Path() / "text.dll";
    Testing::WriteFile(text, "not a library\r\n");
    EXPECT_EQ(Platform::LoadLibrary(text.wstring()), nullptr);
    EXPECT_EQ(Platform::GetLastError(), Platform::kErrorBadExeFormat);

    const std::wstring crashHandler = Platform::Utf8ToWide(KORVANE_BIN_DIR) + L"\\" +
                                      Platform::kCrashHandlerLibraryName;
    const Platform::LibraryHandle library = Platform::LoadLibrary(crashHandler);
    ASSERT_NE(library, nullptr) << Platform::GetLastError();
    EXPECT_NE(Platform::GetProcAddress(library, "PostBug"), nullptr);
    EXPECT_EQ(Platform::GetProcAddress(library, "CreateDirector"), nullptr);
    EXPECT_EQ(Platform::GetLastError(), Platform::kErrorProcNotFound);
    EXPECT_TRUE(Platform::FreeLibrary(library));
}

TEST(WindowsFileTimes, TheCreationTimeIsTheOneTheFileSystemKeeps)
{
    Testing::TempFolder folder;
    const auto path = folder.Path() / "marker";
    const FILETIME created = ToFiletime(2019, 6, 3, 12);
    CreateFileCreatedAt(path, created);

    Platform::FileTimes times;
    ASSERT_TRUE(Platform::GetFileTimes(path.wstring(), times)) << Platform::GetLastError();
    EXPECT_EQ(times.creation, AsFileTime(created));
    EXPECT_GT(times.lastAccess, times.creation);
    // A folder opens too.
    EXPECT_TRUE(Platform::GetFileTimes(folder.Path().wstring(), times));

    EXPECT_FALSE(Platform::GetFileTimes((folder.Path() / "missing").wstring(), times));
    EXPECT_EQ(Platform::GetLastError(), Platform::kErrorFileNotFound);
}

TEST_F(SuiteFoldersTest, TheExampleLinkTakesItsInstallDateFromTheFirstRunMarker)
{
    Testing::WriteFile(KorvaneCommon::SuiteFolders::Options() / "lang", "1");
    CreateFileCreatedAt(KorvaneCommon::SuiteFolders::UserOptions() / "FirstRun", ToFiletime(2019, 6, 3, 12));
    EXPECT_EQ(KorvaneCommon::UpdaterUrls::GetUlr(2),
              L"https://redirect.korvane.com/"
              L"redirect.php?LID=LID002&userflow=renew_inapp&culture=de&utm_source=app0000&utm_medium=med0001"
              L"&utm_campaign=cam00001&time=0&InstallDate=20190603&mvt-inter=korvane&IGUID=&version=12.10.151.0"
              L"&lang=de");
}

TEST_F(SuiteFoldersTest, TheSavedLanguageIsOpenToEveryone)
{
    KorvaneCommon::LocalizationOptions::SaveLocale(7);
    const std::wstring path = (KorvaneCommon::SuiteFolders::Options() / "lang").wstring();
    EXPECT_EQ(Testing::ReadFile(path), "7");

    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                      &dacl, nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_NE(dacl, nullptr);
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof everyone;
    ASSERT_TRUE(::CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size));

    ACCESS_MASK granted = 0;
    for (DWORD i = 0; i < dacl->AceCount; ++i)
    {
        void* entry = nullptr;
        if (!::GetAce(dacl, i, &entry))
            continue;
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        if (allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
            ::EqualSid(const_cast<DWORD*>(&allowed->SidStart), everyone))
            granted |= allowed->Mask;
    }
    ::LocalFree(descriptor);
    // Stored either as the generic rights or as what they stand for on a file.
    const bool reads = (granted & GENERIC_READ) != 0 || (granted & FILE_GENERIC_READ) == FILE_GENERIC_READ;
    const bool writes = (granted & GENERIC_WRITE) != 0 || (granted & FILE_GENERIC_WRITE) == FILE_GENERIC_WRITE;
    EXPECT_TRUE(reads && writes) << std::hex << granted;
}

TEST(WindowsText, WideTextIsUtf16BothWays)
{
    struct Case
    {
        std::string utf8;
        std::wstring wide;
    } cases[] = {
        {"abc", L"abc"},
        {"\xC3\xA4\xE2\x82\xAC", L"\x00E4\x20AC"},
        {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},         // outside the basic plane: a surrogate pair
        {"\xF4\x8F\xBF\xBF", L"\xDBFF\xDFFF"},          // the last code point
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(Platform::Utf8ToWide(c.utf8), c.wide) << c.utf8;
        EXPECT_EQ(Platform::WideToUtf8(c.wide), c.utf8) << c.utf8;
    }
    // Broken input: a lone surrogate becomes U+FFFD; a cut-short sequence is replaced and
    // what follows it still decodes.
    EXPECT_EQ(Platform::WideToUtf8(std::wstring(L"a\xD800" L"b")), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Platform::WideToUtf8(std::wstring(L"\xDE00")), "\xEF\xBF\xBD");
    EXPECT_EQ(Platform::Utf8ToWide("a\xF0\x9F" "b"), L"a\xFFFD" L"b");
    EXPECT_EQ(Platform::Utf8ToWide("\xFF"), L"\xFFFD");
}

TEST(WindowsCommandLine, JoinedArgumentsSplitBackTheSystemsWay)
{
    const std::vector<std::wstring> arguments = {
        L"korvaneupdater.exe", L"--silent", L"", L"two words", L"quote\"inside", L"trailing\\",
        L"C:\\Program Files\\korvane\\", L"back\\\\\"slashes", L"tab\there", L"\xD83D\xDE00"};
    const std::wstring line = Platform::JoinCommandLine(arguments);
    int count = 0;
    wchar_t** split = ::CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(split, nullptr);
    ASSERT_EQ(static_cast<std::size_t>(count), arguments.size()) << line;
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(std::wstring(split[i]), arguments[static_cast<std::size_t>(i)]) << line;
    ::LocalFree(split);
}

TEST(WindowsDrives, TheTypeIsThatOfTheSelectedPathItself)
{
    EXPECT_EQ(Platform::GetDriveType(L"C:\\"), Platform::kDriveFixed);
    // A drive that does not exist has no root. (Wine answers for the drive of any path on
    // it, where Windows answers kDriveNoRootDir for a path that is not a drive's root.)
    EXPECT_EQ(Platform::GetDriveType(L"Q:\\"), Platform::kDriveNoRootDir);
    EXPECT_TRUE(Platform::IsDriveReady(L"C:\\"));
}

TEST(WindowsRestart, TheShutdownPrivilegeIsEnabledInTheProcessToken)
{
    Platform::ShutdownPrivilegeStep failed{};
    ASSERT_TRUE(Platform::EnableShutdownPrivilege(failed));

    HANDLE token = nullptr;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token));
    PRIVILEGE_SET privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Control = PRIVILEGE_SET_ALL_NECESSARY;
    ASSERT_TRUE(::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privilege[0].Luid));
    BOOL enabled = FALSE;
    ASSERT_TRUE(::PrivilegeCheck(token, &privileges, &enabled));
    ::CloseHandle(token);
    EXPECT_TRUE(enabled);
}
