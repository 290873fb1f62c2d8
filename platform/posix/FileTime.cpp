#include "platform/FileTime.h"

#include "platform/posix/FileDescriptor.h"
#include "platform/LastError.h"
#include "platform/TextConversion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace Platform
{
namespace
{
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
