#pragma once

#include "fcs/app/CommandLine.h"
#include "fcs/app/DataFolders.h"
#include "fcs/app/DebugLog.h"
#include "fcs/app/Preferences.h"
#include "fcs/schedule/MatchArray.h"

#include <QString>
#include <memory>

class Clock;
class WallClock;
class SettingsStore;
class SoundPlayer;
class Prompt;
class CJoystickMgr;
class ModuleFinder;

// The application object of tervofcs: owns the program-wide services, builds
// them in a fixed order, runs the main window and tears everything down.
class CTervoFCSApp {
public:
    // The platform pieces the program runs on; tests hand in fakes.
    struct Platform {
        const Clock& clock;
        const WallClock& wallClock;
        SettingsStore& settings;
        SoundPlayer& sound;
        Prompt& prompt;
        UserFolders folders;
        QString hostName; // empty: read from the system
    };

    explicit CTervoFCSApp(Platform platform);
    ~CTervoFCSApp();

    // Start-up up to the main window (without running it).
    bool Initialise(const QStringList& arguments);
    // Shutdown after the main window has closed.
    void Shutdown();

    // Builds the station identity: host name (TERVOFCS when unreadable), "_",
    // time of day as hhmmss on a 12-hour clock.
    static QString BuildIdentity(const QString& hostName, const QTime& timeOfDay);
    static QString ReadHostName();

    void PlaySoundCue(int stringId);

    // Accessors every part of the program uses.
    Preferences& prefs() { return m_prefs; }
    const Clock& clock() const { return m_platform.clock; }
    const WallClock& wallClock() const { return m_platform.wallClock; }
    Prompt& prompt() { return m_platform.prompt; }
    DebugLog& debugLog() { return m_debugLog; }
    const DataFolders& folders() const { return m_folders; }
    CMatchArray& matchList() { return m_matchList; }
    CJoystickMgr* joystickManager() { return m_joystickManager.get(); }
    SettingsStore& settings() { return m_platform.settings; }
    ModuleFinder* discovery() { return m_discovery; }
    bool integrationActive() const { return m_integrationActive; }
    const QString& fcsIdentity() const { return m_fcsIdentity; }
    const CommandLine& commandLine() const { return m_commandLine; }
    bool fakeModuleMode() const { return m_prefs.fakeModuleMode != 0; }

private:
    Platform m_platform;
    DataFolders m_folders;
    Preferences m_prefs;
    DebugLog m_debugLog;
    CMatchArray m_matchList;
    std::unique_ptr<CJoystickMgr> m_joystickManager;
    ModuleFinder* m_discovery = nullptr;
    bool m_integrationActive = false;
    QString m_fcsIdentity;
    CommandLine m_commandLine;
};
