#include "common/Computer.h"

#include "common/ExceptionHelper.h"
#include "platform/Shell.h"

namespace SystemHelper
{
namespace Computer
{
namespace
{
// SHTDN_REASON_MAJOR_SYSTEM | SHTDN_REASON_MINOR_SECURITY
constexpr unsigned long kRebootReason = 0x50013;
}

void Reboot()
{
    // Restarting needs no privilege of the process's own here: the system decides.
    if (!Platform::ExitWindowsEx(Platform::kExitWindowsReboot, kRebootReason))
        BOOST_THROW_EXCEPTION(ExceptionHelper::Windows("ExitWindowsEx() failed."));
}
}
}
