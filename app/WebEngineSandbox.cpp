#include "app/WebEngineSandbox.h"

#include "common/Log.h"
#include "platform/ProcessInfo.h"

#include <cstdlib>

namespace KorvaneUpdater
{
void ConfigureWebEngineSandbox()
{
    if (!Platform::IsRunningAsAdministrator())
        return;
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    LOG_INFO(L"running as root. web engine sandbox switched off");
}
}
