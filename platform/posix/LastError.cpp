#include "platform/LastError.h"

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
}
