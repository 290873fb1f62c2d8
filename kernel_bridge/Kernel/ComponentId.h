#pragma once

#include <cstdint>
#include <string>

namespace KorvaneUpdaterKernel
{
// The product parts the kernel works on, in the kernel's numbering.
enum class ComponentId : std::int32_t
{
    Korvane = 0,
    KorvaneAntivirus = 1,
    AntimalwareEngine = 2,
    FirewallEngine = 3,
    KorvaneProxyEngine = 4,
    OnlineThreatsEngine = 5,
    AntispamEngine = 6,
    WebFilteringEngine = 7,
    AvcEngine = 8,
    KorvaneInstaller = 9,
    KorvaneUpdater = 10,
    KorvaneWebInstaller = 11,
    Tessa = 12,
    KorvaneCommandLineScanner = 13,
    Skype = 14,
    KorvaneBrowser = 15
};

constexpr std::int32_t kComponentCount = 16;

// The log name of a component; empty for a number outside the table.
inline std::wstring ComponentToString(ComponentId component)
{
    static constexpr const wchar_t* kNames[kComponentCount] = {
        L"Korvane", L"Korvane Antivirus", L"AntimalwareEngine", L"FirewallEngine", L"KorvaneProxyEngine",
        L"OnlineThreatsEngine", L"AntispamEngine", L"WebFilteringEngine", L"AvcEngine", L"KorvaneInstaller",
        L"KorvaneUpdater", L"KorvaneWebInstaller", L"Tessa", L"KorvaneCommandLineScanner", L"Skype",
        L"KorvaneBrowser"};
    const auto value = static_cast<std::int32_t>(component);
    return value >= 0 && value < kComponentCount ? kNames[value] : std::wstring();
}
}
