#pragma once

namespace KorvaneUpdater
{
// Runs the detected scenario unattended with fixed options; every kernel event is
// only logged. Returns the process exit code.
int RunSilentMode();
}
