#pragma once

namespace KorvaneUpdater
{
// The program's version as the log and the links show it (the links with dots).
constexpr const char* kProgramVersion = "12,10,151,0";
}
