// The two exports of the kernel library; everything else in the library is hidden.

#include "kernel_bridge/Kernel/Exports.h"
#include "simulator/kernel/Director.h"
#include "simulator/kernel/Parameters.h"

#include <type_traits>

#ifdef _WIN32
#define KORVANE_KERNEL_EXPORT __declspec(dllexport)
#else
#define KORVANE_KERNEL_EXPORT __attribute__((visibility("default")))
#endif

extern "C" KORVANE_KERNEL_EXPORT boost::intrusive_ptr<KorvaneUpdaterKernel::IParameters> CreateParameters()
{
    try
    {
        return KernelSimulator::CreateParameters();
    }
    catch (...)
    {
        return nullptr;
    }
}

extern "C" KORVANE_KERNEL_EXPORT boost::intrusive_ptr<KorvaneUpdaterKernel::IDirector> CreateDirector(
    boost::intrusive_ptr<KorvaneUpdaterKernel::IParameters> parameters)
{
    try
    {
        return KernelSimulator::CreateDirector(std::move(parameters));
    }
    catch (...)
    {
        return nullptr;
    }
}

static_assert(std::is_same_v<decltype(::CreateParameters), KorvaneUpdaterKernel::CreateParametersFunction>);
static_assert(std::is_same_v<decltype(::CreateDirector), KorvaneUpdaterKernel::CreateDirectorFunction>);
