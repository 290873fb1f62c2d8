#include "platform/FileTime.h"

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
constexpr ErrorCode kErrorPathNotFound = 3;
constexpr ErrorCode kErrorGenFailure = 31;

ErrorCode ErrorFromErrno(int error)
{
    switch (error)
    {
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
        return kErrorAccessDenied;
    default:
        return kErrorGenFailure;
    }
}

// Closes the descriptor on every way out, keeping the error of the failing call.
class Descriptor
{
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
        {
            const int saved = errno;
            ::close(fd_);
            errno = saved;
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

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
    if (nanoseconds >= 1000000000u || seconds < -kSecondsFrom1601To1970)
        return false;
    const auto since1601 = static_cast<std::uint64_t>(seconds + kSecondsFrom1601To1970);
    if (seconds > std::numeric_limits<std::int64_t>::max() - kSecondsFrom1601To1970 ||
        since1601 > (std::numeric_limits<std::uint64_t>::max() - nanoseconds / 100) / kTicksPerSecond)
        return false;
    fileTime = since1601 * kTicksPerSecond + nanoseconds / 100;
    return true;
}

bool GetFileTimes(const std::wstring& path, FileTimes& times)
{
    // A folder opens for reading too, as with the backup-semantics flag.
    const Descriptor file(::open(WideToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
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
