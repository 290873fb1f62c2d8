#pragma once

// The system's headers for the platform layer. The system's headers define the
// names of their wide functions as macros (LoadLibrary for LoadLibraryW and the like),
// which would rename the platform functions of the same names; they are taken back.
#include <windows.h>

#include <aclapi.h>
#include <shellapi.h>
#include <shlobj.h>

#undef GetCommandLine
#undef GetDriveType
#undef GetEnvironmentVariable
#undef GetModuleFileName
#undef LoadLibrary
#undef ShellExecute
#undef ExitWindowsEx
