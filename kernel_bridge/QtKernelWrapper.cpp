#include "kernel_bridge/QtKernelWrapper.h"

#include "common/ExceptionHelper.h"
#include "common/LocalizationOptions.h"
#include "common/Log.h"
#include "common/ProcessHelper.h"
#include "common/UpdaterUrls.h"
#include "kernel_bridge/KernelEventTable.h"
#include "kernel_bridge/KernelHost.h"

#include <QMetaType>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ostream>
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

// Kernel texts as the page gets them: wide ones unchanged, narrow ones read as UTF-8.
QString ToQt(const std::wstring& text)
{
    return QString::fromStdWString(text);
}

QString ToQt(const std::string& text)
{
    return QString::fromStdString(text);
}

template <class Value>
Value ToQt(Value value)
{
    return value;
}

// A kernel-thread handler: emits the event's signal on the proxy, only while the facade
// lives.
template <class... Parameters>
auto Relay(const std::shared_ptr<EventGate>& gate, QtKernelWrapperSignals* target,
           void (QtKernelWrapperSignals::*signal)(Parameters...))
{
    return [gate, target, signal](const auto&... arguments) {
        gate->Pass([&] { emit(target->*signal)(ToQt(arguments)...); });
    };
}

// What the GUI thread's log line adds after the signal's name: nothing, or the label
// and the value where the event's row has a label.
struct NoValue
{
};

template <class Value>
struct LabelledValue
{
    const wchar_t* label;
    Value value;
};

std::wostream& operator<<(std::wostream& stream, NoValue)
{
    return stream;
}

template <class Value>
std::wostream& operator<<(std::wostream& stream, const LabelledValue<Value>& labelled)
{
    return stream << labelled.label << labelled.value;
}

template <class... Values>
NoValue LoggedValue(std::nullptr_t, const Values&...)
{
    return {};
}

template <class Value>
LabelledValue<Value> LoggedValue(const wchar_t* label, const Value& value)
{
    return {label, value};
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
    if (!events)
        BOOST_THROW_EXCEPTION(ExceptionHelper::Exception("GetSignals returned nothing"));
    QtKernelWrapperSignals* const target = &proxy;
#define KORVANE_RELAY_EVENT(Name, Severity, ValueLabel, Latest)                                                       \
    connections.emplace_back(events->Connect##Name(Relay(gate, target, &QtKernelWrapperSignals::Name##Signal)));
    KORVANE_KERNEL_EVENTS(KORVANE_RELAY_EVENT)
#undef KORVANE_RELAY_EVENT
}

void QtKernelWrapper::AttachSignalsProxy()
{
    LOG_DEBUG(L"attach signals proxy");
#define KORVANE_FORWARD_EVENT(Name, Severity, ValueLabel, Latest)                                             \
    connect(&proxy, &QtKernelWrapperSignals::Name##Signal, this, [this](auto... values) {                  \
        auto forward = [this, values...] {                                                                \
            KORVANE_LOG(::Log::Level::Severity, L"emit " #Name "Signal" << LoggedValue(ValueLabel, values...)); \
            emit Name##Signal(values...);                                                                 \
        };                                                                                                \
        Forward(#Name, Latest, std::move(forward));                                                       \
    });
    KORVANE_KERNEL_EVENTS(KORVANE_FORWARD_EVENT)
#undef KORVANE_FORWARD_EVENT
}

void QtKernelWrapper::Forward(const char* event, bool latestOnly, std::function<void()> emitSignal)
{
    if (!latestOnly)
    {
        // Whatever came before this event reaches the page before it.
        EmitLatestValues();
        emitSignal();
        return;
    }
    const auto waiting = std::find_if(latestValues.begin(), latestValues.end(),
                                      [event](const auto& latest) { return latest.first == event; });
    if (waiting != latestValues.end())
        waiting->second = std::move(emitSignal);
    else
        latestValues.emplace_back(event, std::move(emitSignal));
    // After the events already waiting on this thread: a flood of values becomes one.
    if (!latestValuesDue)
    {
        latestValuesDue = true;
        QMetaObject::invokeMethod(this, [this] { EmitLatestValues(); }, Qt::QueuedConnection);
    }
}

void QtKernelWrapper::EmitLatestValues()
{
    latestValuesDue = false;
    auto values = std::move(latestValues);
    latestValues.clear();
    for (auto& latest : values)
        latest.second();
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
