#include "wificfg/MountTableDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

MountTableDrives::MountTableDrives(QString mountTable, QString sysBlock)
    : m_mountTable(std::move(mountTable)), m_sysBlock(std::move(sysBlock))
{
}

QStringList MountTableDrives::removableMountPoints() const
{
    QFile table(m_mountTable);
    if (!table.open(QIODevice::ReadOnly))
        return {};
    QStringList found;
    // The kernel's table is small; a cap keeps a strange file from flooding us.
    const QList<QByteArray> lines = table.read(1 << 20).split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2 || !fields[0].startsWith("/dev/"))
            continue;
        QString device = unescapeField(fields[0]);
        // /dev/disk/by-label/... and the like are links to the device itself.
        const QString canonical = QFileInfo(device).canonicalFilePath();
        if (!canonical.isEmpty())
            device = canonical;
        const QString disk = diskOf(QFileInfo(device).fileName());
        if (disk.isEmpty() || disk.startsWith(QLatin1String("fd")) || disk.startsWith(QLatin1String("sr")))
            continue;
        if (isRemovableDisk(disk))
            found << unescapeField(fields[1]);
    }
    return found;
}

QString MountTableDrives::unescapeField(const QByteArray& field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3 && value < 256) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QFile::decodeName(out);
}

// The whole disk a device belongs to: sdb for sdb1, mmcblk0 for mmcblk0p1.
QString MountTableDrives::diskOf(const QString& deviceName) const
{
    if (deviceName.isEmpty())
        return {};
    const QDir sys(m_sysBlock);
    if (sys.exists(deviceName))
        return deviceName;
    const QStringList disks = sys.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& disk : disks) {
        if (QFileInfo::exists(sys.filePath(disk + QLatin1Char('/') + deviceName)))
            return disk;
    }
    return {};
}

bool MountTableDrives::isRemovableDisk(const QString& disk) const
{
    QFile flag(QDir(m_sysBlock).filePath(disk + QStringLiteral("/removable")));
    return flag.open(QIODevice::ReadOnly) && flag.read(16).trimmed() == "1";
}
