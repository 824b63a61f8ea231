#pragma once

#include "wificfg/NetworkSettings.h"

#include <QString>

// File and folder names on a flash drive, matched without regard to case:
// the drives are FAT, and another computer may have written the names in any
// case. Paths use "/".
namespace DriveFiles {

enum class Kind { File, Folder };

// The path of the entry in folder whose name equals name (letter case
// ignored), preferring the exact spelling; empty when there is none.
QString findEntry(const QString& folder, const QString& name, Kind kind);

// The settings folder for the role on the drive: the existing one in any
// case, or the path it gets when created.
QString settingsFolder(const QString& root, SettingsRole role);

// WSETTING.TXT in the role's folder: the existing file, or empty.
QString findSettingsFile(const QString& root, SettingsRole role);

// Settings/Settings.xml on the drive: the existing file, or empty.
QString findSettingsXml(const QString& root);

// The paths named in messages.
QString settingsFilePath(const QString& root, SettingsRole role);
QString settingsXmlPath(const QString& root);

inline const QString SettingsFileName = QStringLiteral("WSETTING.TXT");

}
