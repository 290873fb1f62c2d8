#include "platform/DriveType.h"

#include "platform/win32/WindowsApi.h"

namespace Platform
{
DriveType GetDriveType(const std::wstring& path)
{
    // The system judges the path itself: only a drive's root has a type.
    return static_cast<DriveType>(::GetDriveTypeW(path.c_str()));
}

bool IsDriveReady(const std::wstring& path)
{
    wchar_t root[MAX_PATH] = {};
    if (!::GetVolumePathNameW(path.c_str(), root, MAX_PATH))
        return false;
    // No dialog for a drive without a medium: the answer is simply "not ready".
    const UINT previousMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ready = ::GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0);
    ::SetErrorMode(previousMode);
    return ready != FALSE;
}
}
