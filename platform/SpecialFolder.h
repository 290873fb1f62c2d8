#pragma once

#include <string>

// Special folders by their CSIDL numbers, answered the way SHGetFolderPathW answers:
// a result below zero means failure and leaves the output empty.
namespace Platform
{
using Result = long;

constexpr Result kResultOk = 0;
constexpr Result kResultFail = static_cast<long>(0x80004005L - 0x100000000L); // E_FAIL

constexpr int kCsidlDesktopDirectory = 0x10;
constexpr int kCsidlAppData = 0x1A;
constexpr int kCsidlCommonAppData = 0x23;
constexpr int kCsidlProgramFiles = 0x26;

// CSIDL_COMMON_APPDATA -> $XDG_DATA_HOME (default $HOME/.local/share)
// CSIDL_APPDATA        -> $XDG_CONFIG_HOME (default $HOME/.config)
// CSIDL_DESKTOPDIRECTORY -> $HOME/Desktop
// CSIDL_PROGRAM_FILES  -> /opt
// The variables' bytes are kept exactly, UTF-8 or not (FileNameToWide).
Result GetSpecialFolderPath(int csidl, std::wstring& path);
}
