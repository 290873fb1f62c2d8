#pragma once

#include "kernel_bridge/Kernel/IInstallOptions.h"
#include "simulator/kernel/RefCounted.h"

#include <mutex>

namespace KernelSimulator
{
// The run's options: what is set is what a later get returns. The install directory
// starts as <program files>/korvane/korvane antivirus and the desktop shortcut as on;
// everything else starts off or empty.
class InstallOptions final : public RefCounted<KorvaneUpdaterKernel::IInstallOptions>
{
public:
    explicit InstallOptions(std::shared_ptr<Journal> journal);

    bool GetCompatibleInstall() override;
    void SetCompatibleInstall(bool compatible) override;
    boost::filesystem::path GetInstallDirectory() override;
    void SetInstallDirectory(const boost::filesystem::path& directory) override;
    bool GetCreateDesktopShortcut() override;
    void SetCreateDesktopShortcut(bool create) override;
    bool GetRebootRequired() override;
    void SetRebootRequired(bool required) override;
    std::wstring GetView() override;
    void SetView(const std::wstring& view) override;
    bool GetRunDesktop() override;
    void SetRunDesktop(bool run) override;
    bool GetEnableWindowsDefender() override;
    void SetEnableWindowsDefender(bool enable) override;
    bool GetEnableWindowsFirewall() override;
    void SetEnableWindowsFirewall(bool enable) override;

private:
    template <class Value>
    Value Get(const char* name, const Value& field);
    template <class Value>
    void Set(const char* name, Value& field, const Value& value);

    std::mutex mutex_;
    bool compatibleInstall_ = false;
    boost::filesystem::path installDirectory_;
    bool createDesktopShortcut_ = true;
    bool rebootRequired_ = false;
    std::wstring view_;
    bool runDesktop_ = false;
    bool enableWindowsDefender_ = false;
    bool enableWindowsFirewall_ = false;
};

// <program files>/korvane/korvane antivirus.
boost::filesystem::path DefaultInstallDirectory();
}
