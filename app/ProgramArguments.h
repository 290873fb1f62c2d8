#pragma once

#include "common/ProgramVersion.h"

#include <string>

namespace KorvaneUpdater
{
constexpr const char* kSilentSwitch = "--silent";

// True when any argument, the program path included, is exactly "--silent".
bool HasSilentSwitch(int argc, char** argv);

// The arguments after the program path, each followed by one blank (for the log).
std::string CommandLineText(int argc, char** argv);
}
