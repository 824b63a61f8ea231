#pragma once

#include <QString>

class SettingsStore;

// The four values TervoDbLg edits in the shared "Preferences" section.
struct DebugSettings {
    QString debugLog;
    int joystickReplyRequired = 0;
    int joystickFrequency = 30;
    int fakeMessaging = 0; // not shown; written back unchanged

    static DebugSettings Load(const SettingsStore& store);
    void Save(SettingsStore& store) const;
};
