#pragma once

#include "wificfg/NetworkChoices.h"
#include "wificfg/NetworkSettings.h"

#include <QStringList>
#include <functional>
#include <optional>

class DriveLister;
class Prompt;

// What the Network Setup dialog does, apart from its widgets: the values,
// the two lists, and the save and load flows over the drives.
class NetworkSetup {
public:
    // Picks one of several drives; nothing when the operator cancels.
    using DriveChooser = std::function<std::optional<QString>(const QStringList& drives)>;

    NetworkSetup(SettingsRole role, const DriveLister& drives, Prompt& prompt);

    SettingsRole role() const { return m_role; }
    // SSID, keys and key index as typed; the texts of the two lists follow
    // the choices when the values are taken.
    NetworkSettings& values() { return m_values; }
    const NetworkSettings& values() const { return m_values; }
    NetworkChoices& choices() { return m_choices; }
    const NetworkChoices& choices() const { return m_choices; }

    void setDriveChooser(DriveChooser chooser) { m_chooser = std::move(chooser); }
    // Called when a drive search ends, whatever its outcome.
    void setSearchEnded(std::function<void()> ended) { m_searchEnded = std::move(ended); }

    // Takes the list texts into the values and checks them for a save.
    bool takeValues();
    // Converts the key, finds a drive and writes it. Returns whether written.
    bool saveFlow();
    // Finds a drive with settings and reads them in. Returns whether read.
    bool loadFlow();
    // Reads the settings on one drive into the values and lists.
    bool readDrive(const QString& root);

private:
    std::optional<QString> chooseDrive(const QStringList& drives);
    void searchEnded();
    void rememberPsk();


    SettingsRole m_role;
    const DriveLister& m_drives;
    Prompt& m_prompt;
    NetworkSettings m_values;
    NetworkChoices m_choices;
    DriveChooser m_chooser;
    std::function<void()> m_searchEnded;
    // The PSK that the key boxes show and the SSID it was made for: a PSK
    // only fits its own network name.
    QString m_psk;
    QString m_pskSsid;
};
