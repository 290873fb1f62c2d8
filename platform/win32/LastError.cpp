#include "platform/LastError.h"

#include "platform/win32/WindowsApi.h"

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
}
