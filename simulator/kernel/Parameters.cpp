#include "simulator/kernel/Parameters.h"

#include "simulator/kernel/Configuration.h"

#include <cstdlib>
#include <vector>

namespace KernelSimulator
{
Parameters::Parameters(std::shared_ptr<Journal> journal) : RefCounted(std::move(journal))
{
}

void Parameters::SetLogger(std::shared_ptr<Log::Logger> logger)
{
    journal_->Call("SetLogger");
    std::lock_guard<std::mutex> lock(mutex_);
    logger_ = std::move(logger);
}

std::shared_ptr<Log::Logger> Parameters::GetLogger() const
{
    journal_->Call("GetLogger");
    return Logger();
}

void Parameters::SetCommandLine(const std::wstring& commandLine)
{
    journal_->Call("SetCommandLine", commandLine);
    std::lock_guard<std::mutex> lock(mutex_);
    commandLine_ = commandLine;
}

std::shared_ptr<Log::Logger> Parameters::Logger() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return logger_;
}

std::wstring Parameters::CommandLine() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return commandLine_;
}

boost::intrusive_ptr<KorvaneUpdaterKernel::IParameters> CreateParameters()
{
    // Only the journal is taken from the configuration here; the director reads all of
    // it once it can log what is wrong with it.
    std::vector<std::string> ignored;
    const Configuration configuration = ReadConfiguration(ignored);
    auto journal = std::make_shared<Journal>(configuration.journal);
    journal->Call("CreateParameters");
    if (configuration.nullExport == "CreateParameters")
        return nullptr;
    return new Parameters(std::move(journal));
}
}
