#pragma once

#include "wificfg/DriveLister.h"

#include <QString>

// Removable volumes from the kernel's mount table: a mounted device counts
// when its disk's "removable" flag in sysfs is 1. Floppy disks (fd*) and
// optical drives (sr*) are never offered. Tests pass their own table and
// sysfs folder.
class MountTableDrives : public DriveLister {
public:
    explicit MountTableDrives(QString mountTable = QStringLiteral("/proc/self/mounts"),
                              QString sysBlock = QStringLiteral("/sys/block"));
    QStringList removableMountPoints() const override;

    // A mount table field with its octal escapes ("\040" for a space) undone.
    static QString unescapeField(const QByteArray& field);

private:
    QString diskOf(const QString& deviceName) const;
    bool isRemovableDisk(const QString& disk) const;

    QString m_mountTable;
    QString m_sysBlock;
};
