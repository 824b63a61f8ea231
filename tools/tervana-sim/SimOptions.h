#pragma once

#include "tools/tervana-sim/ControlPort.h"
#include "tools/tervana-sim/NxtBrick.h"

#include <QString>
#include <QStringList>

// The simulator's command line.
struct SimOptions {
    QString address = QStringLiteral("127.0.0.1");
    quint16 port = 2901;
    QString wireLog;
    BrickConfig brick;
    ControlPortFaults faults;
    bool help = false;

    // Parses the arguments (without the program name); false with a message on error.
    bool Parse(const QStringList& arguments, QString& error);
    static QString Usage();
};
