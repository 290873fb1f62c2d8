#include "support/UtcDate.h"

#include <ctime>
#include <cwchar>

namespace Testing
{
std::wstring TodayUtc()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    wchar_t text[16];
    std::wcsftime(text, 16, L"%Y%m%d", &utc);
    return text;
}
}
