#include "common/UrlParams.h"

#include "common/InstallationIdentifier.h"
#include "common/LocalizationOptions.h"
#include "common/Log.h"
#include "common/OptionFiles.h"
#include "common/PartnerParametersReader.h"
#include "common/ProgramVersion.h"
#include "common/UrlEncoding.h"
#include "platform/FileTime.h"
#include "platform/TextConversion.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <exception>
#include <iterator>

namespace KorvaneCommon
{
namespace UrlParams
{
namespace
{
constexpr int kFirstTrackedLid = 68;
constexpr std::uint64_t kTicksPerDay = 864000000000ULL;

// The only names taken from the tracking file.
constexpr std::array<const wchar_t*, 21> kTrackingNames = {
    L"tracking", L"cmp",   L"key1",  L"key2",  L"filter", L"keyword", L"campaignid",
    L"uid",      L"step",  L"rs2",   L"rs4",   L"mkey1",  L"mkey2",   L"mkey3",
    L"mkey4",    L"mkey5", L"mkey6", L"mkey7", L"mkey8",  L"mkey9",   L"mkey10",
};

bool IsTrackingName(const std::wstring& name)
{
    return std::any_of(kTrackingNames.begin(), kTrackingNames.end(),
                       [&name](const wchar_t* known) { return name == known; });
}

std::wstring GetTime(std::optional<std::uint32_t> time)
{
    // Written as a signed number, as the redirect endpoint has always received it.
    return std::to_wstring(static_cast<std::int32_t>(time.value_or(0)));
}

std::wstring Parameter(const wchar_t* name, const std::wstring& value)
{
    return std::wstring(L"&") + name + L"=" + PercentEncode(value);
}
}

std::wstring FormatInstallDate(std::uint64_t fileTime)
{
    // Days since 1 January 1601 to a civil date (proleptic Gregorian calendar), counted
    // in 400-year eras starting on 1 March so that leap days come last.
    constexpr std::uint64_t kDaysFrom0000_03_01To1601_01_01 = 584694;
    const std::uint64_t days = fileTime / kTicksPerDay + kDaysFrom0000_03_01To1601_01_01;
    const std::uint64_t era = days / 146097;
    const std::uint64_t dayOfEra = days - era * 146097;
    const std::uint64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::uint64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::uint64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const unsigned day = static_cast<unsigned>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const unsigned month = static_cast<unsigned>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const std::uint64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    wchar_t text[32];
    std::swprintf(text, std::size(text), L"%04llu%02u%02u", static_cast<unsigned long long>(year), month, day);
    return text;
}

std::wstring GetLanguageCode()
{
    const std::size_t id = LocalizationOptions::LoadLocale();
    for (const LanguageInfo& row : GetLanguages())
    {
        if (row.id == id)
            return Platform::Utf8ToWide(row.code);
    }
    return L"en";
}

std::wstring GetInstallDate()
{
    try
    {
        Platform::FileTimes times;
        if (Platform::GetFileTimes(OptionFiles::FirstRunFile().wstring(), times))
            return FormatInstallDate(times.creation);
    }
    catch (const std::exception&)
    {
    }
    LOG_ERROR(L"couldn't get application installation time");
    return {};
}

std::wstring GetPartner()
{
    const std::wstring partner = KorvaneWebInstallerKernel::PartnerParametersReader::Get(L"partner");
    return partner.empty() ? L"korvane" : partner;
}

std::wstring GetInstallationId()
{
    return InstallationIdentifier::Read();
}

std::wstring GetVersion()
{
    std::wstring version = Platform::Utf8ToWide(KorvaneUpdater::kProgramVersion);
    std::replace(version.begin(), version.end(), L',', L'.');
    return version;
}

std::wstring GetTrackingParams(int lid)
{
    if (lid < kFirstTrackedLid)
        return {};
    try
    {
        std::wstring params;
        for (const auto& [name, data] :
             KorvaneWebInstallerKernel::PartnerParametersReader::GetInternal(OptionFiles::TrackingFile()))
        {
            if (!data.empty() && IsTrackingName(name))
                params += Parameter(name.c_str(), data);
        }
        return params;
    }
    catch (const std::exception& e)
    {
        LOG_ERROR(L"failed to read partner params. error=" << e.what());
        return {};
    }
}

std::wstring Get(int lid, std::optional<std::uint32_t> time)
{
    // Computed from the last parameter to the first (the log follows this order),
    // assembled from the first to the last.
    const std::wstring lang = GetLanguageCode();
    const std::wstring version = GetVersion();
    const std::wstring installationId = GetInstallationId();
    const std::wstring partner = GetPartner();
    const std::wstring installDate = GetInstallDate();
    const std::wstring timeText = GetTime(time);
    const std::wstring culture = GetLanguageCode();

    std::wstring params;
    params += Parameter(L"culture", culture);
    params += L"&utm_source=app0000";
    params += L"&utm_medium=med0001";
    params += L"&utm_campaign=cam00001";
    params += Parameter(L"time", timeText);
    params += Parameter(L"InstallDate", installDate);
    params += Parameter(L"mvt-inter", partner);
    params += Parameter(L"IGUID", installationId);
    params += Parameter(L"version", version);
    params += Parameter(L"lang", lang);
    params += GetTrackingParams(lid);
    return params;
}
}
}

