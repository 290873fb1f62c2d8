#include "simulator/kernel/InstallOptions.h"

#include "platform/SpecialFolder.h"
#include "platform/TextConversion.h"

namespace KernelSimulator
{
boost::filesystem::path DefaultInstallDirectory()
{
    std::wstring programFiles;
    Platform::GetSpecialFolderPath(Platform::kCsidlProgramFiles, programFiles);
    return boost::filesystem::path(Platform::WideToUtf8(programFiles)) / "korvane" / "korvane antivirus";
}

InstallOptions::InstallOptions(std::shared_ptr<Journal> journal)
    : RefCounted(std::move(journal)), installDirectory_(DefaultInstallDirectory())
{
}

template <class Value>
Value InstallOptions::Get(const char* name, const Value& field)
{
    journal_->Call(name);
    std::lock_guard<std::mutex> lock(mutex_);
    return field;
}

template <class Value>
void InstallOptions::Set(const char* name, Value& field, const Value& value)
{
    journal_->Call(name, value);
    std::lock_guard<std::mutex> lock(mutex_);
    field = value;
}

bool InstallOptions::GetCompatibleInstall()
{
    return Get("GetCompatibleInstall", compatibleInstall_);
}

void InstallOptions::SetCompatibleInstall(bool compatible)
{
    Set("SetCompatibleInstall", compatibleInstall_, compatible);
}

boost::filesystem::path InstallOptions::GetInstallDirectory()
{
    return Get("GetInstallDirectory", installDirectory_);
}

void InstallOptions::SetInstallDirectory(const boost::filesystem::path& directory)
{
    Set("SetInstallDirectory", installDirectory_, directory);
}

bool InstallOptions::GetCreateDesktopShortcut()
{
    return Get("GetCreateDesktopShortcut", createDesktopShortcut_);
}

void InstallOptions::SetCreateDesktopShortcut(bool create)
{
    Set("SetCreateDesktopShortcut", createDesktopShortcut_, create);
}

bool InstallOptions::GetRebootRequired()
{
    return Get("GetRebootRequired", rebootRequired_);
}

void InstallOptions::SetRebootRequired(bool required)
{
    Set("SetRebootRequired", rebootRequired_, required);
}

std::wstring InstallOptions::GetView()
{
    return Get("GetView", view_);
}

void InstallOptions::SetView(const std::wstring& view)
{
    Set("SetView", view_, view);
}

bool InstallOptions::GetRunDesktop()
{
    return Get("GetRunDesktop", runDesktop_);
}

void InstallOptions::SetRunDesktop(bool run)
{
    Set("SetRunDesktop", runDesktop_, run);
}

bool InstallOptions::GetEnableWindowsDefender()
{
    return Get("GetEnableWindowsDefender", enableWindowsDefender_);
}

void InstallOptions::SetEnableWindowsDefender(bool enable)
{
    Set("SetEnableWindowsDefender", enableWindowsDefender_, enable);
}

bool InstallOptions::GetEnableWindowsFirewall()
{
    return Get("GetEnableWindowsFirewall", enableWindowsFirewall_);
}

void InstallOptions::SetEnableWindowsFirewall(bool enable)
{
    Set("SetEnableWindowsFirewall", enableWindowsFirewall_, enable);
}
}
