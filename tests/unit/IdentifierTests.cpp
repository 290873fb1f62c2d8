#include "kernel_bridge/Kernel/ComponentId.h"
#include "kernel_bridge/Kernel/Scenario.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using namespace KorvaneUpdaterKernel;

TEST(Scenario, NamesFollowTheKernelsNumbering)
{
    const wchar_t* names[] = {L"Unknown", L"RebootRequired", L"UninstallKV9", L"UninstallKV10", L"LatestVersion",
                              L"Install", L"Update", L"InstallRealTimeProtection", L"InstallNetworkProtection",
                              L"Uninstall", L"AlreadyStarted", L"InstallActiveVirusControl", L"Repair", L"Change",
                              L"VeltrionDetected", L"Corrupted", L"UninstallKV11", L"InstallFeatures"};
    Testing::LogCapture log;
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(Scenario::ToString(static_cast<Scenario::Enum>(i)), names[i]);
    EXPECT_EQ(log.Text().find("[error]"), std::string::npos);
}

TEST(Scenario, AnUnknownNumberIsLoggedAndHasNoName)
{
    Testing::LogCapture log;
    EXPECT_EQ(Scenario::ToString(static_cast<Scenario::Enum>(18)), L"");
    EXPECT_EQ(Scenario::ToString(static_cast<Scenario::Enum>(-1)), L"");
    const std::string text = log.Text();
    EXPECT_NE(text.find("[error]"), std::string::npos);
    EXPECT_NE(text.find("]: Unknown scenario. Scenario=18\n"), std::string::npos) << text;
    EXPECT_NE(text.find("]: Unknown scenario. Scenario=-1\n"), std::string::npos) << text;
}

TEST(ComponentId, NamesAndUnknownNumbers)
{
    EXPECT_EQ(ComponentToString(ComponentId::Korvane), L"Korvane");
    EXPECT_EQ(ComponentToString(ComponentId::KorvaneAntivirus), L"Korvane Antivirus");
    EXPECT_EQ(ComponentToString(ComponentId::KorvaneInstaller), L"KorvaneInstaller");
    EXPECT_EQ(ComponentToString(ComponentId::KorvaneBrowser), L"KorvaneBrowser");
    Testing::LogCapture log;
    EXPECT_EQ(ComponentToString(static_cast<ComponentId>(16)), L"");
    EXPECT_EQ(ComponentToString(static_cast<ComponentId>(-1)), L"");
    EXPECT_EQ(log.Text(), "");
}
