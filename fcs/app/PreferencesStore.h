#pragma once

#include "fcs/app/Preferences.h"

#include <QTime>

class SettingsStore;

// Reads and writes the "Preferences" section in its fixed orders.
namespace PreferencesStore {

inline constexpr const char* kSection = "Preferences";

// timeOfDay gives the default password; programMajor/Minor replace the stored version.
Preferences load(const SettingsStore& store, const QTime& timeOfDay, int programMajor,
                 int programMinor);
void save(SettingsStore& store, const Preferences& prefs);

// "SS IPAddr" text to address and back; an unparsable text gives 0xFFFFFFFF.
quint32 parseDottedAddress(const QString& text);
QString formatDottedAddress(quint32 address);

}
