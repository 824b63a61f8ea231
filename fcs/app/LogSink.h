#pragma once

#include <QByteArrayView>
#include <QString>

// The debug log as every subsystem writes to it. Position -1 is "no position".
class LogSink {
public:
    // Direction markers of message lines: 0 ">N", 1 "?>N?", 2 "N>", 3 "?N>?",
    // 4 ">T", 5 "?>T?", 6 "T>", 7 "?T>?" (N the brick, T the wireless module).
    enum Marker { ToBrick = 0, ToBrickOdd, FromBrick, FromBrickOdd, ToModule, ToModuleOdd,
                  FromModule, FromModuleOdd };

    virtual ~LogSink() = default;
    virtual void LogEvent(int position, const QString& text) = 0;
    virtual void LogTick(int position, const QString& text) = 0;
    virtual void LogMessage(int number, int marker, const QString& text) = 0;
    virtual void LogDump(int number, int marker, QByteArrayView bytes) = 0;
};
