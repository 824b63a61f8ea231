#include "fcs/app/PreferencesStore.h"

#include "platform/SettingsStore.h"

#include <QStringList>

namespace PreferencesStore {

namespace {
const QString kSec = QString::fromLatin1(kSection);
}

quint32 parseDottedAddress(const QString& text)
{
    // Four decimal parts of 0..255, as the classic dotted parser accepts them.
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return 0xFFFFFFFFu;
    quint32 address = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok, 10);
        if (!ok || part.isEmpty() || value > 255)
            return 0xFFFFFFFFu;
        address = (address << 8) | value;
    }
    return address;
}

QString formatDottedAddress(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg((address >> 24) & 0xff)
        .arg((address >> 16) & 0xff)
        .arg((address >> 8) & 0xff)
        .arg(address & 0xff);
}

Preferences load(const SettingsStore& store, const QTime& timeOfDay, int programMajor,
                 int programMinor)
{
    Preferences p;
    auto readInt = [&](const char* key, int def) {
        return store.readInt(kSec, QString::fromLatin1(key), def);
    };
    auto readText = [&](const char* key, const QString& def) {
        return store.readString(kSec, QString::fromLatin1(key), def);
    };

    p.errorColor = readInt("Error color", p.errorColor);
    p.okColor = readInt("OK Color", p.okColor);
    p.cautionColor = readInt("Caution Color", p.cautionColor);
    p.redTeamColor = readInt("Red Team Color", p.redTeamColor);
    p.blueTeamColor = readInt("Blue Team Color", p.blueTeamColor);
    p.autonomousTimeLimit = readInt("Autonomous Time Limit", p.autonomousTimeLimit);
    p.warnEndOfMatchLimit = readInt("Warn End of Match Limit", p.warnEndOfMatchLimit);
    p.teleopTimeLimit = readInt("Teleop Time Limit", p.teleopTimeLimit);
    p.joystickFrequency = readInt("Joystick Frequency", p.joystickFrequency);
    p.joystickReplyRequired = readInt("Joystick Reply Required", p.joystickReplyRequired);
    p.password = readText("Password", timeOfDay.toString(QStringLiteral("HHmmss")));
    p.username = readText("Username", p.username);
    p.ssIntegration = readInt("SS Integration", p.ssIntegration);
    p.ssDivision = readInt("SS Division", p.ssDivision);
    p.ssKey1 = readInt("SS Key 1", p.ssKey1);
    p.ssKey2 = readInt("SS Key 2", p.ssKey2);
    p.ssAddress = parseDottedAddress(readText("SS IPAddr", QString()));
    p.ssFtpPort = static_cast<quint16>(readInt("SS FtpPort", 0) & 0xffff);
    p.ssMsgPort = static_cast<quint16>(readInt("SS MsgPort", 0) & 0xffff);
    const int storedMajor = readInt("Version Major", 2);
    const int storedMinor = readInt("Version Minor", 1);
    p.minModuleMajor = readInt("Tervana Major", p.minModuleMajor);
    p.minModuleMinor = readInt("Tervana Minor", p.minModuleMinor);

    // Version 2.1 shipped a 40 s autonomous default; bring it to 30 once.
    if (storedMajor == 2 && storedMinor == 1 && p.autonomousTimeLimit == 40)
        p.autonomousTimeLimit = 30;
    p.programVersionMajor = programMajor;
    p.programVersionMinor = programMinor;
    return p;
}

void save(SettingsStore& store, const Preferences& p)
{
    auto writeInt = [&](const char* key, int value) {
        store.writeInt(kSec, QString::fromLatin1(key), value);
    };
    auto writeText = [&](const char* key, const QString& value) {
        store.writeString(kSec, QString::fromLatin1(key), value);
    };

    writeInt("Version Major", p.programVersionMajor);
    writeInt("Version Minor", p.programVersionMinor);
    writeInt("Error color", p.errorColor);
    writeInt("OK Color", p.okColor);
    writeInt("Caution Color", p.cautionColor);
    writeInt("Red Team Color", p.redTeamColor);
    writeInt("Blue Team Color", p.blueTeamColor);
    writeInt("Autonomous Time Limit", p.autonomousTimeLimit);
    writeInt("Teleop Time Limit", p.teleopTimeLimit);
    writeInt("Warn End of Match Limit", p.warnEndOfMatchLimit);
    writeInt("Joystick Frequency", p.joystickFrequency);
    writeInt("Joystick Reply Required", p.joystickReplyRequired);
    writeInt("Debug Fake Messaging", p.fakeModuleMode);
    writeText("Password", p.password);
    writeText("Username", p.username);
    writeInt("SS Integration", p.ssIntegration);
    writeInt("SS Division", p.ssDivision);
    writeInt("SS Key 1", p.ssKey1);
    writeInt("SS Key 2", p.ssKey2);
    // The "no address" value goes back as the empty default, not as a broadcast address.
    writeText("SS IPAddr", p.ssAddress == 0xFFFFFFFFu ? QString() : formatDottedAddress(p.ssAddress));
    writeInt("SS FtpPort", p.ssFtpPort);
    writeInt("SS MsgPort", p.ssMsgPort);
    writeInt("Tervana Major", p.minModuleMajor);
    writeInt("Tervana Minor", p.minModuleMinor);
    store.sync();
}

}
