#pragma once

#include "kernel_bridge/Kernel/IDirectorSignals.h"
#include "kernel_bridge/Kernel/IInstallOptions.h"
#include "kernel_bridge/Kernel/IObject.h"
#include "kernel_bridge/Kernel/ITsOffer.h"

#include <cstdint>
#include <string>

namespace KorvaneUpdaterKernel
{
// The kernel's director: detection, the run and its options.
class IDirector : public IObject
{
public:
    virtual boost::intrusive_ptr<IDirectorSignals> GetSignals() = 0;
    virtual boost::intrusive_ptr<IInstallOptions> GetOptions() = 0;
    // Starts detection and returns; ScenarioDetected follows.
    virtual void Init() = 0;
    // Returns when the work set off by Init, its event handlers included, is over.
    virtual void WaitForInit() = 0;
    // Chooses the scenario to run; answered with ScenarioDetected of that number.
    virtual void SetScenario(std::int32_t scenario) = 0;
    virtual std::int32_t GetScenario() = 0;
    virtual bool IncompatiblesDetected() = 0;
    virtual bool RebootRequired() = 0;
    // Starts the chosen scenario and returns; progress and the end come as events.
    virtual void Start() = 0;
    // Returns when the run set off by Start is over.
    virtual void WaitForCompletion() = 0;
    // Stops a run; answered with Interrupted.
    virtual void Interrupt() = 0;
    // The system's language as a code of the language table ("en", "de", ...).
    virtual std::string GetLanguage() = 0;
    virtual bool IsWindowsDefenderEnabled() = 0;
    virtual bool IsWindowsDefenderInstalled() = 0;
    virtual bool IsWindowsFirewallEnabled() = 0;
    // The partner offer, or an empty pointer when there is none.
    virtual boost::intrusive_ptr<ITsOffer> GetTsOffer() = 0;
    virtual void SetWindow(std::uint64_t window) = 0;

protected:
    ~IDirector() = default;
};
}
