#pragma once

#include "fcs/app/LogSink.h"

#include <QStringList>

// Collects debug-log entries as "position|text" lines.
class RecordingLog : public LogSink {
public:
    void LogEvent(int position, const QString& text) override
    {
        lines << QString::number(position) + '|' + text;
    }
    void LogTick(int position, const QString& text) override
    {
        if (position == -1 && text == QLatin1String("Timer Tick"))
            ++ticks;
        else
            LogEvent(position, text);
    }
    void LogMessage(int number, int marker, const QString& text) override
    {
        lines << QStringLiteral("msg %1 %2 %3").arg(number).arg(marker).arg(text);
    }
    void LogDump(int number, int marker, QByteArrayView bytes) override
    {
        lines << QStringLiteral("dump %1 %2 %3").arg(number).arg(marker).arg(QString::fromLatin1(bytes.toByteArray().toHex()));
    }
    int ticks = 0;
    QStringList lines;
};
