#pragma once

#include "kernel_bridge/Kernel/IObject.h"

#include <boost/filesystem/path.hpp>

#include <string>

namespace KorvaneUpdaterKernel
{
// The choices the kernel runs with. What is set is what a later get returns.
class IInstallOptions : public IObject
{
public:
    virtual bool GetCompatibleInstall() = 0;
    virtual void SetCompatibleInstall(bool compatible) = 0;
    virtual boost::filesystem::path GetInstallDirectory() = 0;
    virtual void SetInstallDirectory(const boost::filesystem::path& directory) = 0;
    virtual bool GetCreateDesktopShortcut() = 0;
    virtual void SetCreateDesktopShortcut(bool create) = 0;
    virtual bool GetRebootRequired() = 0;
    virtual void SetRebootRequired(bool required) = 0;
    virtual std::wstring GetView() = 0;
    virtual void SetView(const std::wstring& view) = 0;
    virtual bool GetRunDesktop() = 0;
    virtual void SetRunDesktop(bool run) = 0;
    virtual bool GetEnableWindowsDefender() = 0;
    virtual void SetEnableWindowsDefender(bool enable) = 0;
    virtual bool GetEnableWindowsFirewall() = 0;
    virtual void SetEnableWindowsFirewall(bool enable) = 0;

protected:
    ~IInstallOptions() = default;
};
}
