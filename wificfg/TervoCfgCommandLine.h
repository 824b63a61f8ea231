#pragma once

#include "wificfg/NetworkSettings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// TervoCfg's command line. Without --save, --load, --help or --version the
// dialog opens; a parameter "Primary" (any case, "/" or "-" before it)
// selects the primary role. Texts given for the file are taken byte for
// byte; paths as the file system names them.
struct TervoCfgCommandLine {
    enum class Mode { Dialog, Save, Load, Help, Version };

    Mode mode = Mode::Dialog;
    SettingsRole role = SettingsRole::Secondary;
    QString mountPoint;
    std::optional<QString> ssid;
    std::optional<QString> authentication;
    std::optional<QString> encryption;
    QString key;
    QString keyIndex = QStringLiteral("1");
    bool adHoc = false;
    std::optional<QStringList> drives; // --drives, or TERVOCFG_DRIVES
    QString error;                     // a usage error; empty when the line is fine

    // arguments: the program's arguments after its name, as given.
    static TervoCfgCommandLine Parse(const QList<QByteArray>& arguments, const QByteArray& drivesVariable = {});
    static QString HelpText();
    // A wrong command line is answered on the console, never with the dialog.
    bool isBatch() const { return mode != Mode::Dialog || !error.isEmpty(); }
};
