#pragma once

#include "tools/tervana-sim/ControlPort.h"
#include "tools/tervana-sim/NxtBrick.h"
#include "tools/tervana-sim/WireLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>

// A simulated robot on a loopback address for one test, with its wire log.
struct SimRobot {
    SimRobot(const QString& address, BrickConfig config, ControlPortFaults faults = {},
             quint16 port = 2901)
        : brick(std::move(config)), controlPort(brick, wireLog, faults)
    {
        logPath = dir.filePath(QStringLiteral("wire.log"));
        wireLog.Open(logPath);
        started = controlPort.Start(address, port, &error);
    }

    // Received commands in hex ("00 0b"), in order; "#" lines left out.
    QStringList commands() const
    {
        QStringList out;
        for (const auto& [ms, hex] : timedCommands())
            out << hex;
        return out;
    }

    std::vector<std::pair<long long, QString>> timedCommands() const
    {
        std::vector<std::pair<long long, QString>> out;
        QFile file(logPath);
        if (!file.open(QIODevice::ReadOnly))
            return out;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const qsizetype space = line.indexOf(QLatin1Char(' '));
            out.emplace_back(line.left(space).toLongLong(), line.mid(space + 1));
        }
        return out;
    }

    QStringList notes() const
    {
        QStringList out;
        QFile file(logPath);
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& raw : file.readAll().split('\n'))
                if (raw.startsWith('#'))
                    out << QString::fromLatin1(raw).trimmed();
        return out;
    }

    QTemporaryDir dir;
    QString logPath;
    WireLog wireLog;
    NxtBrick brick;
    ControlPort controlPort;
    bool started = false;
    QString error;
};

inline BrickConfig brickNamed(const QByteArray& name, const QByteArray& teleop = "Teleop.rxe",
                              const QByteArray& running = {})
{
    BrickConfig config;
    config.name = name;
    if (!teleop.isEmpty()) {
        config.files["JRVConfig.txt"] = teleop;
        config.programs.insert(teleop);
    }
    if (!running.isEmpty()) {
        config.programs.insert(running);
        config.running = running;
    }
    return config;
}

// Runs the UI thread's queued calls until the condition holds or the real
// time limit passes; true when it holds.
inline bool pumpUntil(const std::function<bool()>& condition, int limitMs = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

inline void pumpFor(int ms)
{
    pumpUntil([] { return false; }, ms);
}
