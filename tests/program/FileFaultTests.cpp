#include "support/Fifo.h"
#include "support/ProgramSandbox.h"
#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>

using Testing::ProgramSandbox;
using Testing::StatusOf;

namespace fs = boost::filesystem;

namespace
{
// The program's last record is the exit code (the kernel may still write its own after it).
bool EndsWithExitCode(const std::string& log, int exitCode)
{
    std::string last;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
    {
        if (line.find("][KorvaneUpdater][") != std::string::npos)
            last = line;
    }
    const std::string expected = "]: exit code=" + std::to_string(exitCode);
    return last.size() >= expected.size() &&
           last.compare(last.size() - expected.size(), expected.size(), expected) == 0;
}

// Every path below the folder, links not followed.
std::set<std::string> Tree(const fs::path& folder)
{
    std::set<std::string> paths;
    for (fs::recursive_directory_iterator it(folder), end; it != end; ++it)
        paths.insert(it->path().string());
    return paths;
}

// The suite's data folder for the HOME the program is given.
fs::path DataFolderOf(ProgramSandbox& sandbox)
{
    return fs::path(sandbox.Environment()["HOME"]) / ".local" / "share" / "korvane" / "korvane antivirus";
}

// Whatever the run added below the sandbox's home lies in the data folder (or on the way
// to it), or is the simulated kernel's journal.
void ExpectNothingWrittenElsewhere(ProgramSandbox& sandbox, const std::set<std::string>& before, const std::string& row)
{
    const std::string data = DataFolderOf(sandbox).string();
    for (const std::string& path : Tree(sandbox.Home()))
    {
        if (before.count(path) != 0 || path == (sandbox.Home() / "journal.txt").string())
            continue;
        const bool inData = path.compare(0, data.size() + 1, data + "/") == 0 || path == data;
        const bool onTheWay = data.compare(0, path.size() + 1, path + "/") == 0;
        EXPECT_TRUE(inData || onTheWay) << row << ": " << path;
    }
}
}

TEST(FileFaults, AnyLocaleLetsBothModesStart)
{
    struct Case
    {
        const char* name;
        std::map<std::string, std::string> environment;
        const char* saved; // the kernel names the language after LANG
    } cases[] = {
        {"installed", {{"LANG", "C.UTF-8"}}, "0"},
        {"missing", {{"LANG", "de_DE.UTF-8"}}, "1"},
        {"missing LC_ALL", {{"LANG", "de_DE.UTF-8"}, {"LC_ALL", "fr_FR.UTF-8"}}, "1"},
        {"missing LC_CTYPE", {{"LC_CTYPE", "ja_JP.eucJP"}}, "0"},
        {"missing LC_MESSAGES", {{"LANG", "C.UTF-8"}, {"LC_MESSAGES", "uk_UA"}}, "0"},
        {"malformed", {{"LANG", "pl_PL.UTF-8@@/../x"}}, "8"},
        {"empty", {{"LANG", ""}, {"LC_ALL", ""}, {"LC_CTYPE", ""}}, "0"},
    };
    for (const Case& c : cases)
    {
        // Without a display the window cannot open: the windowed mode fails after logging.
        for (const bool silent : {true, false})
        {
            const std::string row = std::string(c.name) + (silent ? ", silent" : ", windowed");
            ProgramSandbox sandbox;
            for (const auto& [name, value] : c.environment)
                sandbox.Environment()[name] = value;
            const auto result = sandbox.Run(silent ? std::vector<std::string>{"--silent"} : std::vector<std::string>{},
                                            "scenario=LatestVersion,step_ms=0");
            ASSERT_TRUE(result.exited) << row << ": signal " << result.signal;
            const int exitCode = silent ? 0 : 1603;
            EXPECT_EQ(result.exitStatus, StatusOf(exitCode)) << row;
            const std::string log = sandbox.LogText();
            EXPECT_NE(log.find("]: version=12,10,151,0. command_line="), std::string::npos) << row;
            EXPECT_TRUE(EndsWithExitCode(log, exitCode)) << row << "\n" << log;
            EXPECT_EQ(Testing::ReadFile(sandbox.LangFile()), c.saved) << row;
        }
    }
}

TEST(FileFaults, OptionFilesAndFoldersInStrangeShapes)
{
    using Step = std::function<void(ProgramSandbox&)>;
    const auto elsewhere = [](ProgramSandbox& sandbox) { return sandbox.Home() / "elsewhere" / "lang"; };
    const auto options = [](ProgramSandbox& sandbox) { return DataFolderOf(sandbox) / "Options"; };
    const auto otherFiles = [options](ProgramSandbox& sandbox) {
        return std::vector<fs::path>{options(sandbox) / "Partner.xml", options(sandbox) / "tr.xml",
                                     DataFolderOf(sandbox) / "Statistics" / "installation"};
    };
    const auto savedGerman = [options](ProgramSandbox& sandbox) {
        const fs::path lang = options(sandbox) / "lang";
        struct stat status{};
        ASSERT_EQ(::lstat(lang.c_str(), &status), 0);
        EXPECT_TRUE(S_ISREG(status.st_mode));
        EXPECT_EQ(status.st_mode & 0777, 0666u);
        EXPECT_EQ(Testing::ReadFile(lang), "1");
    };
    struct Case
    {
        const char* name;
        Step arrange;
        const char* logged;
        Step check;
    } cases[] = {
        {"a dangling link at lang",
         [elsewhere](ProgramSandbox& sandbox) {
             fs::create_directories(elsewhere(sandbox).parent_path());
             fs::create_directories(sandbox.LangFile().parent_path());
             fs::create_symlink(elsewhere(sandbox), sandbox.LangFile());
         },
         "]: language=de\n",
         [elsewhere, savedGerman](ProgramSandbox& sandbox) {
             EXPECT_FALSE(fs::exists(fs::symlink_status(elsewhere(sandbox))));
             savedGerman(sandbox);
         }},
        {"a FIFO at lang", [](ProgramSandbox& sandbox) { Testing::MakeFifo(sandbox.LangFile()); },
         "]: language changed by user. skip language detection\n",
         [](ProgramSandbox& sandbox) { EXPECT_EQ(fs::status(sandbox.LangFile()).type(), fs::fifo_file); }},
        {"FIFOs at the partner, tracking and installation files",
         [otherFiles](ProgramSandbox& sandbox) {
             for (const auto& file : otherFiles(sandbox))
                 Testing::MakeFifo(file);
         },
         "]: language=de\n",
         [otherFiles, savedGerman](ProgramSandbox& sandbox) {
             for (const auto& file : otherFiles(sandbox))
                 EXPECT_EQ(fs::status(file).type(), fs::fifo_file) << file;
             savedGerman(sandbox);
         }},
        {"a home whose name is not UTF-8",
         [](ProgramSandbox& sandbox) {
             const fs::path home = sandbox.Home() / "j\xf6rg";
             fs::create_directory(home);
             sandbox.Environment()["HOME"] = home.string();
         },
         "]: language=de\n",
         [savedGerman](ProgramSandbox& sandbox) {
             savedGerman(sandbox);
             EXPECT_EQ(Testing::FilesIn(DataFolderOf(sandbox) / "Logs").size(), 1u);
             EXPECT_FALSE(fs::exists(sandbox.Home() / "j\xef\xbf\xbdrg"));
         }},
    };
    for (const Case& c : cases)
    {
        ProgramSandbox sandbox;
        c.arrange(sandbox);
        const std::set<std::string> before = Tree(sandbox.Home());
        const auto result = sandbox.Run({"--silent"}, "scenario=LatestVersion,step_ms=0,language=de");
        ASSERT_TRUE(result.exited) << c.name << ": signal " << result.signal;
        EXPECT_EQ(result.exitStatus, 0) << c.name;
        const std::string log = Testing::ReadAllFiles(DataFolderOf(sandbox) / "Logs");
        EXPECT_NE(log.find(c.logged), std::string::npos) << c.name << "\n" << log;
        EXPECT_EQ(log.find("[error]"), std::string::npos) << c.name << "\n" << log;
        EXPECT_TRUE(EndsWithExitCode(log, 0)) << c.name << "\n" << log;
        c.check(sandbox);
        ExpectNothingWrittenElsewhere(sandbox, before, c.name);
    }
}
