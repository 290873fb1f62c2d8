#pragma once

#include "kernel_bridge/EventGate.h"
#include "kernel_bridge/QtKernelWrapperSignals.h"

#include <boost/signals2/connection.hpp>

#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace KorvaneUpdater
{
// The page's way to the kernel, published on the web channel as "updater_kernel".
// Every slot logs its call and forwards it to the kernel's director, its options or
// its offer; the kernel's events arrive as this object's signals on the GUI thread.
class QtKernelWrapper : public QtKernelWrapperSignals
{
    Q_OBJECT

public:
    QtKernelWrapper();
    ~QtKernelWrapper() override;

public slots:
    void Init();
    void SetScenario(int scenario);
    bool IncompatiblesDetected();
    bool RebootRequired();
    void Start();
    void Interrupt();
    bool IsWindowsDefenderEnabled();
    bool IsWindowsDefenderInstalled();
    bool IsWindowsFirewallEnabled();
    void SaveLocale(size_t locale);
    size_t LoadLocale();
    void SetCompatibleInstall(bool compatible_install);
    bool GetCompatibleInstall();
    void SetInstallDirectory(QString install_directory);
    QString GetInstallDirectory();
    void SetCreateDesktopShortcut(bool create_desktop_shortcut);
    bool GetCreateDesktopShortcut();
    void SetRebootRequired(bool reboot_required);
    bool GetRebootRequired();
    void SetView(QString view);
    QString GetView();
    void SetRunDesktop(bool run_desktop);
    void SetEnableWindowsDefender(bool enable);
    void SetEnableWindowsFirewall(bool enable);
    void ExecUrl(int lid);
    bool IsTsOfferAvailable();
    int GetTsOfferHomepageAndSearch();
    void SkipTsOffer(bool skip);
    void ChangeTsOfferHomepageAndSearch(bool change);

private:
    void RegisterTypes();
    void AttachSignals();
    void AttachSignalsProxy();
    // Stage two of the relay: emits the event's signal on the page's side, or, for an
    // event of which only the latest value counts, keeps it until the events already
    // waiting on this thread are through (or another event comes).
    void Forward(const char* event, bool latestOnly, std::function<void()> emitSignal);
    void EmitLatestValues();

    QtKernelWrapperSignals proxy;
    std::vector<boost::signals2::scoped_connection> connections;
    // Shared with the kernel-thread handlers; closed first when the facade goes.
    std::shared_ptr<EventGate> gate = std::make_shared<EventGate>();
    // The latest value of each such event not yet emitted, in the order they first came.
    std::vector<std::pair<const char*, std::function<void()>>> latestValues;
    bool latestValuesDue = false;
};
}
