#include "app/SilentMode.h"

#include "app/SilentOutcome.h"
#include "app/Termination.h"
#include "common/ExceptionHelper.h"
#include "common/Log.h"
#include "common/Special.h"
#include "kernel_bridge/Kernel/ComponentId.h"
#include "kernel_bridge/Kernel/Scenario.h"
#include "kernel_bridge/KernelHost.h"
#include "platform/SpecialFolder.h"

#include <memory>
#include <mutex>

namespace KorvaneUpdater
{
namespace
{
using namespace KorvaneUpdaterKernel;

// What the handlers and a termination request share.
struct SilentRun
{
    SilentOutcome outcome;

    std::mutex mutex;
    // Held while the run may be interrupted; dropped before the kernel goes.
    boost::intrusive_ptr<IDirector> director;
    bool terminating = false;

    // A termination request: the run ends as interrupted, whatever the kernel does next.
    void Terminate()
    {
        std::lock_guard<std::mutex> lock(mutex);
        terminating = true;
        outcome.Interrupted();
        if (director)
        {
            LOG_INFO(L"interrupt the kernel");
            director->Interrupt();
        }
    }

    // Starts the kernel unless the program is being ended; false when it was not started.
    bool Start(IDirector& kernel)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (terminating)
        {
            LOG_INFO(L"termination requested. the run is not started");
            return false;
        }
        kernel.Start();
        return true;
    }

    void Finish()
    {
        std::lock_guard<std::mutex> lock(mutex);
        director.reset();
    }
};

void OnScenarioDetected(SilentRun& run, std::int32_t scenario)
{
    SilentOutcome& outcome = run.outcome;
    LOG_INFO(L"scenario detected. scenario=" << Scenario::ToString(static_cast<Scenario::Enum>(scenario)));
    outcome.ScenarioDetected(scenario);
    if (!IsSilentRunScenario(scenario))
        return;

    boost::intrusive_ptr<IDirector> director = KernelHost::Instance().GetDirector();
    boost::intrusive_ptr<IInstallOptions> options = director->GetOptions();
    try
    {
        if (director->IncompatiblesDetected())
            options->SetCompatibleInstall(true);
        options->SetInstallDirectory(PathHelper::Special::FolderPath(Platform::kCsidlProgramFiles) / "korvane" /
                                     "korvane antivirus");
        options->SetCreateDesktopShortcut(true);
        options->SetView(L"silent");
        if (run.Start(*director))
            director->WaitForCompletion();
    }
    catch (const boost::exception&)
    {
        LOG_ERROR(L"" << ExceptionHelper::CurrentDiagnosticText());
        outcome.Error();
    }
}

void ConnectHandlers(IDirectorSignals& signals, const std::shared_ptr<SilentRun>& run)
{
    // The connections are left to the kernel: the handlers stay for as long as it keeps them.
    signals.ConnectNotEnoughDiskSpace([run] {
        LOG_INFO(L"not enough disc space");
        run->outcome.NotEnoughDiskSpace();
    });
    signals.ConnectAnotherInstallationInProgress([run] {
        LOG_INFO(L"another installation is in progress");
        run->outcome.AnotherInstallationInProgress();
    });
    signals.ConnectScenarioDetected([run](std::int32_t scenario) { OnScenarioDetected(*run, scenario); });
    signals.ConnectInterrupted([run] {
        LOG_INFO(L"interrupted");
        run->outcome.Interrupted();
    });
    signals.ConnectStarted([] { LOG_INFO(L"started"); });
    signals.ConnectProgressComponentChanged([](std::int32_t component) {
        LOG_TRACE(L"progress component changed. component=" << ComponentToString(static_cast<ComponentId>(component)));
    });
    signals.ConnectProgressPositionChanged(
        [](double progress) { LOG_TRACE(L"progress position changed. progress=" << progress); });
    signals.ConnectFloatingProgress([](bool floating) { LOG_INFO(L"floating progress=" << floating); });
    signals.ConnectProgressDescriptionChanged([](const std::wstring& description) {
        LOG_INFO(L"progress description changed. description=" << description);
    });
    signals.ConnectError([run](const std::string& description) {
        LOG_ERROR(L"error. description=" << description);
        run->outcome.Error();
    });
    signals.ConnectComplete([run] {
        LOG_INFO(L"complete");
        run->outcome.Complete();
    });
}
}

int RunSilentMode()
{
    LOG_DEBUG(L"run silent mode");
    // Shared with the handlers, which the kernel may keep and call after this returns.
    const auto run = std::make_shared<SilentRun>();
    {
        // The run holds the director only here: the kernel may go once this is left.
        run->director = KernelHost::Instance().GetDirector();
        struct ReleaseDirector
        {
            SilentRun& run;
            ~ReleaseDirector() { run.Finish(); }
        } const releaseDirector{*run};
        const Termination::ScopedAction interruptOnRequest([run] { run->Terminate(); });

        boost::intrusive_ptr<IDirectorSignals> signals = KernelHost::Instance().GetDirector()->GetSignals();
        if (!signals)
            BOOST_THROW_EXCEPTION(ExceptionHelper::Exception("GetSignals returned nothing"));
        ConnectHandlers(*signals, run);
        KernelHost::Instance().GetDirector()->Init();
        KernelHost::Instance().GetDirector()->WaitForInit();
    }

    const bool rebootRequired = run->outcome.Completed() && KernelHost::Instance().GetDirector()->RebootRequired();
    return run->outcome.ExitCode(rebootRequired);
}
}
