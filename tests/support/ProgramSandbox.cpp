#include "support/ProgramSandbox.h"

#include "support/TextFile.h"

#include <boost/filesystem/operations.hpp>

namespace Testing
{
namespace fs = boost::filesystem;

ProgramSandbox::ProgramSandbox() : ProgramSandbox(Layout{})
{
}

ProgramSandbox::ProgramSandbox(const Layout& layout) : programFolder_(KORVANE_BIN_DIR)
{
    if (layout.copyProgram)
    {
        programFolder_ = copyFolder_.Path();
        const fs::path bin(KORVANE_BIN_DIR);
        fs::copy_file(bin / "korvaneupdater", programFolder_ / "korvaneupdater");
        if (layout.withKernel)
            fs::copy_file(bin / "KorvaneUpdaterKernel.so", programFolder_ / "KorvaneUpdaterKernel.so");
        if (layout.withCrashHandler)
            fs::copy_file(bin / "KorvaneCrashHandler.so", programFolder_ / "KorvaneCrashHandler.so");
        if (layout.withWindowLibrary)
            fs::copy_file(bin / "KorvaneUpdaterWindow.so", programFolder_ / "KorvaneUpdaterWindow.so");
    }
    environment_ = {
        {"HOME", home_.Path().string()},
        {"PATH", "/usr/bin:/bin"},
        {"KORVANE_LOG_LEVEL", "Trace"},
    };
}

fs::path ProgramSandbox::DataFolder() const
{
    return home_.Path() / ".local" / "share" / "korvane" / "korvane antivirus";
}

ProgramResult ProgramSandbox::Run(const std::vector<std::string>& arguments, const std::string& simulation,
                                  const WhileRunning& whileRunning)
{
    auto environment = environment_;
    const std::string journal = "journal=" + (home_.Path() / "journal.txt").string();
    environment["KORVANE_SIM"] = simulation.empty() ? journal : simulation + "," + journal;
    return RunProgram((programFolder_ / "korvaneupdater").string(), arguments, environment, 60, whileRunning);
}

std::string ProgramSandbox::LogText() const
{
    return ReadAllFiles(LogsFolder());
}

std::vector<std::string> ProgramSandbox::JournalLines() const
{
    return ReadLines(home_.Path() / "journal.txt");
}

void ProgramSandbox::ClearJournal() const
{
    boost::system::error_code error;
    fs::remove(home_.Path() / "journal.txt", error);
}
}
