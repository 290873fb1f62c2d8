#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace KernelSimulator
{
enum class Outcome
{
    Complete,
    Error
};

enum class CrashKind
{
    NullWrite,
    StackOverflow
};

// How the kernel behaves, read from the environment variable KORVANE_SIM: a
// comma-separated list of key=value pairs. See ParseConfiguration for the keys.
struct Configuration
{
    std::int32_t scenario = 5;  // Scenario::Install
    std::int32_t offer = 2;     // partner of the offer; 0: no offer
    bool incompatibles = false; // answer of IncompatiblesDetected
    bool reboot = false;        // answer of RebootRequired
    std::string language;       // answer of GetLanguage
    Outcome outcome = Outcome::Complete;
    std::string errorText;      // UTF-8 text of the Error event
    std::uint32_t diskFull = 0; // the first calls of Start answered with NotEnoughDiskSpace
    std::uint32_t busy = 0;     // ... with AnotherInstallationInProgress
    std::uint32_t stepMs = 0;   // pause between progress events
    std::string journal;        // journal file; empty: none
    std::uint32_t crash = 0;    // threads that crash when Start is called
    CrashKind crashKind = CrashKind::NullWrite;
    std::uint32_t progressEvents = 0; // a run raises this many progress positions instead of its steps
    std::uint32_t progressRate = 0;   // ... so many per second; 0: as fast as possible
    std::string nullExport;     // the export (CreateParameters or CreateDirector) that returns nothing
    std::uint32_t interruptMs = 0; // how long an interrupted run takes to stop
};

constexpr const char* kConfigurationVariable = "KORVANE_SIM";
constexpr const char* kDefaultErrorText = "Failed to install component AntimalwareEngine. Error code 1603";

// Reads the list. Keys: scenario (log name or number), offer, incompatibles (0|1),
// reboot (0|1), language, outcome (complete|error), error_text, disk_full, busy,
// step_ms, journal, crash, progress_events, progress_rate, null_export, interrupt_ms,
// crash_kind. Blanks around keys and values are dropped, empty items
// skipped, and a later key wins over an earlier one. An unknown key or a bad value
// adds a log text to errors and is otherwise ignored. `text` may be null (no list);
// `lang` is the value of LANG (null when unset) and gives the default language.
Configuration ParseConfiguration(const char* text, const char* lang, std::vector<std::string>& errors);

// ParseConfiguration of KORVANE_SIM and LANG.
Configuration ReadConfiguration(std::vector<std::string>& errors);

// The language part of a locale name: "de_DE.UTF-8" gives "de"; an empty name, C and
// POSIX give "en".
std::string LanguageOfLocale(const char* locale);

// The pause that makes a whole Install run last about ten seconds.
std::uint32_t DefaultStepMs();
}
