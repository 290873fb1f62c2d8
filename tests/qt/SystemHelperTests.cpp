#include "support/EventWait.h"
#include "qt/KernelFixture.h"
#include "ui/SystemHelper.h"

#include <boost/process/search_path.hpp>

#include <algorithm>

class SystemHelperTest : public Testing::KernelFixture
{
protected:
    void SetUp() override
    {
        Configure("step_ms=0");
        // Never let a test reach the real service manager.
        ASSERT_EQ(boost::process::search_path("systemctl").string(), std::string(KORVANE_FAKE_BIN) + "/systemctl");
    }
};

TEST_F(SystemHelperTest, ExecuteHandsTheTargetToTheOpenerUnchanged)
{
    QtCommon::SystemHelper helper;
    helper.Execute(QString::fromUtf8("/tmp/a file & more; $(rm -rf /)"));
    helper.Execute(QStringLiteral("https://example.com/?a=1&b=2"));
    ASSERT_TRUE(Testing::WaitUntil([&] {
        const std::string opened = OpenedTargets();
        return std::count(opened.begin(), opened.end(), '\n') == 2;
    }));
    // Each opener runs on its own, so they may record in either order.
    const std::string opened = OpenedTargets();
    EXPECT_TRUE(opened == "/tmp/a file & more; $(rm -rf /)\nhttps://example.com/?a=1&b=2\n" ||
                opened == "https://example.com/?a=1&b=2\n/tmp/a file & more; $(rm -rf /)\n")
        << opened;
}

TEST_F(SystemHelperTest, RebootAsksTheServiceManager)
{
    QtCommon::SystemHelper helper;
    helper.Reboot();
    EXPECT_EQ(SystemctlRequests(), "reboot\n");
    EXPECT_EQ(LogText().find("[error]"), std::string::npos);
}

TEST_F(SystemHelperTest, ARefusedRebootIsLoggedAndTheProgramGoesOn)
{
    environment_.Set("KORVANE_FAKE_SYSTEMCTL_STATUS", "1");
    QtCommon::SystemHelper helper;
    EXPECT_NO_THROW(helper.Reboot());
    const std::string log = LogText();
    EXPECT_NE(log.find("[error]"), std::string::npos);
    EXPECT_NE(log.find("std::exception::what: ExitWindowsEx() failed.\n"), std::string::npos) << log;
    EXPECT_NE(log.find("[ExceptionHelper::TagError*] = "), std::string::npos) << log;
}

TEST_F(SystemHelperTest, DesktopPathFromTheHomeFolder)
{
    QtCommon::SystemHelper helper;
    EXPECT_EQ(helper.GetDesktopPath().toStdString(), (home_.Path() / "Desktop").string());
    environment_.Unset("HOME");
    EXPECT_EQ(helper.GetDesktopPath(), QString());
    EXPECT_EQ(LogText().find("[error]"), std::string::npos);
}
