// The default web profile's settings. Taking the profile starts the web engine in this
// process, so these tests are a program of their own: the other Qt tests never start the
// engine, and the sanitizer run, which covers our code, leaves it out.

#include "app/QtProfile.h"
#include "app/WebEngineSandbox.h"
#include "platform/TextConversion.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QWebEngineProfile>

#include <gtest/gtest.h>

TEST(QtProfile, TurnsTheHttpCacheOffAndAllowsPersistentCookies)
{
    // The engine keeps the profile's files under the data and cache folders, here
    // temporary ones.
    Testing::TempFolder home;
    Testing::ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", (home.Path() / "data").string())
        .Set("XDG_CACHE_HOME", (home.Path() / "cache").string());
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    ASSERT_NE(profile, nullptr);
    // The opposite of each setting first, so that both must be set, not merely left alone.
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    KorvaneCommon::QtProfile::Configure();
    EXPECT_EQ(profile->httpCacheType(), QWebEngineProfile::NoCache);
    EXPECT_EQ(profile->persistentCookiesPolicy(), QWebEngineProfile::AllowPersistentCookies);
}

int main(int argc, char** argv)
{
    Platform::UseUtf8Paths();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The engine shares its OpenGL contexts, which it must be told before the application
    // object exists, and runs as root only without its sandbox.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    KorvaneUpdater::ConfigureWebEngineSandbox();
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
