// The default web profile's settings. Taking the profile starts the web engine in this
// process, so these tests are a program of their own: the other Qt tests never start the
// engine, and the sanitizer run, which covers our code, leaves it out.
//
// The engine is never shut down here. Shut down a moment after it started, before an event
// loop has run its start-up, it sometimes crashed or hung in its own threads (one run in
// ten to twenty). So the tests run in a child process that ends once they have reported,
// and this process removes the engine's folders after it.

#include "app/QtProfile.h"
#include "app/WebEngineSandbox.h"
#include "platform/TextConversion.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QWebEngineProfile>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

TEST(QtProfile, TurnsTheHttpCacheOffAndAllowsPersistentCookies)
{
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    ASSERT_NE(profile, nullptr);
    // The opposite of each setting first, so that both must be set, not merely left alone.
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    KorvaneCommon::QtProfile::Configure();
    EXPECT_EQ(profile->httpCacheType(), QWebEngineProfile::NoCache);
    EXPECT_EQ(profile->persistentCookiesPolicy(), QWebEngineProfile::AllowPersistentCookies);
}

namespace
{
[[noreturn]] void RunTests(int argc, char** argv, const boost::filesystem::path& home)
{
    // The engine keeps the profile's files under the data and cache folders.
    Testing::ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", (home / "data").string()).Set("XDG_CACHE_HOME", (home / "cache").string());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The engine shares its OpenGL contexts, which it must be told before the application
    // object exists, and runs as root only without its sandbox.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    KorvaneUpdater::ConfigureWebEngineSandbox();
    new QApplication(argc, argv); // never destroyed: its end would shut the engine down
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(result);
}
}

int main(int argc, char** argv)
{
    Platform::UseUtf8Paths();
    Testing::TempFolder home;
    std::fflush(nullptr);
    const pid_t tests = fork();
    if (tests == -1)
    {
        std::perror("fork");
        return EXIT_FAILURE;
    }
    if (tests == 0)
        RunTests(argc, argv, home.Path());
    int status = 0;
    while (waitpid(tests, &status, 0) == -1)
    {
        if (errno != EINTR)
        {
            std::perror("waitpid");
            return EXIT_FAILURE;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
