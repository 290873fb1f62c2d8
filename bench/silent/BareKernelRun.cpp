// The silent run's baseline: loads the kernel library named on the command line and
// runs the scenario it detects through the kernel's interfaces, with the options the
// updater's silent mode sets, and nothing else (no logger, no language, no files).

#include "kernel_bridge/Kernel/Exports.h"
#include "kernel_bridge/Kernel/Scenario.h"

#include <dlfcn.h>

#include <cstdio>

using namespace KorvaneUpdaterKernel;

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s KERNEL_LIBRARY\n", argv[0]);
        return 2;
    }
    void* library = ::dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
    {
        std::fprintf(stderr, "%s\n", ::dlerror());
        return 1;
    }
    auto* createParameters = reinterpret_cast<CreateParametersFunction*>(::dlsym(library, kCreateParametersExport));
    auto* createDirector = reinterpret_cast<CreateDirectorFunction*>(::dlsym(library, kCreateDirectorExport));
    if (createParameters == nullptr || createDirector == nullptr)
        return 1;
    {
        boost::intrusive_ptr<IParameters> parameters = createParameters();
        parameters->SetCommandLine(L"--silent");
        boost::intrusive_ptr<IDirector> director = createDirector(parameters);
        if (!director)
            return 1;
        IDirector* const kernel = director.get();
        boost::intrusive_ptr<IDirectorSignals> signals = director->GetSignals();
        signals->ConnectScenarioDetected(ScenarioSlot([kernel](std::int32_t scenario) {
            if (scenario != Scenario::Install)
                return;
            boost::intrusive_ptr<IInstallOptions> options = kernel->GetOptions();
            if (kernel->IncompatiblesDetected())
                options->SetCompatibleInstall(true);
            options->SetInstallDirectory(L"/opt/korvane/korvane antivirus");
            options->SetCreateDesktopShortcut(true);
            options->SetView(L"silent");
            kernel->Start();
            kernel->WaitForCompletion();
        }));
        director->Init();
        director->WaitForInit();
    }
    ::dlclose(library);
    return 0;
}
