#include "simulator/kernel/Director.h"

#include "simulator/kernel/KernelLog.h"
#include "simulator/kernel/Parameters.h"

#include <vector>

namespace KernelSimulator
{
using KorvaneUpdaterKernel::IDirectorSignals;
using KorvaneUpdaterKernel::IInstallOptions;
using KorvaneUpdaterKernel::ITsOffer;

Director::Director(Configuration configuration, std::shared_ptr<Log::Logger> logger, std::shared_ptr<Journal> journal)
    : RefCounted(journal),
      configuration_(std::move(configuration)),
      logger_(std::move(logger)),
      signals_(new DirectorSignals(journal)),
      options_(new InstallOptions(journal)),
      offer_(configuration_.offer != 0 ? new TsOffer(journal, configuration_.offer) : nullptr),
      core_(std::make_shared<DirectorCore>(configuration_, logger_, signals_))
{
}

Director::~Director()
{
    core_->Close();
    KERNEL_LOG(logger_, Log::Level::Info, L"director released");
}

boost::intrusive_ptr<IDirectorSignals> Director::GetSignals()
{
    journal_->Call("GetSignals");
    return signals_;
}

boost::intrusive_ptr<IInstallOptions> Director::GetOptions()
{
    journal_->Call("GetOptions");
    return options_;
}

void Director::Init()
{
    journal_->Call("Init");
    core_->Init();
}

void Director::WaitForInit()
{
    journal_->Call("WaitForInit");
    core_->WaitForInit();
}

void Director::SetScenario(std::int32_t scenario)
{
    journal_->Call("SetScenario", scenario);
    core_->SetScenario(scenario);
}

std::int32_t Director::GetScenario()
{
    journal_->Call("GetScenario");
    return core_->GetScenario();
}

bool Director::IncompatiblesDetected()
{
    journal_->Call("IncompatiblesDetected");
    return configuration_.incompatibles;
}

bool Director::RebootRequired()
{
    journal_->Call("RebootRequired");
    return configuration_.reboot;
}

void Director::Start()
{
    journal_->Call("Start");
    core_->Start();
}

void Director::WaitForCompletion()
{
    journal_->Call("WaitForCompletion");
    core_->WaitForCompletion();
}

void Director::Interrupt()
{
    journal_->Call("Interrupt");
    core_->Interrupt();
}

std::string Director::GetLanguage()
{
    journal_->Call("GetLanguage");
    return configuration_.language;
}

bool Director::IsWindowsDefenderEnabled()
{
    journal_->Call("IsWindowsDefenderEnabled");
    return true;
}

bool Director::IsWindowsDefenderInstalled()
{
    journal_->Call("IsWindowsDefenderInstalled");
    return true;
}

bool Director::IsWindowsFirewallEnabled()
{
    journal_->Call("IsWindowsFirewallEnabled");
    return true;
}

boost::intrusive_ptr<ITsOffer> Director::GetTsOffer()
{
    journal_->Call("GetTsOffer");
    return offer_;
}

void Director::SetWindow(std::uint64_t window)
{
    journal_->Call("SetWindow", window);
}

boost::intrusive_ptr<KorvaneUpdaterKernel::IDirector> CreateDirector(
    boost::intrusive_ptr<KorvaneUpdaterKernel::IParameters> parameters)
{
    std::vector<std::string> errors;
    Configuration configuration = ReadConfiguration(errors);

    std::shared_ptr<Log::Logger> logger;
    std::wstring commandLine;
    std::shared_ptr<Journal> journal;
    if (auto* own = dynamic_cast<Parameters*>(parameters.get()))
    {
        logger = own->Logger();
        commandLine = own->CommandLine();
        journal = own->SharedJournal();
    }
    else
    {
        if (parameters)
            logger = parameters->GetLogger();
        journal = std::make_shared<Journal>(configuration.journal);
    }
    journal->Call("CreateDirector");

    KERNEL_LOG(logger, Log::Level::Info, L"create director. command line=" << commandLine);
    for (const std::string& error : errors)
        KERNEL_LOG(logger, Log::Level::Error, error);
    if (journal->Failed())
        KERNEL_LOG(logger, Log::Level::Error,
                   "cannot open journal. path=" << journal->Path() << " error=" << journal->OpenError().message());

    if (configuration.nullExport == "CreateDirector")
        return nullptr;
    return new Director(std::move(configuration), std::move(logger), std::move(journal));
}
}
