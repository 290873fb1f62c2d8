#include "simulator/kernel/DirectorSignals.h"

namespace KernelSimulator
{
using KorvaneUpdaterKernel::ComponentSlot;
using KorvaneUpdaterKernel::DescriptionSlot;
using KorvaneUpdaterKernel::ErrorSlot;
using KorvaneUpdaterKernel::FlagSlot;
using KorvaneUpdaterKernel::NotifySlot;
using KorvaneUpdaterKernel::PositionSlot;
using KorvaneUpdaterKernel::ScenarioSlot;

DirectorSignals::DirectorSignals(std::shared_ptr<Journal> journal) : RefCounted(std::move(journal))
{
}

boost::signals2::connection DirectorSignals::ConnectNotEnoughDiskSpace(const NotifySlot& slot)
{
    journal_->Call("ConnectNotEnoughDiskSpace");
    return notEnoughDiskSpace_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectAnotherInstallationInProgress(const NotifySlot& slot)
{
    journal_->Call("ConnectAnotherInstallationInProgress");
    return anotherInstallationInProgress_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectScenarioDetected(const ScenarioSlot& slot)
{
    journal_->Call("ConnectScenarioDetected");
    return scenarioDetected_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectInterrupted(const NotifySlot& slot)
{
    journal_->Call("ConnectInterrupted");
    return interrupted_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectStarted(const NotifySlot& slot)
{
    journal_->Call("ConnectStarted");
    return started_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectStoppingService(const NotifySlot& slot)
{
    journal_->Call("ConnectStoppingService");
    return stoppingService_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectServiceStopped(const NotifySlot& slot)
{
    journal_->Call("ConnectServiceStopped");
    return serviceStopped_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectProgressComponentChanged(const ComponentSlot& slot)
{
    journal_->Call("ConnectProgressComponentChanged");
    return progressComponentChanged_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectProgressPositionChanged(const PositionSlot& slot)
{
    journal_->Call("ConnectProgressPositionChanged");
    return progressPositionChanged_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectFloatingProgress(const FlagSlot& slot)
{
    journal_->Call("ConnectFloatingProgress");
    return floatingProgress_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectProgressDescriptionChanged(const DescriptionSlot& slot)
{
    journal_->Call("ConnectProgressDescriptionChanged");
    return progressDescriptionChanged_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectError(const ErrorSlot& slot)
{
    journal_->Call("ConnectError");
    return error_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectComplete(const NotifySlot& slot)
{
    journal_->Call("ConnectComplete");
    return complete_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectEnablingWindowsDefender(const FlagSlot& slot)
{
    journal_->Call("ConnectEnablingWindowsDefender");
    return enablingWindowsDefender_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectEnablingWindowsFirewall(const FlagSlot& slot)
{
    journal_->Call("ConnectEnablingWindowsFirewall");
    return enablingWindowsFirewall_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectNoAppropriatePermissions(const NotifySlot& slot)
{
    journal_->Call("ConnectNoAppropriatePermissions");
    return noAppropriatePermissions_.connect(slot);
}

boost::signals2::connection DirectorSignals::ConnectComponentsProgressPositionChanged(const PositionSlot& slot)
{
    journal_->Call("ConnectComponentsProgressPositionChanged");
    return componentsProgressPositionChanged_.connect(slot);
}
}
