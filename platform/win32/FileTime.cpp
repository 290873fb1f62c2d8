#include "platform/FileTime.h"

#include "platform/win32/WindowsApi.h"

namespace Platform
{
namespace
{
FileTime FromFiletime(const FILETIME& time)
{
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
}

bool GetFileTimes(const std::wstring& path, FileTimes& times)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FILETIME creation{};
    FILETIME lastAccess{};
    FILETIME lastWrite{};
    const BOOL read = ::GetFileTime(file, &creation, &lastAccess, &lastWrite);
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    if (!read)
    {
        ::SetLastError(error);
        return false;
    }
    times.creation = FromFiletime(creation);
    times.lastAccess = FromFiletime(lastAccess);
    times.lastWrite = FromFiletime(lastWrite);
    ::SetLastError(ERROR_SUCCESS);
    return true;
}
}
