#include "fcs/app/MatchLog.h"

#include "fcs/app/DataFolders.h"
#include "fcs/app/LogSink.h"
#include "fcs/resources/StringTable.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Text8.h"
#include "platform/TimeFormat.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr int kMatchLogFolder = 265;
constexpr int kMatchLogName = 267;
constexpr int kCsv = 266;
constexpr int kHtml = 453;
constexpr int kReportName = 456;
constexpr int kMiscFolder = 457;
constexpr int kCsvInUse = 259;
constexpr int kCsvUnrecoverable = 270;
constexpr int kHtmlInUse = 454;
constexpr int kHtmlUnrecoverable = 455;
constexpr int kSendFail = 258;
constexpr int kRenameOld = 465;
constexpr int kRedTeam1 = 231;

MatchLogCell text(const QString& value) { return {true, value}; }
MatchLogCell number(qint64 value) { return {false, QString::number(value)}; }

QString volts(qint32 millivolts)
{
    return QString::asprintf("%.3fV", millivolts / 1000.0);
}

// A band counter's growth during the match: the final reading when the link
// stored one, otherwise the value read now.
qint64 bandGrowth(const MatchLogRow& row, int band)
{
    const qint32 end = row.stats[static_cast<size_t>(MatchLogRow::CounterEnd0 + 2 * band)];
    const qint32 start = row.stats[static_cast<size_t>(MatchLogRow::CounterStart0 + 2 * band)];
    const qint32 now = row.current[static_cast<size_t>(MatchLogRow::Counter0 + band)];
    return qint64(end != start ? end : now) - start;
}

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
}

namespace MatchLogFormat {

QString CsvHeader()
{
    return QStringLiteral(
        "\"Match#\",\"Time\",\"Autonomous\",\"Teleop\",\"Status\",\"Team #\",\"Team Position\","
        "\"Joystick Sent\",\"Joystick Lost\",\"Joystick Disc\",\"NXT Disconnects\","
        "\"NXT Volt Start\",\"NXT Volt End\",\"Robot Volt Start\",\"Robot Volt End\","
        "\"Teleop Name\",\"Initial Program\",\"Notes\",\"Freq NXT Volt Critical\","
        "\"Freq NXT Volt Error\",\"Freq NXT Volt Warn\",\"Freq NXT Volt Safe\","
        "\"NXT Volt Min\",\"NXT Volt Max\"\n");
}

MatchLogCell JoystickDiscCell(qint32 lostJoysticks)
{
    if (lostJoysticks == 0)
        return number(0);
    // Ticks of about 33 ms to seconds, rounded; unsigned as the counter has always been read.
    const quint32 seconds = (static_cast<quint32>(lostJoysticks) + 15u) / 33u;
    return text(QString::asprintf("%02u:%02u", seconds / 60u, seconds % 60u));
}

QList<MatchLogCell> Cells(const MatchLogRow& row)
{
    using R = MatchLogRow;
    const auto stat = [&row](R::Stat s) { return row.stats[static_cast<size_t>(s)]; };
    const auto current = [&row](R::Current c) { return row.current[static_cast<size_t>(c)]; };
    const QString position =
        row.position >= 0 && row.position < 4 ? Str(kRedTeam1 + row.position) : QString();
    const QString notes = QString::asprintf("P%d.%d F%d.%d S", row.protocolMajor, row.protocolMinor,
                                            row.firmwareMajor, row.firmwareMinor)
                          + row.moduleVersionText + QLatin1Char(' ') + row.notes;
    const QDateTime started = QDateTime::fromSecsSinceEpoch(row.record.startTime);

    return {
        text(row.record.matchName),
        text(FormatLocalTime("%d-%b-%Y %I:%M:%S %p", started)),
        text(row.record.autonomousText),
        text(row.record.teleopText),
        text(row.record.statusText),
        text(row.team),
        text(position),
        number(stat(R::MessagesSent)),
        number(stat(R::LostDuringMatch)),
        JoystickDiscCell(stat(R::LostJoysticks)),
        number(stat(R::Reconnects)),
        text(volts(stat(R::StartNxtMv))),
        text(volts(stat(R::EndNxtMv))),
        text(volts(stat(R::StartModuleMv))),
        text(volts(stat(R::EndModuleMv))),
        text(row.teleopProgram),
        text(row.initialProgram),
        text(notes),
        text(QString::number(qint64(current(R::Counter0)) - stat(R::CounterStart0))),
        text(QString::number(bandGrowth(row, 1))),
        text(QString::number(bandGrowth(row, 2))),
        text(QString::number(bandGrowth(row, 3))),
        text(volts(current(R::Voltage16))),
        text(volts(current(R::Voltage17))),
    };
}

QString CsvText(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString HtmlText(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '&': escaped += QLatin1String("&amp;"); break;
        case '<': escaped += QLatin1String("&lt;"); break;
        case '>': escaped += QLatin1String("&gt;"); break;
        case '"': escaped += QLatin1String("&quot;"); break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

QString CsvLine(const MatchLogRow& row)
{
    QString line;
    const QList<MatchLogCell> cells = Cells(row);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        line += cells[i].isText ? CsvText(cells[i].value) : cells[i].value;
    }
    return line + QLatin1Char('\n');
}

QString HtmlLine(const MatchLogRow& row)
{
    QString line = QStringLiteral("<table><tr>");
    for (const MatchLogCell& cell : Cells(row))
        line += QLatin1String("<td>") + (cell.isText ? HtmlText(cell.value) : cell.value)
                + QLatin1String("</td>");
    return line + QStringLiteral("</tr></table>\n");
}

}

MatchLog::MatchLog(const Clock& clock, const DataFolders& folders, LogSink& log, Prompt& prompt)
    : m_clock(clock),
      m_folders(folders),
      m_log(log),
      m_prompt(prompt),
      m_openFile(&MatchLog::OpenLogFile),
      m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
}

MatchLog::~MatchLog() = default;

QString MatchLog::csvPath() const
{
    return m_folders.DataPath(kMatchLogFolder, Str(kMatchLogName), kCsv);
}

QString MatchLog::htmlPath() const
{
    return m_folders.DataPath(kMatchLogFolder, Str(kMatchLogName), kHtml);
}

QString MatchLog::reportTemplatePath() const
{
    return m_folders.DataPath(kMiscFolder, Str(kReportName), kHtml);
}

QString MatchLog::reportPath() const
{
    return m_folders.DataPath(kMatchLogFolder, Str(kReportName), kHtml);
}

bool MatchLog::IsInUseCause(int cause)
{
    return cause == EACCES || cause == EPERM || cause == EROFS || cause == EAGAIN
           || cause == EWOULDBLOCK;
}

std::unique_ptr<QFile> MatchLog::OpenLogFile(const QString& path, OpenMode mode, int& cause)
{
    const QByteArray native = QFile::encodeName(path);
    const int flags = (mode == OpenMode::Append ? O_WRONLY | O_APPEND : O_RDONLY) | O_CREAT | O_CLOEXEC;
    const int fd = ::open(native.constData(), flags, 0666);
    if (fd < 0) {
        cause = errno;
        return nullptr;
    }
    if (mode == OpenMode::Append) {
        // Our own lock keeps two writers apart; a spreadsheet or editor that
        // holds a record lock on the file is in use just the same.
        struct flock probe{};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        int failure = 0;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            failure = errno;
        else if (::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK)
            failure = EAGAIN;
        if (failure != 0) {
            ::close(fd);
            cause = failure;
            return nullptr;
        }
    }
    auto file = std::make_unique<QFile>();
    const QIODevice::OpenMode qtMode =
        mode == OpenMode::Append ? QIODevice::WriteOnly | QIODevice::Append : QIODevice::ReadOnly;
    if (!file->open(fd, qtMode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        cause = EIO;
        return nullptr;
    }
    return file;
}

std::unique_ptr<QFile> MatchLog::openWithRetry(const QString& path, OpenMode mode, int inUseText,
                                               int unrecoverableText)
{
    for (;;) {
        int cause = 0;
        std::unique_ptr<QFile> file = m_openFile(path, mode, cause);
        if (file)
            return file;
        const QString failure = QStringLiteral("Unable to open \"%1\" - Cause=%2").arg(path).arg(cause);
        if (IsInUseCause(cause)) {
            if (m_prompt.ask(Str(inUseText), Prompt::Buttons::RetryCancel, Prompt::Icon::Warning)
                == Prompt::Answer::Retry)
                continue;
        } else {
            m_prompt.show(Str(unrecoverableText), Prompt::Icon::Error);
        }
        m_log.LogEvent(-1, failure);
        return nullptr;
    }
}

void MatchLog::WriteMatchLogRow(const MatchLogRow& row)
{
    m_queue.push_front(row);
    if (m_writing)
        return; // the running writer takes it
    m_writing = true;
    while (!m_queue.empty()) {
        const MatchLogRow next = std::move(m_queue.front());
        m_queue.pop_front();
        writeRow(next);
    }
    m_writing = false;
}

bool MatchLog::writeAll(QFile& file, const QString& path, const QByteArray& bytes)
{
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    m_log.LogEvent(-1, QStringLiteral("Unable to write \"%1\" - %2").arg(path, file.errorString()));
    return false;
}

void MatchLog::writeRow(const MatchLogRow& row)
{
    m_folders.FolderPath(kMatchLogFolder);
    const QString csv = csvPath();
    std::unique_ptr<QFile> csvFile = openWithRetry(csv, OpenMode::Append, kCsvInUse, kCsvUnrecoverable);
    if (!csvFile)
        return;
    CheckHtmlLog();
    const QString html = htmlPath();
    std::unique_ptr<QFile> htmlFile =
        openWithRetry(html, OpenMode::Append, kHtmlInUse, kHtmlUnrecoverable);
    if (!htmlFile)
        return; // nothing has been written to the CSV file yet

    // Each file gets its part in one write, so a failure cannot leave half a row.
    QString csvText = MatchLogFormat::CsvLine(row);
    if (csvFile->size() == 0)
        csvText.prepend(MatchLogFormat::CsvHeader());
    const bool csvWritten = writeAll(*csvFile, csv, Text8::encodeForFile(csvText));
    writeAll(*htmlFile, html, Text8::encodeForFile(MatchLogFormat::HtmlLine(row)));
    csvFile->close();
    htmlFile->close();
    if (!csvWritten)
        return; // only the CSV file is uploaded

    const qint32 now = m_clock.nowMs();
    m_pendingUpload = now != 0 ? now : 1; // 0 means nothing pending
    if (m_written)
        m_written(m_pendingUpload);
}

bool MatchLog::CheckHtmlLog()
{
    const QString path = htmlPath();
    std::unique_ptr<QFile> file = openWithRetry(path, OpenMode::Read, kHtmlInUse, kHtmlUnrecoverable);
    if (!file)
        return false;
    const QByteArray head = file->read(7);
    file.reset();
    if (head != QByteArrayLiteral("<script"))
        return true;

    const QString oldFormat = QStringLiteral("Old format \"%1\" file.").arg(path);
    if (m_prompt.ask(FormatMessage(kRenameOld, {path}), Prompt::Buttons::OkCancel,
                     Prompt::Icon::Question)
        != Prompt::Answer::Ok) {
        m_log.LogEvent(-1, oldFormat);
        return false;
    }
    const QString oldPath = path + QStringLiteral("_old");
    std::error_code error;
    std::filesystem::remove(fsPath(oldPath), error);
    std::filesystem::rename(fsPath(path), fsPath(oldPath), error);
    if (error) {
        m_log.LogEvent(-1, QStringLiteral("Unable to rename \"%1\" - Cause=%2").arg(path).arg(error.value()));
        return false;
    }
    return true;
}

void MatchLog::QrbReport()
{
    const QString copy = reportPath();
    std::error_code error;
    std::filesystem::copy_file(fsPath(reportTemplatePath()), fsPath(copy),
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        m_log.LogEvent(-1, FormatMessage(kSendFail, {error.value()}));

    // A read-only template gives a read-only copy, which the next copy could not replace.
    if (QFile::exists(copy))
        QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::ReadOwner
                                        | QFileDevice::WriteOwner);

    if (CheckHtmlLog())
        m_openUrl(QUrl::fromLocalFile(copy));
}
