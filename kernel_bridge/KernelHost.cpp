#include "kernel_bridge/KernelHost.h"

#include "common/ExceptionHelper.h"
#include "common/LogInstance.h"
#include "common/ProcessHelper.h"
#include "kernel_bridge/Kernel/Exports.h"
#include "platform/CommandLine.h"
#include "platform/LibraryNames.h"

#include <boost/make_shared.hpp>

#include <cstdlib>

namespace
{
KernelHost* instance = nullptr;
bool exitHandlerRegistered = false;

void DestroyAtExit()
{
    KernelHost::Destroy();
}
}

KernelHost& KernelHost::Instance()
{
    if (instance == nullptr)
    {
        instance = new KernelHost; // a failed construction leaves nothing behind
        if (!exitHandlerRegistered)
        {
            exitHandlerRegistered = true;
            std::atexit(DestroyAtExit);
        }
    }
    return *instance;
}

void KernelHost::Destroy()
{
    delete instance;
    instance = nullptr;
}

KernelHost::KernelHost()
{
    using namespace KorvaneUpdaterKernel;
    using DllHelper::Detail::DllFunction;

    const boost::filesystem::path library =
        ProcessHelper::Process::Path().parent_path() / Platform::kKernelLibraryName;
    dll_ = boost::make_shared<DllHelper::Detail::Dll<DllHelper::DllTag>>(library);

    boost::intrusive_ptr<IParameters> parameters =
        DllFunction<CreateParametersFunction>(dll_, kCreateParametersExport)();
    if (!parameters)
        BOOST_THROW_EXCEPTION(ExceptionHelper::Exception(std::string(kCreateParametersExport) + " returned nothing"));
    parameters->SetLogger(Log::Instance::Get());
    parameters->SetCommandLine(Platform::GetCommandLine());
    director_ = DllFunction<CreateDirectorFunction>(dll_, kCreateDirectorExport)(parameters);
    // Everyone who takes the director relies on there being one.
    if (!director_)
        BOOST_THROW_EXCEPTION(ExceptionHelper::Exception(std::string(kCreateDirectorExport) + " returned nothing"));
}

KernelHost::~KernelHost()
{
    // Every kernel object must be gone before the library is unloaded.
    director_.reset();
    dll_.reset();
}

boost::intrusive_ptr<KorvaneUpdaterKernel::IDirector> KernelHost::GetDirector() const
{
    return director_;
}
