#pragma once

#include "kernel_bridge/Kernel/IDirectorSignals.h"
#include "simulator/kernel/Journal.h"
#include "simulator/kernel/RefCounted.h"

#include <boost/signals2/signal.hpp>

#include <cstdint>
#include <memory>
#include <string>

namespace KernelSimulator
{
// The director's seventeen events. Raise journals the event and then calls the
// handlers on the calling thread, which is always one of the kernel's own.
class DirectorSignals final : public RefCounted<KorvaneUpdaterKernel::IDirectorSignals>
{
public:
    using NotifySignal = boost::signals2::signal<void()>;
    using NumberSignal = boost::signals2::signal<void(std::int32_t)>;
    using PositionSignal = boost::signals2::signal<void(double)>;
    using FlagSignal = boost::signals2::signal<void(bool)>;
    using DescriptionSignal = boost::signals2::signal<void(const std::wstring&)>;
    using ErrorSignal = boost::signals2::signal<void(const std::string&)>;

    explicit DirectorSignals(std::shared_ptr<Journal> journal);

    boost::signals2::connection ConnectNotEnoughDiskSpace(const KorvaneUpdaterKernel::NotifySlot& slot) override;
    boost::signals2::connection ConnectAnotherInstallationInProgress(const KorvaneUpdaterKernel::NotifySlot& slot) override;
    boost::signals2::connection ConnectScenarioDetected(const KorvaneUpdaterKernel::ScenarioSlot& slot) override;
    boost::signals2::connection ConnectInterrupted(const KorvaneUpdaterKernel::NotifySlot& slot) override;
    boost::signals2::connection ConnectStarted(const KorvaneUpdaterKernel::NotifySlot& slot) override;
    boost::signals2::connection ConnectStoppingService(const KorvaneUpdaterKernel::NotifySlot& slot) override;
    boost::signals2::connection ConnectServiceStopped(const KorvaneUpdaterKernel::NotifySlot& slot) override;
    boost::signals2::connection ConnectProgressComponentChanged(const KorvaneUpdaterKernel::ComponentSlot& slot) override;
    boost::signals2::connection ConnectProgressPositionChanged(const KorvaneUpdaterKernel::PositionSlot& slot) override;
    boost::signals2::connection ConnectFloatingProgress(const KorvaneUpdaterKernel::FlagSlot& slot) override;
    boost::signals2::connection ConnectProgressDescriptionChanged(const KorvaneUpdaterKernel::DescriptionSlot& slot) override;
    boost::signals2::connection ConnectError(const KorvaneUpdaterKernel::ErrorSlot& slot) override;
    boost::signals2::connection ConnectComplete(const KorvaneUpdaterKernel::NotifySlot& slot) override;
    boost::signals2::connection ConnectEnablingWindowsDefender(const KorvaneUpdaterKernel::FlagSlot& slot) override;
    boost::signals2::connection ConnectEnablingWindowsFirewall(const KorvaneUpdaterKernel::FlagSlot& slot) override;
    boost::signals2::connection ConnectNoAppropriatePermissions(const KorvaneUpdaterKernel::NotifySlot& slot) override;
    boost::signals2::connection ConnectComponentsProgressPositionChanged(const KorvaneUpdaterKernel::PositionSlot& slot) override;

    void RaiseNotEnoughDiskSpace() { Raise(notEnoughDiskSpace_, "NotEnoughDiskSpace"); }
    void RaiseAnotherInstallationInProgress() { Raise(anotherInstallationInProgress_, "AnotherInstallationInProgress"); }
    void RaiseScenarioDetected(std::int32_t scenario) { Raise(scenarioDetected_, "ScenarioDetected", scenario); }
    void RaiseInterrupted() { Raise(interrupted_, "Interrupted"); }
    void RaiseStarted() { Raise(started_, "Started"); }
    void RaiseStoppingService() { Raise(stoppingService_, "StoppingService"); }
    void RaiseServiceStopped() { Raise(serviceStopped_, "ServiceStopped"); }
    void RaiseProgressComponentChanged(std::int32_t component) { Raise(progressComponentChanged_, "ProgressComponentChanged", component); }
    void RaiseProgressPositionChanged(double position) { Raise(progressPositionChanged_, "ProgressPositionChanged", position); }
    void RaiseFloatingProgress(bool floating) { Raise(floatingProgress_, "FloatingProgress", floating); }
    void RaiseProgressDescriptionChanged(const std::wstring& text) { Raise(progressDescriptionChanged_, "ProgressDescriptionChanged", text); }
    void RaiseError(const std::string& text) { Raise(error_, "Error", text); }
    void RaiseComplete() { Raise(complete_, "Complete"); }
    void RaiseComponentsProgressPositionChanged(double position) { Raise(componentsProgressPositionChanged_, "ComponentsProgressPositionChanged", position); }

private:
    template <class Signal>
    void Raise(Signal& signal, const char* name)
    {
        journal_->Event(name);
        signal();
    }

    template <class Signal, class Value>
    void Raise(Signal& signal, const char* name, const Value& value)
    {
        journal_->Event(name, value);
        signal(value);
    }

    NotifySignal notEnoughDiskSpace_;
    NotifySignal anotherInstallationInProgress_;
    NumberSignal scenarioDetected_;
    NotifySignal interrupted_;
    NotifySignal started_;
    NotifySignal stoppingService_;
    NotifySignal serviceStopped_;
    NumberSignal progressComponentChanged_;
    PositionSignal progressPositionChanged_;
    FlagSignal floatingProgress_;
    DescriptionSignal progressDescriptionChanged_;
    ErrorSignal error_;
    NotifySignal complete_;
    FlagSignal enablingWindowsDefender_;
    FlagSignal enablingWindowsFirewall_;
    NotifySignal noAppropriatePermissions_;
    PositionSignal componentsProgressPositionChanged_;
};
}
