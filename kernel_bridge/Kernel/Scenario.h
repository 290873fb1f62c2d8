#pragma once

#include <cstdint>
#include <string>

namespace KorvaneUpdaterKernel
{
namespace Scenario
{
// The kernel's numbering; the values are fixed by the kernel and never re-sorted.
enum Enum : std::int32_t
{
    Unknown = 0,
    RebootRequired = 1,
    UninstallKV9 = 2,
    UninstallKV10 = 3,
    LatestVersion = 4,
    Install = 5,
    Update = 6,
    InstallRealTimeProtection = 7,
    InstallNetworkProtection = 8,
    Uninstall = 9,
    AlreadyStarted = 10,
    InstallActiveVirusControl = 11,
    Repair = 12,
    Change = 13,
    VeltrionDetected = 14,
    Corrupted = 15,
    UninstallKV11 = 16,
    InstallFeatures = 17
};

constexpr std::int32_t kCount = 18;

// The log name of a scenario, or null for a number outside the table.
inline const wchar_t* Name(std::int32_t scenario)
{
    static constexpr const wchar_t* kNames[kCount] = {
        L"Unknown", L"RebootRequired", L"UninstallKV9", L"UninstallKV10", L"LatestVersion", L"Install",
        L"Update", L"InstallRealTimeProtection", L"InstallNetworkProtection", L"Uninstall", L"AlreadyStarted",
        L"InstallActiveVirusControl", L"Repair", L"Change", L"VeltrionDetected", L"Corrupted",
        L"UninstallKV11", L"InstallFeatures"};
    return scenario >= 0 && scenario < kCount ? kNames[scenario] : nullptr;
}

// The log name; for a number outside the table an error record and an empty text.
std::wstring ToString(Enum scenario);
}
}
