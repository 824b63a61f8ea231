#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// What the module's web pages tell about it. Filled by the module queries;
// the team entry reads the counters and voltages for its match figures.
struct ModuleNetwork {
    QString ssid;
    QString encryption;
};

struct ModuleInfo {
    QString status;
    QString version;
    QString hostname;
    QString dhcpChecked;
    QString ip;
    QString gateway;
    QString subnet;
    QString dns1;
    QString dns2;
    QString mac;
    QString activeNetwork;
    ModuleNetwork primaryNetwork;
    ModuleNetwork secondaryNetwork;
    ModuleNetwork otherNetwork;
    QString connectionsFrom;
    qint32 versionMajor = 0;
    qint32 versionMinor = 0;
    QString bluetoothState; // no page key fills it
    qint32 nAutonomous = 0;
    qint32 nAutonomousWait = 0;
    qint32 nTeleOp = 0;
    qint32 nTeleOpWait = 0;
    qint32 nRecv = 0;
    qint32 nBytesRecv = 0;
    qint32 nSent = 0;
    qint32 nBytesSent = 0;
    std::array<qint32, 4> counters{};
    qint32 voltage16 = 0;
    qint32 voltage17 = 0;
    QString usbDeviceStatus;
    QString lastError;
    QString batteryVoltage;
    QString usbVoltage;
    QString clientIp;
    QString exclusiveReply;

    // The module's count of control messages it received.
    qint32 messageTotal() const { return nAutonomous + nAutonomousWait + nTeleOp + nTeleOpWait; }
};
