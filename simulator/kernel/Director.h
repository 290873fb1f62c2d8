#pragma once

#include "kernel_bridge/Kernel/IDirector.h"
#include "kernel_bridge/Kernel/IParameters.h"
#include "simulator/kernel/Configuration.h"
#include "simulator/kernel/DirectorCore.h"
#include "simulator/kernel/DirectorSignals.h"
#include "simulator/kernel/InstallOptions.h"
#include "simulator/kernel/RefCounted.h"
#include "simulator/kernel/TsOffer.h"

#include <memory>
#include <string>

namespace KernelSimulator
{
// The kernel's director. It journals each call, answers the questions from the
// configuration, and leaves detection and runs to its core; its destruction (the last
// Release) joins every kernel thread but the calling one.
class Director final : public RefCounted<KorvaneUpdaterKernel::IDirector>
{
public:
    Director(Configuration configuration, std::shared_ptr<Log::Logger> logger, std::shared_ptr<Journal> journal);
    ~Director() override;

    boost::intrusive_ptr<KorvaneUpdaterKernel::IDirectorSignals> GetSignals() override;
    boost::intrusive_ptr<KorvaneUpdaterKernel::IInstallOptions> GetOptions() override;
    void Init() override;
    void WaitForInit() override;
    void SetScenario(std::int32_t scenario) override;
    std::int32_t GetScenario() override;
    bool IncompatiblesDetected() override;
    bool RebootRequired() override;
    void Start() override;
    void WaitForCompletion() override;
    void Interrupt() override;
    std::string GetLanguage() override;
    // This platform has neither; the answers are those of a system where both are on,
    // so that the program offers nothing about them.
    bool IsWindowsDefenderEnabled() override;
    bool IsWindowsDefenderInstalled() override;
    bool IsWindowsFirewallEnabled() override;
    boost::intrusive_ptr<KorvaneUpdaterKernel::ITsOffer> GetTsOffer() override;
    void SetWindow(std::uint64_t window) override;

private:
    const Configuration configuration_;
    const std::shared_ptr<Log::Logger> logger_;
    const boost::intrusive_ptr<DirectorSignals> signals_;
    const boost::intrusive_ptr<InstallOptions> options_;
    const boost::intrusive_ptr<TsOffer> offer_;
    const std::shared_ptr<DirectorCore> core_;
};

// The CreateDirector export: reads the configuration, logging what is wrong with it
// through the parameters' logger.
boost::intrusive_ptr<KorvaneUpdaterKernel::IDirector> CreateDirector(
    boost::intrusive_ptr<KorvaneUpdaterKernel::IParameters> parameters);
}
