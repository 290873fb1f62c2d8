#pragma once

#include <string>

namespace Testing
{
// Today's date in UTC as eight digits (YYYYMMDD), the way links carry dates.
std::wstring TodayUtc();
}
