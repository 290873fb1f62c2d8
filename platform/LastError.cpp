#include "platform/LastError.h"

#include <cerrno>

namespace Platform
{
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
#ifdef EDQUOT
    case EDQUOT:
#endif
        return kErrorDiskFull;
    default:
        return kErrorGenFailure;
    }
}
}
