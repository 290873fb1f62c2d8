#pragma once

namespace KorvaneUpdater
{
// Runs the windowed wizard until its window closes; returns the event loop's result.
int RunNormalMode(int& argc, char** argv);
}
