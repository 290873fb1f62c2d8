#include "app/SilentMode.h"

#include "app/SilentOutcome.h"
#include "common/ExceptionHelper.h"
#include "common/Log.h"
#include "common/Special.h"
#include "kernel_bridge/Kernel/ComponentId.h"
#include "kernel_bridge/Kernel/Scenario.h"
#include "kernel_bridge/KernelHost.h"
#include "platform/SpecialFolder.h"

#include <memory>

namespace KorvaneUpdater
{
namespace
{
using namespace KorvaneUpdaterKernel;

void OnScenarioDetected(SilentOutcome& outcome, std::int32_t scenario)
{
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
        director->Start();
        director->WaitForCompletion();
    }
    catch (const boost::exception&)
    {
        LOG_ERROR(L"" << ExceptionHelper::CurrentDiagnosticText());
        outcome.Error();
    }
}

void ConnectHandlers(IDirectorSignals& signals, const std::shared_ptr<SilentOutcome>& outcome)
{
    // The connections are left to the kernel: the handlers stay for as long as it keeps them.
    signals.ConnectNotEnoughDiskSpace([outcome] {
        LOG_INFO(L"not enough disc space");
        outcome->NotEnoughDiskSpace();
    });
    signals.ConnectAnotherInstallationInProgress([outcome] {
        LOG_INFO(L"another installation is in progress");
        outcome->AnotherInstallationInProgress();
    });
    signals.ConnectScenarioDetected([outcome](std::int32_t scenario) { OnScenarioDetected(*outcome, scenario); });
    signals.ConnectInterrupted([outcome] {
        LOG_INFO(L"interrupted");
        outcome->Interrupted();
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
    signals.ConnectError([outcome](const std::string& description) {
        LOG_ERROR(L"error. description=" << description);
        outcome->Error();
    });
    signals.ConnectComplete([outcome] {
        LOG_INFO(L"complete");
        outcome->Complete();
    });
}
}

int RunSilentMode()
{
    LOG_DEBUG(L"run silent mode");
    // Shared with the handlers, which the kernel may keep and call after this returns.
    const auto outcome = std::make_shared<SilentOutcome>();

    boost::intrusive_ptr<IDirectorSignals> signals = KernelHost::Instance().GetDirector()->GetSignals();
    ConnectHandlers(*signals, outcome);
    KernelHost::Instance().GetDirector()->Init();
    KernelHost::Instance().GetDirector()->WaitForInit();
    signals.reset();

    const bool rebootRequired = outcome->Completed() && KernelHost::Instance().GetDirector()->RebootRequired();
    return outcome->ExitCode(rebootRequired);
}
}
