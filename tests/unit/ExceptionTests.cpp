#include "common/ExceptionHelper.h"
#include "common/ProcessHelper.h"
#include "common/Special.h"

#include <boost/exception/get_error_info.hpp>
#include "platform/LastError.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
template <class Throw>
std::string DiagnosticOf(Throw&& raise)
{
    try
    {
        raise();
    }
    catch (...)
    {
        return ExceptionHelper::CurrentDiagnosticText();
    }
    return {};
}
}

TEST(ExceptionHelper, WindowsErrorNamesPlaceTypeTextAndCode)
{
    const std::string text =
        DiagnosticOf([] { BOOST_THROW_EXCEPTION(ExceptionHelper::Windows("LoadLibrary failed", 126)); });
    EXPECT_NE(text.find("ExceptionTests.cpp("), std::string::npos) << text;
    EXPECT_NE(text.find("Throw in function "), std::string::npos) << text;
    EXPECT_NE(text.find("Dynamic exception type: boost::wrapexcept<ExceptionHelper::Windows>"), std::string::npos);
    EXPECT_NE(text.find("std::exception::what: LoadLibrary failed"), std::string::npos);
    EXPECT_NE(text.find("[ExceptionHelper::TagError*] = 126"), std::string::npos) << text;
}

TEST(ExceptionHelper, WindowsErrorReadsTheLastErrorWhenNotGiven)
{
    Platform::SetLastError(193);
    const std::string text = DiagnosticOf([] { BOOST_THROW_EXCEPTION(ExceptionHelper::Windows("x")); });
    EXPECT_NE(text.find("[ExceptionHelper::TagError*] = 193"), std::string::npos) << text;
}

TEST(ExceptionHelper, UnknownExceptionsHaveNoDiagnosticInformation)
{
    EXPECT_EQ(DiagnosticOf([] { throw 42; }), "No diagnostic information available.");
}

TEST(ExceptionHelper, ThrownErrorsCanBeRethrownFromAnExceptionPointer)
{
    std::exception_ptr stored;
    try
    {
        BOOST_THROW_EXCEPTION(ExceptionHelper::Exception("stored"));
    }
    catch (...)
    {
        stored = std::current_exception();
    }
    EXPECT_THROW(std::rethrow_exception(stored), ExceptionHelper::Exception);
}

TEST(PathLookups, FolderPathFailsWithItsMessage)
{
    try
    {
        PathHelper::Special::FolderPath(0x7F);
        FAIL() << "no exception";
    }
    catch (const ExceptionHelper::Exception& e)
    {
        EXPECT_STREQ(e.what(), "SHGetFolderPath FAILED");
        EXPECT_EQ(boost::get_error_info<ExceptionHelper::ErrorCode>(e), nullptr);
    }
}

TEST(PathLookups, FolderPathKeepsTheBytesOfTheEnvironment)
{
    Testing::ScopedEnvironment environment;
    environment.Set("HOME", "/home/j\xf6rg").Unset("XDG_DATA_HOME");
    EXPECT_EQ(PathHelper::Special::FolderPath(0x23).string(), "/home/j\xf6rg/.local/share");
}

TEST(PathLookups, ProgramPathIsThisExecutable)
{
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    EXPECT_EQ(ProcessHelper::Process::Path().string(), self);
}
