#include "platform/DriveType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QString>

namespace Platform
{
namespace
{
QString ReadSysfs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readAll()).trimmed();
}

// The removable flag of a block device, or of the disk a partition belongs to.
bool IsRemovableDevice(const QString& deviceName)
{
    const QString block = QStringLiteral("/sys/class/block/") + deviceName;
    if (ReadSysfs(block + QStringLiteral("/removable")) == QLatin1String("1"))
        return true;
    const QString disk = QFileInfo(block).canonicalFilePath();
    return !disk.isEmpty() && ReadSysfs(QFileInfo(disk).dir().path() + QStringLiteral("/removable")) == QLatin1String("1");
}
}

DriveType GetDriveType(const std::wstring& path)
{
    const QString asked = QString::fromStdWString(path);
    const QStorageInfo storage(asked);
    // Only the root of a drive has a type; any other path is "no root directory".
    if (!storage.isValid() || QFileInfo(asked).canonicalFilePath() != QFileInfo(storage.rootPath()).canonicalFilePath())
        return kDriveNoRootDir;
    const QString type = QString::fromLatin1(storage.fileSystemType());
    const QString device = QString::fromLatin1(storage.device());
    const QString deviceName = device.section(QLatin1Char('/'), -1);
    if (type == QLatin1String("iso9660") || type == QLatin1String("udf") || deviceName.startsWith(QLatin1String("sr")))
        return kDriveCdRom;
    if (type.startsWith(QLatin1String("nfs")) || type == QLatin1String("cifs") || type == QLatin1String("smb3") ||
        type.startsWith(QLatin1String("fuse.sshfs")))
        return kDriveRemote;
    if (type == QLatin1String("tmpfs") || type == QLatin1String("ramfs"))
        return kDriveRamDisk;
    if (device.startsWith(QLatin1String("/dev/")) && IsRemovableDevice(deviceName))
        return kDriveRemovable;
    return kDriveFixed;
}

bool IsDriveReady(const std::wstring& path)
{
    const QStorageInfo storage(QString::fromStdWString(path));
    return storage.isValid() && storage.isReady();
}
}
