#pragma once

#include <QString>
#include <QtGlobal>

// The per-match values copied into every result row of the match log.
struct MatchLogRecord {
    QString matchName;
    qint64 startTime = 0; // calendar seconds
    QString autonomousText;
    QString teleopText;
    QString statusText;
};
