#include "app/NormalMode.h"

#include "common/Log.h"
#include "kernel_bridge/KernelHost.h"

namespace KorvaneUpdater
{
int RunNormalMode(int& argc, char** argv)
{
    (void)argc;
    (void)argv;
    LOG_DEBUG(L"run normal mode");
    // The window comes later; until then the windowed run only brings up the kernel.
    KernelHost::Instance().GetDirector();
    return 0;
}
}
