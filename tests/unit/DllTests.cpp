#include "kernel_bridge/DllHelper/Dll"
#include "kernel_bridge/Kernel/Exports.h"
#include "platform/LastError.h"
#include "platform/LibraryNames.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <functional>

using DllHelper::DllTag;
using DllHelper::Detail::Dll;
using DllHelper::Detail::DllFunction;

namespace
{
// System calls as usual, except that unloading fails.
struct FailingFreeTag : DllTag
{
    static bool Free(Platform::LibraryHandle module)
    {
        DllTag::Free(module);
        Platform::SetLastError(Platform::kErrorInvalidHandle);
        return false;
    }
};

std::string Diagnostic(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (const ExceptionHelper::Exception&)
    {
        return ExceptionHelper::CurrentDiagnosticText();
    }
    return "no exception";
}
}

TEST(Dll, AMissingLibraryNamesItsPathAndCode126)
{
    Testing::TempFolder folder;
    const auto path = folder.Path() / Platform::kKernelLibraryName;
    const std::string text = Diagnostic([&] { Dll<DllTag> dll(path); });
    EXPECT_NE(text.find("std::exception::what: " + path.string()), std::string::npos) << text;
    EXPECT_NE(text.find("[ExceptionHelper::TagError*] = 126"), std::string::npos) << text;
    EXPECT_NE(text.find("Dll("), std::string::npos) << text;
}

TEST(DllFunction, AMissingExportIsNamedExactly)
{
    auto dll = boost::make_shared<Dll<DllTag>>(KORVANE_EMPTY_LIBRARY);
    for (const char* name : {KorvaneUpdaterKernel::kCreateParametersExport, KorvaneUpdaterKernel::kCreateDirectorExport})
    {
        const std::string text = Diagnostic([&] { DllFunction<KorvaneUpdaterKernel::CreateParametersFunction> f(dll, name); });
        EXPECT_NE(text.find(std::string("std::exception::what: ") + name + "\n"), std::string::npos) << text;
        EXPECT_NE(text.find("[ExceptionHelper::TagError*] = 127"), std::string::npos) << text;
    }
}

TEST(DllFunction, NoLibraryIsAnErrorWithoutCode)
{
    const std::string text =
        Diagnostic([] { DllFunction<void()> f(boost::shared_ptr<Dll<DllTag>>(), "CreateDirector"); });
    EXPECT_NE(text.find("std::exception::what: CreateDirector"), std::string::npos) << text;
    EXPECT_EQ(text.find("TagError"), std::string::npos) << text;
}

TEST(Dll, AFailedUnloadIsLoggedNotThrown)
{
    Testing::LogCapture log;
    EXPECT_NO_THROW({ Dll<FailingFreeTag> dll(KORVANE_EMPTY_LIBRARY); });
    const std::string text = log.Text();
    EXPECT_NE(text.find("[error]"), std::string::npos) << text;
    EXPECT_NE(text.find("std::exception::what: Couldn't free library"), std::string::npos) << text;
    EXPECT_NE(text.find("[ExceptionHelper::TagError*] = 6"), std::string::npos) << text;
}
