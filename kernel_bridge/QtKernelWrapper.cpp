#include "kernel_bridge/QtKernelWrapper.h"

#include "common/LocalizationOptions.h"
#include "common/Log.h"
#include "common/ProcessHelper.h"
#include "common/UpdaterUrls.h"
#include "kernel_bridge/KernelHost.h"

#include <QMetaType>

#include <cstdint>
#include <string>

namespace KorvaneUpdater
{
namespace
{
using namespace KorvaneUpdaterKernel;

boost::intrusive_ptr<IDirector> Director()
{
    return KernelHost::Instance().GetDirector();
}

// A kernel-thread handler: passes the event on only while the facade lives.
template <class... Arguments, class Emit>
auto Relay(const std::shared_ptr<EventGate>& gate, Emit emitSignal)
{
    return [gate, emitSignal](Arguments... arguments) { gate->Pass([&] { emitSignal(arguments...); }); };
}
}

QtKernelWrapper::QtKernelWrapper()
{
    LOG_DEBUG(L"construct qt kernel wrapper");
    RegisterTypes();
    AttachSignals();
    AttachSignalsProxy();
}

QtKernelWrapper::~QtKernelWrapper()
{
    LOG_DEBUG(L"destroy qt kernel wrapper");
    // Wait for handlers running on kernel threads and keep new ones out, then let go
    // of the kernel's events.
    gate->Close();
    connections.clear();
}

void QtKernelWrapper::RegisterTypes()
{
    LOG_DEBUG(L"register types");
    qRegisterMetaType<size_t>("size_t");
}

void QtKernelWrapper::AttachSignals()
{
    LOG_DEBUG(L"attach signals");
    boost::intrusive_ptr<IDirectorSignals> events = Director()->GetSignals();
    QtKernelWrapperSignals* const target = &proxy;
    auto add = [this](boost::signals2::connection connection) { connections.emplace_back(connection); };

    add(events->ConnectNotEnoughDiskSpace(Relay<>(gate, [target] { emit target->NotEnoughDiskSpaceSignal(); })));
    add(events->ConnectAnotherInstallationInProgress(
        Relay<>(gate, [target] { emit target->AnotherInstallationInProgressSignal(); })));
    add(events->ConnectScenarioDetected(
        Relay<std::int32_t>(gate, [target](std::int32_t scenario) { emit target->ScenarioDetectedSignal(scenario); })));
    add(events->ConnectInterrupted(Relay<>(gate, [target] { emit target->InterruptedSignal(); })));
    add(events->ConnectStarted(Relay<>(gate, [target] { emit target->StartedSignal(); })));
    add(events->ConnectStoppingService(Relay<>(gate, [target] { emit target->StoppingServiceSignal(); })));
    add(events->ConnectServiceStopped(Relay<>(gate, [target] { emit target->ServiceStoppedSignal(); })));
    add(events->ConnectProgressComponentChanged(Relay<std::int32_t>(
        gate, [target](std::int32_t component) { emit target->ProgressComponentChangedSignal(component); })));
    add(events->ConnectProgressPositionChanged(
        Relay<double>(gate, [target](double progress) { emit target->ProgressPositionChangedSignal(progress); })));
    add(events->ConnectFloatingProgress(
        Relay<bool>(gate, [target](bool floating) { emit target->FloatingProgressSignal(floating); })));
    add(events->ConnectProgressDescriptionChanged(Relay<const std::wstring&>(gate, [target](const std::wstring& text) {
        emit target->ProgressDescriptionChangedSignal(QString::fromStdWString(text));
    })));
    add(events->ConnectError(Relay<const std::string&>(
        gate, [target](const std::string& text) { emit target->ErrorSignal(QString::fromStdString(text)); })));
    add(events->ConnectComplete(Relay<>(gate, [target] { emit target->CompleteSignal(); })));
    add(events->ConnectEnablingWindowsDefender(
        Relay<bool>(gate, [target](bool enable) { emit target->EnablingWindowsDefenderSignal(enable); })));
    add(events->ConnectEnablingWindowsFirewall(
        Relay<bool>(gate, [target](bool enable) { emit target->EnablingWindowsFirewallSignal(enable); })));
    add(events->ConnectNoAppropriatePermissions(
        Relay<>(gate, [target] { emit target->NoAppropriatePermissionsSignal(); })));
    add(events->ConnectComponentsProgressPositionChanged(Relay<double>(
        gate, [target](double progress) { emit target->ComponentsProgressPositionChangedSignal(progress); })));
}

void QtKernelWrapper::AttachSignalsProxy()
{
    LOG_DEBUG(L"attach signals proxy");
    using S = QtKernelWrapperSignals;
    connect(&proxy, &S::NotEnoughDiskSpaceSignal, this, [this] {
        LOG_DEBUG(L"emit NotEnoughDiskSpaceSignal");
        emit NotEnoughDiskSpaceSignal();
    });
    connect(&proxy, &S::AnotherInstallationInProgressSignal, this, [this] {
        LOG_DEBUG(L"emit AnotherInstallationInProgressSignal");
        emit AnotherInstallationInProgressSignal();
    });
    connect(&proxy, &S::ScenarioDetectedSignal, this, [this](int scenario) {
        LOG_DEBUG(L"emit ScenarioDetectedSignal");
        emit ScenarioDetectedSignal(scenario);
    });
    connect(&proxy, &S::InterruptedSignal, this, [this] {
        LOG_DEBUG(L"emit InterruptedSignal");
        emit InterruptedSignal();
    });
    connect(&proxy, &S::StartedSignal, this, [this] {
        LOG_DEBUG(L"emit StartedSignal");
        emit StartedSignal();
    });
    connect(&proxy, &S::StoppingServiceSignal, this, [this] {
        LOG_DEBUG(L"emit StoppingServiceSignal");
        emit StoppingServiceSignal();
    });
    connect(&proxy, &S::ServiceStoppedSignal, this, [this] {
        LOG_DEBUG(L"emit ServiceStoppedSignal");
        emit ServiceStoppedSignal();
    });
    connect(&proxy, &S::ProgressComponentChangedSignal, this, [this](int component) {
        LOG_DEBUG(L"emit ProgressComponentChangedSignal");
        emit ProgressComponentChangedSignal(component);
    });
    connect(&proxy, &S::ProgressPositionChangedSignal, this, [this](double progress) {
        LOG_TRACE(L"emit ProgressPositionChangedSignal");
        emit ProgressPositionChangedSignal(progress);
    });
    connect(&proxy, &S::FloatingProgressSignal, this, [this](bool floating) {
        LOG_TRACE(L"emit FloatingProgressSignal");
        emit FloatingProgressSignal(floating);
    });
    connect(&proxy, &S::ProgressDescriptionChangedSignal, this, [this](const QString& description) {
        LOG_TRACE(L"emit ProgressDescriptionChangedSignal");
        emit ProgressDescriptionChangedSignal(description);
    });
    connect(&proxy, &S::ErrorSignal, this, [this](const QString& description) {
        LOG_DEBUG(L"emit ErrorSignal");
        emit ErrorSignal(description);
    });
    connect(&proxy, &S::CompleteSignal, this, [this] {
        LOG_DEBUG(L"emit CompleteSignal");
        emit CompleteSignal();
    });
    connect(&proxy, &S::EnablingWindowsDefenderSignal, this, [this](bool enable) {
        LOG_DEBUG(L"emit EnablingWindowsDefenderSignal");
        emit EnablingWindowsDefenderSignal(enable);
    });
    connect(&proxy, &S::EnablingWindowsFirewallSignal, this, [this](bool enable) {
        LOG_DEBUG(L"emit EnablingWindowsFirewallSignal");
        emit EnablingWindowsFirewallSignal(enable);
    });
    connect(&proxy, &S::NoAppropriatePermissionsSignal, this, [this] {
        LOG_DEBUG(L"emit NoAppropriatePermissionsSignal");
        emit NoAppropriatePermissionsSignal();
    });
    connect(&proxy, &S::ComponentsProgressPositionChangedSignal, this, [this](double progress) {
        LOG_DEBUG(L"emit ComponentsProgressPositionChangedSignal. progress=" << progress);
        emit ComponentsProgressPositionChangedSignal(progress);
    });
}

void QtKernelWrapper::Init()
{
    LOG_DEBUG(L"exec Init");
    Director()->Init();
}

void QtKernelWrapper::SetScenario(int scenario)
{
    LOG_DEBUG(L"exec SetScenario. scenario=" << scenario);
    Director()->SetScenario(scenario);
}

bool QtKernelWrapper::IncompatiblesDetected()
{
    LOG_DEBUG(L"exec IncompatiblesDetected");
    return Director()->IncompatiblesDetected();
}

bool QtKernelWrapper::RebootRequired()
{
    const bool required = Director()->RebootRequired();
    LOG_DEBUG(L"exec is RebootRequired=" << required);
    return required;
}

void QtKernelWrapper::Start()
{
    LOG_DEBUG(L"exec Start");
    Director()->Start();
}

void QtKernelWrapper::Interrupt()
{
    LOG_DEBUG(L"exec Interrupt");
    Director()->Interrupt();
}

bool QtKernelWrapper::IsWindowsDefenderEnabled()
{
    LOG_DEBUG(L"exec IsWindowsDefenderEnabled");
    return Director()->IsWindowsDefenderEnabled();
}

bool QtKernelWrapper::IsWindowsDefenderInstalled()
{
    LOG_DEBUG(L"exec IsWindowsDefenderInstalled");
    return Director()->IsWindowsDefenderInstalled();
}

bool QtKernelWrapper::IsWindowsFirewallEnabled()
{
    LOG_DEBUG(L"exec IsWindowsFirewallEnabled");
    return Director()->IsWindowsFirewallEnabled();
}

void QtKernelWrapper::SaveLocale(size_t locale)
{
    LOG_DEBUG(L"exec SaveLocale from updater. locale=" << locale);
    KorvaneCommon::LocalizationOptions::SaveLocale(locale);
}

size_t QtKernelWrapper::LoadLocale()
{
    LOG_DEBUG(L"exec LoadLocale from updater");
    return KorvaneCommon::LocalizationOptions::LoadLocale();
}

void QtKernelWrapper::SetCompatibleInstall(bool compatible_install)
{
    LOG_DEBUG(L"exec SetCompatibleInstall. compatible install=" << compatible_install);
    Director()->GetOptions()->SetCompatibleInstall(compatible_install);
}

bool QtKernelWrapper::GetCompatibleInstall()
{
    LOG_DEBUG(L"exec GetCompatibleInstall");
    return Director()->GetOptions()->GetCompatibleInstall();
}

void QtKernelWrapper::SetInstallDirectory(QString install_directory)
{
    LOG_DEBUG(L"exec SetInstallDirectory. install directory=" << install_directory.toStdWString());
    Director()->GetOptions()->SetInstallDirectory(boost::filesystem::path(install_directory.toStdWString()));
}

QString QtKernelWrapper::GetInstallDirectory()
{
    LOG_DEBUG(L"exec GetInstallDirectory");
    return QString::fromStdWString(Director()->GetOptions()->GetInstallDirectory().wstring());
}

void QtKernelWrapper::SetCreateDesktopShortcut(bool create_desktop_shortcut)
{
    LOG_DEBUG(L"exec SetCreateDesktopShortcut. create desktop shortcut=" << create_desktop_shortcut);
    Director()->GetOptions()->SetCreateDesktopShortcut(create_desktop_shortcut);
}

bool QtKernelWrapper::GetCreateDesktopShortcut()
{
    LOG_DEBUG(L"exec GetCreateDesktopShortcut");
    return Director()->GetOptions()->GetCreateDesktopShortcut();
}

void QtKernelWrapper::SetRebootRequired(bool reboot_required)
{
    LOG_DEBUG(L"exec SetRebootRequired. reboot required=" << reboot_required);
    Director()->GetOptions()->SetRebootRequired(reboot_required);
}

bool QtKernelWrapper::GetRebootRequired()
{
    LOG_DEBUG(L"exec GetRebootRequired");
    return Director()->GetOptions()->GetRebootRequired();
}

void QtKernelWrapper::SetView(QString view)
{
    LOG_DEBUG(L"exec SetView. view=" << view.toStdWString());
    Director()->GetOptions()->SetView(view.toStdWString());
}

QString QtKernelWrapper::GetView()
{
    LOG_DEBUG(L"exec GetView");
    return QString::fromStdWString(Director()->GetOptions()->GetView());
}

void QtKernelWrapper::SetRunDesktop(bool run_desktop)
{
    LOG_DEBUG(L"exec SetRunDesktop. run desktop=" << run_desktop);
    Director()->GetOptions()->SetRunDesktop(run_desktop);
}

void QtKernelWrapper::SetEnableWindowsDefender(bool enable)
{
    LOG_DEBUG(L"exec SetEnableWindowsDefender. enable=" << enable);
    Director()->GetOptions()->SetEnableWindowsDefender(enable);
}

void QtKernelWrapper::SetEnableWindowsFirewall(bool enable)
{
    LOG_DEBUG(L"exec SetEnableWindowsFirewall. enable=" << enable);
    Director()->GetOptions()->SetEnableWindowsFirewall(enable);
}

void QtKernelWrapper::ExecUrl(int lid)
{
    LOG_DEBUG(L"exec url. lid=" << lid);
    const std::wstring link = KorvaneCommon::UpdaterUrls::GetUlr(lid);
    LOG_DEBUG(L"url=" << link);
    ProcessHelper::Process::ShellOpen(link, nullptr);
}

bool QtKernelWrapper::IsTsOfferAvailable()
{
    LOG_DEBUG(L"is ts offer available");
    return Director()->GetTsOffer() != nullptr;
}

int QtKernelWrapper::GetTsOfferHomepageAndSearch()
{
    LOG_DEBUG(L"get ts offer home page and search");
    const boost::intrusive_ptr<ITsOffer> offer = Director()->GetTsOffer();
    if (!offer)
    {
        LOG_ERROR(L"no ts offer is available");
        return 0;
    }
    return offer->GetHomepageAndSearch();
}

void QtKernelWrapper::SkipTsOffer(bool skip)
{
    LOG_DEBUG(L"skip ts offer=" << skip);
    const boost::intrusive_ptr<ITsOffer> offer = Director()->GetTsOffer();
    if (!offer)
    {
        LOG_ERROR(L"no ts offer is available");
        return;
    }
    offer->SetSkip(skip);
}

void QtKernelWrapper::ChangeTsOfferHomepageAndSearch(bool change)
{
    LOG_DEBUG(L"change ts offer homepage and search=" << change);
    const boost::intrusive_ptr<ITsOffer> offer = Director()->GetTsOffer();
    if (!offer)
    {
        LOG_ERROR(L"no ts offer is available");
        return;
    }
    offer->SetChangeHomepage(change);
    offer->SetChangeSearch(change);
}
}
