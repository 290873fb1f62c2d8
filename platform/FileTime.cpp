#include "platform/FileTime.h"

#include <limits>

namespace Platform
{
namespace
{
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::uint64_t kTicksPerSecond = 10000000;
}

bool UnixTimeToFileTime(std::int64_t seconds, std::uint32_t nanoseconds, FileTime& fileTime)
{
    // The range is checked before any arithmetic: the sum must not overflow either.
    if (nanoseconds >= 1000000000u || seconds < -kSecondsFrom1601To1970 ||
        seconds > std::numeric_limits<std::int64_t>::max() - kSecondsFrom1601To1970)
        return false;
    const auto since1601 = static_cast<std::uint64_t>(seconds + kSecondsFrom1601To1970);
    if (since1601 > (std::numeric_limits<std::uint64_t>::max() - nanoseconds / 100) / kTicksPerSecond)
        return false;
    fileTime = since1601 * kTicksPerSecond + nanoseconds / 100;
    return true;
}
}
