#include "platform/LastError.h"

#include <cerrno>

namespace Platform
{
namespace
{
thread_local ErrorCode lastError = kErrorSuccess;
}

ErrorCode GetLastError()
{
    return lastError;
}

void SetLastError(ErrorCode code)
{
    lastError = code;
}

ErrorCode ErrorFromErrno(int error)
{
    switch (error)
    {
    case 0:
        return kErrorSuccess;
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return kErrorAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return kErrorDiskFull;
    default:
        return kErrorGenFailure;
    }
}
}
