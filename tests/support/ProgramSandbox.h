#pragma once

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <boost/filesystem/path.hpp>

#include <map>
#include <string>
#include <vector>

namespace Testing
{
// The real program run with a home folder of its own and the simulated kernel.
// Optionally the program runs from a copy in a folder of its own, with or without
// the kernel, crash-report and window libraries beside it.
class ProgramSandbox
{
public:
    struct Layout
    {
        bool copyProgram = false;
        bool withKernel = true;
        bool withCrashHandler = true;
        bool withWindowLibrary = true;
    };

    ProgramSandbox();
    explicit ProgramSandbox(const Layout& layout);

    // Runs the program with KORVANE_SIM set to the simulation (plus the journal).
    ProgramResult Run(const std::vector<std::string>& arguments, const std::string& simulation,
                      const WhileRunning& whileRunning = {});

    std::map<std::string, std::string>& Environment() { return environment_; }
    const boost::filesystem::path& Home() const { return home_.Path(); }
    boost::filesystem::path DataFolder() const;
    boost::filesystem::path LogsFolder() const { return DataFolder() / "Logs"; }
    boost::filesystem::path LangFile() const { return DataFolder() / "Options" / "lang"; }
    boost::filesystem::path CrashesFolder() const { return DataFolder() / "Crashes"; }
    const boost::filesystem::path& ProgramFolder() const { return programFolder_; }

    // All log files' text, oldest first.
    std::string LogText() const;
    std::vector<std::string> JournalLines() const;
    void ClearJournal() const;

private:
    TempFolder home_;
    TempFolder copyFolder_;
    boost::filesystem::path programFolder_;
    std::map<std::string, std::string> environment_;
};

// The exit status that the system reports for an exit code (only its low eight bits).
inline int StatusOf(int exitCode)
{
    return exitCode & 0xFF;
}
}
