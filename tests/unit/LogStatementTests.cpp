#include "common/Log.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
int evaluations = 0;

struct Counted
{
};

std::wostream& operator<<(std::wostream& stream, Counted)
{
    ++evaluations;
    return stream << L"counted";
}

struct Throwing
{
};

std::wostream& operator<<(std::wostream&, Throwing)
{
    throw std::runtime_error("formatting failed");
}

struct ThrowingAnything
{
};

std::wostream& operator<<(std::wostream&, ThrowingAnything)
{
    throw 7;
}

namespace Outer
{
struct Widget
{
    void Method() { LOG_INFO(L"from method"); }
    void WithLambda()
    {
        auto lambda = [](int) { LOG_INFO(L"from lambda"); };
        lambda(1);
    }
};
}
}

TEST(FunctionName, QualifiedNameFromTheCompilersSignature)
{
    struct Case
    {
        const char* signature;
        const wchar_t* name;
    } cases[] = {
        {"void KorvaneCommon::LocalizationOptions::SaveLocale(std::size_t)",
         L"KorvaneCommon::LocalizationOptions::SaveLocale"},
        {"int main(int, char**)", L"main"},
        {"KorvaneUpdater::QtKernelWrapper::QtKernelWrapper()", L"KorvaneUpdater::QtKernelWrapper::QtKernelWrapper"},
        {"virtual KorvaneUpdater::QtKernelWrapper::~QtKernelWrapper()",
         L"KorvaneUpdater::QtKernelWrapper::~QtKernelWrapper"},
        {"static std::size_t A::B::Load() const", L"A::B::Load"},
        {"std::vector<std::pair<int, int> > A::Pairs(const std::map<int, int>&)", L"A::Pairs"},
        {"KorvaneUpdater::RunSilentMode()::<lambda(int32_t)>", L"KorvaneUpdater::RunSilentMode::<lambda>::operator ()"},
        {"void A::F()::<lambda()>::operator()() const", L"A::F::<lambda>::operator()"},
        {"DllHelper::Detail::Dll<Tag>::~Dll() [with Tag = DllHelper::DllTag]", L"DllHelper::Detail::Dll<Tag>::~Dll"},
        {"void {anonymous}::Helper(int)", L"{anonymous}::Helper"},
        {"void A::Callable::operator()(int)", L"A::Callable::operator()"},
        {"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Log::Detail::FunctionName(c.signature).Text(), c.name) << c.signature;
}

TEST(LogStatement, WritesModuleFunctionLineAndMessage)
{
    Testing::LogCapture log;
    const int line = __LINE__ + 1;
    LOG_INFO(L"answer=" << 42 << L" text=" << std::string("narrow"));
    Outer::Widget widget;
    widget.Method();
    widget.WithLambda();

    const std::string text = log.Text();
    EXPECT_NE(text.find("[KorvaneUpdater][LogStatement_WritesModuleFunctionLineAndMessage_Test::TestBody][" +
                        std::to_string(line) + "]: answer=42 text=narrow\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[KorvaneUpdater][{anonymous}::Outer::Widget::Method]["), std::string::npos) << text;
    EXPECT_NE(text.find("[KorvaneUpdater][{anonymous}::Outer::Widget::WithLambda::<lambda>::operator ()]["),
              std::string::npos)
        << text;
}

TEST(LogStatement, FilteredOutMessagesAreNeverFormatted)
{
    evaluations = 0;
    LOG_ERROR(Counted{}); // no logger at all
    {
        Testing::LogCapture log(Log::Level::Error);
        LOG_DEBUG(Counted{});
        LOG_INFO(Counted{});
        EXPECT_EQ(evaluations, 0);
        LOG_ERROR(Counted{});
        EXPECT_EQ(evaluations, 1);
        EXPECT_EQ(log.Text().find("[debug]"), std::string::npos);
    }
    LOG_ERROR(Counted{}); // after the logger has gone
    EXPECT_EQ(evaluations, 1);
}

TEST(LogStatement, NeverThrowsAndLaterStatementsStillWrite)
{
    Testing::LogCapture log;
    EXPECT_NO_THROW(LOG_ERROR(L"before " << Throwing{}));
    EXPECT_NO_THROW(LOG_ERROR(L"before " << ThrowingAnything{}));
    LOG_ERROR(L"still writing");
    EXPECT_NE(log.Text().find("still writing"), std::string::npos);
}

TEST(LogStatement, NonAsciiTextIsWrittenAsUtf8)
{
    Testing::LogCapture log;
    LOG_INFO(L"wide=\u65e5\u672c\u8a9e narrow=" << std::string("\xd0\xa0\xd1\x83\xd1\x81"));
    EXPECT_NE(log.Text().find("wide=\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e narrow=\xd0\xa0\xd1\x83\xd1\x81"),
              std::string::npos);
}
