#pragma once

#include "wificfg/NetworkSettings.h"

#include <QByteArray>
#include <QString>
#include <optional>

class Prompt;

// The texts read from a settings file, before the dialog picks its entries.
struct SettingsFileValues {
    QString ssid;
    QString key;
    QString authentication;
    QString encryption;
    QString connectionType = QStringLiteral("ESS");
    QString keyIndex = QStringLiteral("1");
};

// WSETTING.TXT as the module reads it, CR LF line ends.
QByteArray SettingsFileBytes(const NetworkSettings& settings, const QString& key);

// Writes WSETTING.TXT in the role's folder on the drive with key as its
// network key. The file is written beside the old one and renamed over it
// only when every byte is on the drive, so a failure leaves the old file.
// Shows the outcome; returns whether the file is written.
bool WriteSettingsFile(const QString& root, SettingsRole role, const NetworkSettings& settings,
                       const QString& key, Prompt& prompt);

// Reads the role's WSETTING.TXT (or, in the secondary role, Settings.xml) from
// the drive. Values the file does not name keep the ones in current. Shows
// the reason and returns nothing when the file cannot be read.
std::optional<SettingsFileValues> ReadSettingsFile(const QString& root, SettingsRole role,
                                                   const SettingsFileValues& current, Prompt& prompt);

// Picks the value of key out of one line: everything after it, without the
// quotes when the rest starts with one. Nothing when the key is not there.
std::optional<QString> SettingsLineValue(const QString& line, const QString& key);
