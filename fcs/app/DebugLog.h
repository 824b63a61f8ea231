#pragma once

#include "fcs/app/LogSink.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <functional>

class Clock;
class WallClock;
class DataFolders;

// The program's diagnostic log: one text file at a time, every line stamped
// with the time of day and the milliseconds since the file was opened; runs of
// "Timer Tick" are written as one line.
class DebugLog : public LogSink {
public:
    // Uploads a finished per-match log: local path, remote file name.
    using Uploader = std::function<void(const QString&, const QString&)>;

    DebugLog(const Clock& clock, const WallClock& wallClock, const DataFolders& folders);
    ~DebugLog() override;

    bool OpenDebugLog(int folderId, const QString& name);
    void PurgeDebugLogs();
    void LogEvent(int position, const QString& text) override;
    void LogTick(int position, const QString& text) override;
    void LogMessage(int number, int marker, const QString& text) override;
    void LogDump(int number, int marker, QByteArrayView bytes) override;
    void RotateMatchLog(const QString* currentMatchNumber);
    void CloseMatchLog();

    void setIdentity(const QString& fcsIdentity) { m_identity = fcsIdentity; }
    void setIntegrationActive(bool active) { m_integrationActive = active; }
    void setUploader(Uploader uploader) { m_uploader = std::move(uploader); }
    // When a start-up log was created; the file system's birth time by default.
    void setCreationTime(std::function<QDateTime(const QFileInfo&)> creationTime)
    {
        m_creationTime = std::move(creationTime);
    }

    bool isOpen() const { return m_logOpen; }
    QString filePath() const { return m_file.fileName(); }
    int pendingTicks() const { return m_pendingTicks; }

    // The hex text of a dump: short buffers on one line, 35 to 48 bytes broken
    // every 16 bytes, longer ones with offsets.
    static QString HexText(QByteArrayView bytes);
    static const char* MarkerText(int marker);
    // Whether a start-up log of this age in seconds is old enough to delete.
    static bool IsPurgeAge(qint64 ageSeconds);

private:
    QString stamp() const;
    void flushTicks();
    void writeLine(const QString& line);

    const Clock& m_clock;
    const WallClock& m_wallClock;
    const DataFolders& m_folders;
    QFile m_file;
    bool m_logOpen = false;
    qint32 m_logStart = 0;
    int m_pendingTicks = 0;
    QString m_matchLogName;
    int m_matchLogCounter = 0;
    QString m_identity;
    bool m_integrationActive = false;
    Uploader m_uploader;
    std::function<QDateTime(const QFileInfo&)> m_creationTime;
};
