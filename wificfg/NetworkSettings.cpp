#include "wificfg/NetworkSettings.h"

QString SettingsFolderName(SettingsRole role)
{
    return role == SettingsRole::Primary ? QStringLiteral("JRVNTKY") : QStringLiteral("DOZODURU");
}
