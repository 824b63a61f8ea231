#include "wificfg/DriveFiles.h"

#include <QDir>
#include <QFileInfo>

namespace DriveFiles {
namespace {

QString join(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

}

QString findEntry(const QString& folder, const QString& name, Kind kind)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    const QDir::Filters filters = (kind == Kind::Folder ? QDir::Dirs : QDir::Files) | QDir::NoDotAndDotDot
        | QDir::Hidden | QDir::System;
    const QString exact = join(folder, name);
    const QFileInfo exactInfo(exact);
    if (exactInfo.exists() && (kind == Kind::Folder ? exactInfo.isDir() : exactInfo.isFile()))
        return exact;
    QStringList matches;
    for (const QString& entry : dir.entryList(filters)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            matches << entry;
    }
    if (matches.isEmpty())
        return {};
    matches.sort();
    return join(folder, matches.first());
}

QString settingsFolder(const QString& root, SettingsRole role)
{
    const QString name = SettingsFolderName(role);
    const QString existing = findEntry(root, name, Kind::Folder);
    return existing.isEmpty() ? join(root, name) : existing;
}

QString findSettingsFile(const QString& root, SettingsRole role)
{
    const QString folder = findEntry(root, SettingsFolderName(role), Kind::Folder);
    return findEntry(folder, SettingsFileName, Kind::File);
}

QString findSettingsXml(const QString& root)
{
    const QString folder = findEntry(root, QStringLiteral("Settings"), Kind::Folder);
    return findEntry(folder, QStringLiteral("Settings.xml"), Kind::File);
}

QString settingsFilePath(const QString& root, SettingsRole role)
{
    return join(join(root, SettingsFolderName(role)), SettingsFileName);
}

QString settingsXmlPath(const QString& root)
{
    return join(root, QStringLiteral("Settings/Settings.xml"));
}

}
