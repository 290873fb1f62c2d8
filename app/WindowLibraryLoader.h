#pragma once

namespace KorvaneUpdater
{
// Loads the window library from the program's own folder and runs the windowed wizard
// until its window closes; returns the event loop's result. The library stays loaded
// until the program ends.
int RunWindowLibrary(int& argc, char** argv);
}
