#include "dbgsettings/DebugSettings.h"

#include "platform/SettingsStore.h"

namespace {
const QString kSection = QStringLiteral("Preferences");
}

DebugSettings DebugSettings::Load(const SettingsStore& store)
{
    DebugSettings s;
    s.debugLog = store.readString(kSection, QStringLiteral("Debug Log"), QString());
    s.joystickReplyRequired = store.readInt(kSection, QStringLiteral("Joystick Reply Required"), 0);
    s.joystickFrequency = store.readInt(kSection, QStringLiteral("Joystick Frequency"), 30);
    s.fakeMessaging = store.readInt(kSection, QStringLiteral("Debug Fake Messaging"), 0);
    return s;
}

void DebugSettings::Save(SettingsStore& store) const
{
    store.writeString(kSection, QStringLiteral("Debug Log"), debugLog);
    store.writeInt(kSection, QStringLiteral("Joystick Reply Required"), joystickReplyRequired);
    store.writeInt(kSection, QStringLiteral("Joystick Frequency"), joystickFrequency);
    store.writeInt(kSection, QStringLiteral("Debug Fake Messaging"), fakeMessaging);
    store.sync();
}
