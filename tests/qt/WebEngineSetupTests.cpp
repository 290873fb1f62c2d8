#include "app/QtHighDpiScaling.h"
#include "app/QtRenderMode.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace
{
struct Attributes
{
    bool openGles;
    bool softwareOpenGl;
};

Attributes ConfigureWith(const char* value)
{
    Testing::ScopedEnvironment environment;
    value ? environment.Set("KORVANE_ANTIVIRUS_RENDER_MODE", value) : environment.Unset("KORVANE_ANTIVIRUS_RENDER_MODE");
    QCoreApplication::setAttribute(Qt::AA_UseOpenGLES, false);
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, false);
    KorvaneCommon::QtRenderMode::Configure();
    return {QCoreApplication::testAttribute(Qt::AA_UseOpenGLES),
            QCoreApplication::testAttribute(Qt::AA_UseSoftwareOpenGL)};
}
}

TEST(QtRenderMode, ChoosesTheRenderPathFromTheEnvironment)
{
    struct Case
    {
        const char* value;
        bool openGles;
        bool softwareOpenGl;
        const char* error; // null: none
    } cases[] = {
        {nullptr, true, false, nullptr},
        {"", true, false, nullptr},
        {"0", true, false, nullptr},
        {"1", false, true, nullptr},
        {"  1", false, true, nullptr},
        {"+1", false, true, nullptr},
        {"01", false, true, nullptr},
        {"1abc", false, true, nullptr},
        {"2", false, false, "]: unknown qt render mode=2\n"},
        {"-1", false, false, "]: unknown qt render mode=-1\n"},
        {"abc", false, false, "]: invalid stoi argument\n"},
        {"99999999999", false, false, "]: stoi argument out of range\n"},
    };
    for (const Case& c : cases)
    {
        Testing::LogCapture log;
        const Attributes attributes = ConfigureWith(c.value);
        EXPECT_EQ(attributes.openGles, c.openGles) << (c.value ? c.value : "unset");
        EXPECT_EQ(attributes.softwareOpenGl, c.softwareOpenGl) << (c.value ? c.value : "unset");
        const std::string text = log.Text();
        if (c.error != nullptr)
            EXPECT_NE(text.find(c.error), std::string::npos) << text;
        else
            EXPECT_EQ(text.find("[error]"), std::string::npos) << text;
        EXPECT_NE(text.find("]: render mode=" + std::string(c.value ? c.value : "") + "\n"), std::string::npos) << text;
    }
}

TEST(QtHighDpiScaling, IsAlwaysOn)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    KorvaneCommon::QtHighDpiScaling::Configure();
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling));
}
