#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The query parameters appended to every link of the vendor's redirect endpoint.
// Each value is read afresh for every link; none of these throws, each source falls
// back to its own default.
namespace KorvaneCommon
{
namespace UrlParams
{
// The parameter string for a link id: culture, the campaign tags, time (0 when none is
// given), InstallDate, mvt-inter, IGUID, version and lang, then for ids of 68 and above
// the tracking parameters. Every value is percent-encoded.
std::wstring Get(int lid, std::optional<std::uint32_t> time);

// The code of the saved language; "en" when the table has no row for it.
std::wstring GetLanguageCode();
// The creation date of the FirstRun marker as eight digits (UTC), e.g. 20190603; empty
// (and logged) when it cannot be read.
std::wstring GetInstallDate();
// The partner file's "partner"; "korvane" when it is empty or missing.
std::wstring GetPartner();
// The decrypted installation identifier; empty when there is none.
std::wstring GetInstallationId();
// The program's version with dots: 12.10.151.0.
std::wstring GetVersion();
// "&name=value" for each tracking file entry, sorted by name, whose name is one of the
// known tracking names and whose value is not empty; nothing below link id 68.
std::wstring GetTrackingParams(int lid);

// A file time (100-nanosecond intervals since 1601, UTC) as year, month and day.
std::wstring FormatInstallDate(std::uint64_t fileTime);
}
}
