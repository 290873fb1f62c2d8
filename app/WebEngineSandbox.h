#pragma once

namespace KorvaneUpdater
{
// The web engine refuses to start as root with its sandbox on. Switches the sandbox
// off for this process when, and only when, it runs as root.
void ConfigureWebEngineSandbox();
}
