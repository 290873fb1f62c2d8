#include "common/UpdaterUrls.h"

#include "common/Log.h"
#include "common/UrlParams.h"

#include <cwchar>
#include <iterator>

namespace KorvaneCommon
{
namespace UpdaterUrls
{
namespace
{
// The link table: each range of ids with its userflow. Ids in no range have no address.
struct LinkRange
{
    int first;
    int last;
    const wchar_t* userflow;
};

constexpr LinkRange kLinks[] = {
    {1, 1, L"activation"},      {2, 3, L"renew_inapp"},    {4, 5, L"support"},
    {6, 7, L"activation"},      {8, 8, L"support"},        {9, 9, L"update"},
    {10, 10, L"installation"},  {11, 11, L"activation"},   {12, 12, L"installation"},
    {13, 13, L"dotcom"},        {14, 15, L"support"},      {16, 16, L"features"},
    {17, 17, L"support"},       {18, 22, L"installation"}, {23, 23, L"uninstallation"},
    {24, 24, L"installation"},  {26, 38, L"inapp_upgrade"}, {39, 39, L"gift"},
    {40, 43, L"social"},        {44, 44, L"activation"},   {48, 52, L"inapp_upgrade"},
    {68, 89, L"activation"},    {90, 90, L"installation"}, {91, 92, L"activation"},
};

// The one link of another form: plain http and no userflow.
constexpr int kPlainLid = 93;

std::wstring Lid(int lid)
{
    wchar_t text[16];
    std::swprintf(text, std::size(text), L"LID%03d", lid);
    return text;
}

std::wstring Address(const wchar_t* scheme, int lid)
{
    return std::wstring(scheme) + L"://" + kRedirectHost + L"/redirect.php?LID=" + Lid(lid);
}
}

std::wstring GetBaseUrl(int lid)
{
    if (lid == kPlainLid)
        return Address(L"http", lid);
    for (const LinkRange& range : kLinks)
    {
        if (lid >= range.first && lid <= range.last)
            return Address(L"https", lid) + L"&userflow=" + range.userflow;
    }
    return {};
}

std::wstring GetUlr(int lid, std::optional<std::uint32_t> time)
{
    LOG_DEBUG(L"get url. lid=" << lid);
    std::wstring url = GetBaseUrl(lid);
    if (!url.empty())
        url += UrlParams::Get(lid, time);
    LOG_DEBUG(L"url=" << url);
    return url;
}
}
}
