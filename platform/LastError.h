#pragma once

// The calling thread's last error code, kept the way Windows keeps it: each failing
// platform call stores a Windows error code that the caller reads right after it.
namespace Platform
{
using ErrorCode = unsigned long;

constexpr ErrorCode kErrorSuccess = 0;
constexpr ErrorCode kErrorFileNotFound = 2;
constexpr ErrorCode kErrorPathNotFound = 3;
constexpr ErrorCode kErrorAccessDenied = 5;
constexpr ErrorCode kErrorInvalidHandle = 6;
constexpr ErrorCode kErrorGenFailure = 31;
constexpr ErrorCode kErrorDiskFull = 112;
constexpr ErrorCode kErrorInsufficientBuffer = 122;
constexpr ErrorCode kErrorModNotFound = 126;
constexpr ErrorCode kErrorProcNotFound = 127;
constexpr ErrorCode kErrorBadExeFormat = 193;
constexpr ErrorCode kErrorEnvVarNotFound = 203;
constexpr ErrorCode kErrorBadFileType = 222;
constexpr ErrorCode kErrorFileTooLarge = 223;

ErrorCode GetLastError();
void SetLastError(ErrorCode code);

// The Windows error code closest to a failed file call's errno.
ErrorCode ErrorFromErrno(int error);
}
