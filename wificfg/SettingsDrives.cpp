#include "wificfg/SettingsDrives.h"

#include "wificfg/DriveFiles.h"
#include "wificfg/DriveLister.h"

#include <QDir>
#include <QFileInfo>

QStringList FindSettingsDrives(const DriveLister& drives, SettingsRole role, bool forLoading)
{
    QStringList found;
    for (const QString& root : drives.removableMountPoints()) {
        const QFileInfo info(root);
        if (root.isEmpty() || found.contains(root) || !info.isDir())
            continue;
        if (forLoading) {
            if (!info.isReadable() || !QDir(root).isReadable())
                continue;
            const bool hasFile = !DriveFiles::findSettingsFile(root, role).isEmpty();
            const bool hasXml = role == SettingsRole::Secondary && !DriveFiles::findSettingsXml(root).isEmpty();
            if (!hasFile && !hasXml)
                continue;
        }
        found << root;
    }
    found.sort();
    return found;
}
