#pragma once

#include <QString>
#include <QtGlobal>

// The in-memory copy of the "Preferences" section. Read once at start-up and
// written back once at exit.
struct Preferences {
    int errorColor = 3947775;
    int okColor = 28672;
    int cautionColor = 65535;
    int redTeamColor = 255;
    int blueTeamColor = 16711680;
    int autonomousTimeLimit = 30;
    int warnEndOfMatchLimit = 30;
    int teleopTimeLimit = 120;
    int joystickFrequency = 30;
    int joystickReplyRequired = 0;
    QString password;
    QString username = QStringLiteral("JRVScoring");
    int ssIntegration = 0;
    int ssDivision = 0;
    int ssKey1 = 0;
    int ssKey2 = 0;
    quint32 ssAddress = 0xFFFFFFFFu; // host order; the "no address" value when unset
    quint16 ssFtpPort = 0;
    quint16 ssMsgPort = 0;
    int minModuleMajor = 2;
    int minModuleMinor = 0;

    // Not stored under these names by load; see PreferencesStore.
    int programVersionMajor = -1;
    int programVersionMinor = -1;
    int fakeModuleMode = 0;

    // The tick period in ms. A stored frequency outside 1..1000 gives no
    // usable period, so such a value runs the timer at 30 per second.
    int timerPeriodMs() const;
    bool joystickFrequencyUsable() const;
};
