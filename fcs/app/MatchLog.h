#pragma once

#include "fcs/app/MatchLogRecord.h"

#include <QList>
#include <QString>
#include <array>
#include <deque>
#include <functional>
#include <memory>

class Clock;
class DataFolders;
class LogSink;
class Prompt;
class QFile;
class QUrl;

// One position's result row of a match. The caller copies the figures out of
// the position's team entry when the row is requested, so later changes to
// the entry do not reach a row that waits in the queue.
struct MatchLogRow {
    // The per-match statistics, in the order the link keeps them.
    enum Stat {
        MessagesSent, LostJoysticks, ReceivedDuringMatch, LostDuringMatch, Reconnects,
        StartNxtMv, StartModuleMv, StartTotal, EndNxtMv, EndModuleMv, EndTotal,
        CounterEnd0, CounterStart0, CounterEnd1, CounterStart1,
        CounterEnd2, CounterStart2, CounterEnd3, CounterStart3,
        StatCount
    };
    // Values read from the module when the row is built.
    enum Current { Counter0, Counter1, Counter2, Counter3, Voltage16, Voltage17, CurrentCount };

    MatchLogRecord record;
    int position = -1;
    QString team;
    QString teleopProgram;
    QString initialProgram;
    quint8 protocolMajor = 0;
    quint8 protocolMinor = 0;
    quint8 firmwareMajor = 0;
    quint8 firmwareMinor = 0;
    QString moduleVersionText;
    QString notes;
    std::array<qint32, StatCount> stats{};
    std::array<qint32, CurrentCount> current{};
};

// One cell of a row: text cells are quoted in the CSV file, numbers are not.
struct MatchLogCell {
    bool isText = true;
    QString value;
};

namespace MatchLogFormat {
// The CSV header line, with its line end.
QString CsvHeader();
// The row's cells in header order.
QList<MatchLogCell> Cells(const MatchLogRow& row);
// One CSV line (with its line end) and one HTML row; texts are quoted or escaped
// so that what a robot reports cannot break the columns or the report page.
QString CsvLine(const MatchLogRow& row);
QString HtmlLine(const MatchLogRow& row);
QString CsvText(const QString& text);
QString HtmlText(const QString& text);
// "Joystick Disc": 0 as a number, otherwise the approximate time as mm:ss.
MatchLogCell JoystickDiscCell(qint32 lostJoysticks);
}

// The match log: JRVMatch.csv and JRVMatch.html in the "MatchLog" folder, and
// the QRB report page that presents the HTML log.
class MatchLog {
public:
    enum class OpenMode { Append, Read };
    // Opens a log file (created when missing, never truncated); on failure
    // returns null and sets cause to an errno-style code.
    using FileOpener =
        std::function<std::unique_ptr<QFile>(const QString& path, OpenMode mode, int& cause)>;
    using UrlOpener = std::function<bool(const QUrl& url)>;
    // Told the clock reading of every completed write.
    using WrittenHandler = std::function<void(qint32 clockMs)>;

    MatchLog(const Clock& clock, const DataFolders& folders, LogSink& log, Prompt& prompt);
    ~MatchLog();

    // Queues the row and, unless a write is already running (a question of the
    // writer can let another row arrive), writes every queued row, newest first.
    void WriteMatchLogRow(const MatchLogRow& row);
    // Offers to rename an old-format JRVMatch.html; true when the file may be used.
    bool CheckHtmlLog();
    // The QRB Report button: copies the page beside the log and opens it.
    void QrbReport();

    QString csvPath() const;
    QString htmlPath() const;
    QString reportTemplatePath() const;
    QString reportPath() const;

    // Clock reading of the last completed write, 0 when nothing waits for upload.
    qint32 pendingMatchLogUpload() const { return m_pendingUpload; }
    void clearPendingMatchLogUpload() { m_pendingUpload = 0; }
    bool isWriting() const { return m_writing; }
    size_t queuedRows() const { return m_queue.size(); }

    void setFileOpener(FileOpener opener) { m_openFile = std::move(opener); }
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    void setWrittenHandler(WrittenHandler handler) { m_written = std::move(handler); }

    // The default opener. Writing takes an exclusive lock on the file; a lock
    // held elsewhere (flock, or a record lock of another program) counts as in use.
    static std::unique_ptr<QFile> OpenLogFile(const QString& path, OpenMode mode, int& cause);
    // Causes that mean "in use": the operator may free the file and retry.
    static bool IsInUseCause(int cause);

private:
    std::unique_ptr<QFile> openWithRetry(const QString& path, OpenMode mode, int inUseText,
                                         int unrecoverableText);
    void writeRow(const MatchLogRow& row);
    bool writeAll(QFile& file, const QString& path, const QByteArray& bytes);

    const Clock& m_clock;
    const DataFolders& m_folders;
    LogSink& m_log;
    Prompt& m_prompt;
    FileOpener m_openFile;
    UrlOpener m_openUrl;
    WrittenHandler m_written;
    std::deque<MatchLogRow> m_queue;
    bool m_writing = false;
    qint32 m_pendingUpload = 0;
};
