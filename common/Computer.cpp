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

const char* FailureOf(Platform::ShutdownPrivilegeStep step)
{
    switch (step)
    {
    case Platform::ShutdownPrivilegeStep::OpenToken:
        return "OpenProcessToken() failed while trying to add SE_SHUTDOWN_NAME.";
    case Platform::ShutdownPrivilegeStep::LookupPrivilege:
        return "LookupPrivilegeValue() failed while trying to add SE_SHUTDOWN_NAME.";
    case Platform::ShutdownPrivilegeStep::AdjustPrivileges:
        break;
    }
    return "AdjustTokenPrivileges() failed while trying to add SE_SHUTDOWN_NAME.";
}
}

void Reboot()
{
    Platform::ShutdownPrivilegeStep failed = Platform::ShutdownPrivilegeStep::OpenToken;
    if (!Platform::EnableShutdownPrivilege(failed))
        BOOST_THROW_EXCEPTION(ExceptionHelper::Windows(FailureOf(failed)));
    if (!Platform::ExitWindowsEx(Platform::kExitWindowsReboot, kRebootReason))
        BOOST_THROW_EXCEPTION(ExceptionHelper::Windows("ExitWindowsEx() failed."));
}
}
}
