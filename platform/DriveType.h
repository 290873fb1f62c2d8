#pragma once

#include <string>

// GetDriveTypeW for the drive that holds a path: removable and optical media are told
// apart from fixed disks by the block device the path's file system lives on.
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
