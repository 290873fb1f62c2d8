#include "platform/FileTime.h"

#include "platform/FileDescriptor.h"
#include "platform/LastError.h"
#include "platform/TextConversion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace Platform
{
namespace
{
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::uint64_t kTicksPerSecond = 10000000;

bool ToFileTime(const struct statx_timestamp& stamp, FileTime& fileTime)
{
    return UnixTimeToFileTime(stamp.tv_sec, stamp.tv_nsec, fileTime);
}

bool Fail(ErrorCode code)
{
    SetLastError(code);
    return false;
}
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

bool GetFileTimes(const std::wstring& path, FileTimes& times)
{
    // A folder opens for reading too, as with the backup-semantics flag; a FIFO or a
    // device opens without waiting for the other end.
    const FileDescriptor file(
        ::open(WideToFileName(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0)
        return Fail(ErrorFromErrno(errno));

    FileTimes result;
    struct statx status{};
    // The C library falls back to plain stat on a kernel without statx; the birth time is
    // then missing and the status change time stands in for the creation.
    if (::statx(file.Get(), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &status) != 0)
        return Fail(ErrorFromErrno(errno));
    const bool born = (status.stx_mask & STATX_BTIME) != 0;
    if (!ToFileTime(born ? status.stx_btime : status.stx_ctime, result.creation) ||
        !ToFileTime(status.stx_atime, result.lastAccess) || !ToFileTime(status.stx_mtime, result.lastWrite))
        return Fail(kErrorGenFailure);
    times = result;
    SetLastError(kErrorSuccess);
    return true;
}
}
