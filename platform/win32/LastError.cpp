#include "platform/LastError.h"

#include "platform/win32/WindowsApi.h"

#include <cerrno>

namespace Platform
{
// The system keeps the code per thread; the platform calls set it as the system calls
// they make do.
ErrorCode GetLastError()
{
    return ::GetLastError();
}

void SetLastError(ErrorCode code)
{
    ::SetLastError(code);
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
        return kErrorDiskFull;
    default:
        return kErrorGenFailure;
    }
}
}
