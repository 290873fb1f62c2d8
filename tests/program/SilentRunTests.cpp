#include "support/ProgramSandbox.h"
#include "support/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

using Testing::ProgramSandbox;
using Testing::StatusOf;

namespace
{
bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Position of the first line equal to `line` at or after `from`; lines.size() when none.
std::size_t Find(const std::vector<std::string>& lines, const std::string& line, std::size_t from = 0)
{
    return static_cast<std::size_t>(std::find(lines.begin() + static_cast<long>(std::min(from, lines.size())),
                                              lines.end(), line) - lines.begin());
}
}

TEST(SilentRun, InstallCompletesWithTheFixedOptions)
{
    ProgramSandbox sandbox;
    const auto result = sandbox.Run({"--silent"}, "scenario=Install,step_ms=0");
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);

    const auto files = Testing::FilesIn(sandbox.LogsFolder());
    ASSERT_EQ(files.size(), 1u);
    const std::regex name(R"(\d{4}\.\d{2}\.\d{2}_\d{2}\.\d{2}\.\d{2}\.\d{6}_korvaneupdater_pid=\d+\.txt)");
    EXPECT_TRUE(std::regex_match(files[0].filename().string(), name)) << files[0];

    const std::regex record(
        R"(\[\d+\]\[(trace|debug|info|warning|error|fatal)\]\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{6}\])"
        R"(\[\d+:\d{2}:\d{2}\]\[0x[0-9a-f]{8}\]\[0x[0-9a-f]+\]\[KorvaneUpdater(Kernel)?\]\[[^\]]+\]\[\d+\]: .*)");
    const auto lines = Testing::ReadLines(files[0]);
    for (const auto& line : lines)
        EXPECT_TRUE(std::regex_match(line, record)) << line;

    const std::string log = sandbox.LogText();
    for (const char* expected :
         {"[KorvaneUpdater][main][", "]: version=12,10,151,0. command_line=--silent \n",
          "]: scenario detected. scenario=Install\n", "]: started\n", "[trace]", "]: progress position changed. progress=",
          "]: progress component changed. component=", "]: complete\n", "]: exit code=0\n"})
        EXPECT_NE(log.find(expected), std::string::npos) << expected;

    const auto journal = sandbox.JournalLines();
    const std::size_t init = Find(journal, "call Init");
    const std::size_t directory = Find(journal, "call SetInstallDirectory /opt/korvane/korvane antivirus", init);
    const std::size_t shortcut = Find(journal, "call SetCreateDesktopShortcut 1", directory);
    const std::size_t view = Find(journal, "call SetView silent", shortcut);
    const std::size_t start = Find(journal, "call Start", view);
    const std::size_t wait = Find(journal, "call WaitForCompletion", start);
    EXPECT_LT(wait, journal.size());
    EXPECT_FALSE(Contains(journal, "call SetCompatibleInstall 1"));
    EXPECT_FALSE(Contains(journal, "call SetScenario 5"));
    // The kernel host is built once: each export is called once.
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "call CreateParameters"), 1);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "call CreateDirector"), 1);
}

TEST(SilentRun, OutcomesBecomeInstallerExitCodes)
{
    struct Case
    {
        const char* simulation;
        int exitCode;
        const char* logged;
        bool started;
    } cases[] = {
        {"outcome=error,error_text=Disk write failure \xc3\xa4", 1603, "]: error. description=Disk write failure \xc3\xa4\n", true},
        {"scenario=LatestVersion", 0, "]: scenario detected. scenario=LatestVersion\n", false},
        {"scenario=AlreadyStarted", 1618, "]: scenario detected. scenario=AlreadyStarted\n", false},
        {"scenario=Change", 1603, "]: scenario detected. scenario=Change\n", false},
        {"scenario=18", 1603, "]: scenario detected. scenario=\n", false},
        {"reboot=1", 3010, "]: complete\n", true},
        {"busy=1", 1618, "]: another installation is in progress\n", true},
        {"disk_full=1", 1603, "]: not enough disc space\n", true},
        {"scenario=UninstallKV11", 0, "]: complete\n", true},
    };
    for (const Case& c : cases)
    {
        ProgramSandbox sandbox;
        const auto result = sandbox.Run({"--silent"}, std::string(c.simulation) + ",step_ms=0");
        ASSERT_TRUE(result.exited) << c.simulation;
        EXPECT_EQ(result.exitStatus, StatusOf(c.exitCode)) << c.simulation;
        const std::string log = sandbox.LogText();
        EXPECT_NE(log.find(c.logged), std::string::npos) << c.simulation;
        EXPECT_NE(log.find("]: exit code=" + std::to_string(c.exitCode) + "\n"), std::string::npos) << c.simulation;
        EXPECT_EQ(Contains(sandbox.JournalLines(), "call Start"), c.started) << c.simulation;
    }
}

TEST(SilentRun, IncompatibleProductsAskForACompatibleInstallFirst)
{
    ProgramSandbox sandbox;
    const auto result = sandbox.Run({"--silent"}, "incompatibles=1,step_ms=0");
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
    const auto journal = sandbox.JournalLines();
    const std::size_t compatible = Find(journal, "call SetCompatibleInstall 1");
    EXPECT_LT(compatible, Find(journal, "call SetInstallDirectory /opt/korvane/korvane antivirus"));
}

TEST(SilentRun, SwitchAnywhereAmongTheArguments)
{
    ProgramSandbox sandbox;
    const auto result = sandbox.Run({"first", "--silent", "last words"}, "scenario=LatestVersion");
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(sandbox.LogText().find("]: version=12,10,151,0. command_line=first --silent last words \n"),
              std::string::npos);
}

TEST(MissingKernel, BothModesFailWithTheDiagnosticText)
{
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--silent"}, std::vector<std::string>{}})
    {
        const bool windowed = arguments.empty();
        SCOPED_TRACE(windowed ? "windowed" : "silent");
        ProgramSandbox sandbox(ProgramSandbox::Layout{true, false, true});
        if (windowed)
        {
            // A display of Qt's own, and a saved language so that the language lookup
            // does not load the kernel: the windowed mode's own kernel load must fail,
            // before the web engine starts.
            sandbox.Environment()["QT_QPA_PLATFORM"] = "offscreen";
            sandbox.Environment()["QT_QUICK_BACKEND"] = "software";
            Testing::WriteFile(sandbox.LangFile(), "0");
        }
        const auto result = sandbox.Run(arguments, "");
        ASSERT_TRUE(result.exited);
        EXPECT_EQ(result.exitStatus, StatusOf(1603));
        const std::string log = sandbox.LogText();
        const std::string library = (sandbox.ProgramFolder() / "KorvaneUpdaterKernel.so").string();
        const std::string failure = "std::exception::what: " + library + "\n";
        EXPECT_NE(log.find("Throw in function"), std::string::npos) << log;
        EXPECT_NE(log.find(failure), std::string::npos) << log;
        EXPECT_NE(log.find("[ExceptionHelper::TagError*] = 126"), std::string::npos) << log;
        EXPECT_NE(log.find("]: exit code=1603\n"), std::string::npos) << log;
        if (windowed)
        {
            const auto windowed = log.find("]: run normal mode\n");
            ASSERT_NE(windowed, std::string::npos) << log;
            EXPECT_GT(log.find(failure), windowed) << log;
            EXPECT_EQ(log.find(failure), log.rfind(failure)) << "the kernel was loaded more than once\n" << log;
            EXPECT_EQ(log.find("]: create qapplication\n"), std::string::npos) << log;
        }
    }
}

// The window library is loaded only for the window: without it the silent mode still
// runs, and the windowed mode fails with the library's diagnostic text.
TEST(MissingWindowLibrary, OnlyTheWindowedModeFails)
{
    ProgramSandbox::Layout layout;
    layout.copyProgram = true;
    layout.withWindowLibrary = false;

    ProgramSandbox silent(layout);
    const auto silentResult = silent.Run({"--silent"}, "scenario=Install,step_ms=0");
    ASSERT_TRUE(silentResult.exited);
    EXPECT_EQ(silentResult.exitStatus, 0);

    ProgramSandbox windowed(layout);
    const auto result = windowed.Run({}, "scenario=Install,step_ms=0");
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, StatusOf(1603));
    const std::string log = windowed.LogText();
    const std::string library = (windowed.ProgramFolder() / "KorvaneUpdaterWindow.so").string();
    EXPECT_NE(log.find("std::exception::what: " + library + "\n[ExceptionHelper::TagError*] = 126\n"),
              std::string::npos) << log;
    EXPECT_NE(log.find("]: exit code=1603\n"), std::string::npos) << log;
}
