#pragma once

#include "kernel_bridge/Kernel/IParameters.h"
#include "simulator/kernel/RefCounted.h"

#include <boost/intrusive_ptr.hpp>

#include <memory>
#include <mutex>
#include <string>

namespace KernelSimulator
{
// What the program hands over before the director exists. It also opens the journal,
// so that the calls made on it are recorded too.
class Parameters final : public RefCounted<KorvaneUpdaterKernel::IParameters>
{
public:
    explicit Parameters(std::shared_ptr<Journal> journal);

    void SetLogger(std::shared_ptr<Log::Logger> logger) override;
    std::shared_ptr<Log::Logger> GetLogger() const override;
    void SetCommandLine(const std::wstring& commandLine) override;

    // For the director: the same without a journal line.
    std::shared_ptr<Log::Logger> Logger() const;
    std::wstring CommandLine() const;
    const std::shared_ptr<Journal>& SharedJournal() const { return journal_; }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<Log::Logger> logger_;
    std::wstring commandLine_;
};

// The CreateParameters export: the journal is the one KORVANE_SIM names.
boost::intrusive_ptr<KorvaneUpdaterKernel::IParameters> CreateParameters();
}
