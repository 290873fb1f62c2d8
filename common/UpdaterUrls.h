#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The links to the vendor's web pages, all through its redirect endpoint.
namespace KorvaneCommon
{
namespace UpdaterUrls
{
// The redirect endpoint; link id 93 alone is reached over http.
constexpr const wchar_t* kRedirectHost = L"redirect.korvane.com";

// The full address of a link id with its parameters (UrlParams::Get), or an empty
// string when the id has no address. The page's links pass no time value.
std::wstring GetUlr(int lid, std::optional<std::uint32_t> time = std::nullopt);

// The address of a link id without the parameters:
// https://redirect.korvane.com/redirect.php?LID=LIDnnn&userflow=flow; empty for an id
// without an address.
std::wstring GetBaseUrl(int lid);
}
}
