#pragma once

#include <QString>

// Which settings folder the run uses; fixed for the run by the command line.
enum class SettingsRole { Primary, Secondary };

// The values of the Network Setup dialog. Texts hold 8-bit text, one byte a
// character (see platform/Text8.h).
struct NetworkSettings {
    QString ssid;
    QString key;
    QString confirmKey;
    QString authentication; // the selected authentication entry's text
    QString encryption;     // the selected encryption entry's text
    int keyIndex = 1;
    bool adHoc = false;
};

// The folder on the drive for the role: "JRVNTKY" or "DOZODURU".
QString SettingsFolderName(SettingsRole role);
