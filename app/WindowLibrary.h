#pragma once

// The window library's one entry: runs the windowed wizard until its window closes and
// returns the event loop's result. Failures are thrown to the caller as ExceptionHelper
// exceptions, like everything else the program calls.
namespace KorvaneUpdater
{
using RunWindowFunction = int(int* argc, char** argv);
constexpr const char* kRunWindowExport = "KorvaneRunWindow";
}
