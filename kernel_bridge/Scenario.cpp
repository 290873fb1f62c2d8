#include "kernel_bridge/Kernel/Scenario.h"

#include "common/Log.h"

namespace KorvaneUpdaterKernel
{
namespace Scenario
{
std::wstring ToString(Enum scenario)
{
    if (const wchar_t* name = Name(scenario))
        return name;
    LOG_ERROR(L"Unknown scenario. Scenario=" << static_cast<std::int32_t>(scenario));
    return std::wstring();
}
}
}
