#pragma once

// Registers the page's resource bundle with Qt's resource system. The bundle also
// registers itself when the program starts and goes at exit; registering it again is
// harmless.
void RegisterResourceBundle();
