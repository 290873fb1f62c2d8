#pragma once

#ifdef _WIN32
// Declared after the system's headers, whose macros of the same names it takes back.
#include "platform/win32/WindowsApi.h"
#endif

#include <string>

// GetDriveTypeW: the type of the drive whose root the path is (a mount point here);
// any other path gives kDriveNoRootDir. Removable and optical media are told apart from
// fixed disks by the block device the file system lives on.
namespace Platform
{
enum DriveType : unsigned
{
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6
};

DriveType GetDriveType(const std::wstring& path);

// Whether the drive holding the path has a medium that can be read.
bool IsDriveReady(const std::wstring& path);
}
