#include "fcs/app/DebugLog.h"

#include "fcs/app/DataFolders.h"
#include "fcs/resources/StringTable.h"
#include "platform/Clock.h"
#include "platform/Text8.h"
#include "platform/TimeFormat.h"
#include "platform/WallClock.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kStartupLogFolder = 420;
constexpr int kMatchLogFolder = 416;
constexpr int kLogExtension = 414;
constexpr int kRemoteDebugLogDir = 412;
}

DebugLog::DebugLog(const Clock& clock, const WallClock& wallClock, const DataFolders& folders)
    : m_clock(clock), m_wallClock(wallClock), m_folders(folders)
{
}

DebugLog::~DebugLog()
{
    m_file.close();
}

const char* DebugLog::MarkerText(int marker)
{
    static const char* const kMarkers[] = {">N", "?>N?", "N>", "?N>?", ">T", "?>T?", "T>", "?T>?"};
    return marker >= 0 && marker < 8 ? kMarkers[marker] : "?";
}

QString DebugLog::HexText(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n * 3 + (n / 16) * 22 + 8);
    for (qsizetype i = 0; i < n; ++i) {
        if (i == 0) {
            if (n > 48)
                out += QStringLiteral("0000: ");
        } else if (i % 16 == 0 && n > 34) {
            out += QLatin1Char('\n') + QString(14, QLatin1Char(' '));
            if (n > 48)
                out += QString::asprintf("%04x: ", static_cast<unsigned>(i));
        } else {
            out += QLatin1Char(' ');
        }
        out += QString::asprintf("%02x", static_cast<unsigned char>(bytes[i]));
    }
    return out;
}

bool DebugLog::IsPurgeAge(qint64 ageSeconds)
{
    const qint64 days = ageSeconds / 86400;
    if (days < 7)
        return false;
    if (days == 7)
        return ageSeconds % 3600 != 0;
    return true;
}

QString DebugLog::stamp() const
{
    const qint32 elapsed = m_clock.nowMs() - m_logStart;
    return FormatLocalTime("%I:%M:%S", m_wallClock.now())
           + QString::asprintf(": %d.%03d ", elapsed / 1000, elapsed % 1000);
}

void DebugLog::writeLine(const QString& line)
{
    m_file.write(Text8::encodeForFile(line));
    m_file.flush();
}

void DebugLog::flushTicks()
{
    if (m_pendingTicks == 0)
        return;
    if (m_logOpen) {
        if (m_pendingTicks == 1)
            writeLine(stamp() + QStringLiteral(" -1 Timer Tick\n"));
        else
            writeLine(stamp() + QStringLiteral(" -1 %1 Timer Ticks\n").arg(m_pendingTicks));
    }
    m_pendingTicks = 0;
}

bool DebugLog::OpenDebugLog(int folderId, const QString& name)
{
    if (m_file.isOpen() || name.isEmpty())
        return false;
    m_file.setFileName(m_folders.DataPath(folderId, name, kLogExtension));
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    m_logStart = m_clock.nowMs();
    m_logOpen = true;
    // The first placeholder names the station the log comes from.
    writeLine(QStringLiteral("LOG START on %1 at %2\n")
                  .arg(m_identity,
                       FormatLocalTime("%A %d-%b-%Y %I:%M:%S %p %z", m_wallClock.now())));
    return true;
}

void DebugLog::PurgeDebugLogs()
{
    const QDir folder(m_folders.FolderPath(kStartupLogFolder));
    const QDateTime now = m_wallClock.now();
    const QFileInfoList logs = folder.entryInfoList({QStringLiteral("*.log")}, QDir::Files);
    for (const QFileInfo& info : logs) {
        // Not every file system keeps a birth time; the last write stands in for it.
        QDateTime created = m_creationTime ? m_creationTime(info) : info.birthTime();
        if (!created.isValid())
            created = info.lastModified();
        if (!created.isValid())
            continue;
        if (IsPurgeAge(created.secsTo(now)))
            QFile::remove(info.absoluteFilePath());
    }
}

void DebugLog::LogEvent(int position, const QString& text)
{
    flushTicks();
    if (!m_logOpen)
        return;
    if (position == -1)
        writeLine(stamp() + QStringLiteral(" *    ") + text + QLatin1Char('\n'));
    else
        writeLine(stamp() + QLatin1Char(' ') + QString::number(position) + QStringLiteral("    ") + text
                  + QLatin1Char('\n'));
}

void DebugLog::LogTick(int position, const QString& text)
{
    if (position == -1 && text == QLatin1String("Timer Tick")) {
        ++m_pendingTicks;
        return;
    }
    LogEvent(position, text);
}

void DebugLog::LogMessage(int number, int marker, const QString& text)
{
    flushTicks();
    if (!m_logOpen)
        return;
    writeLine(stamp() + QLatin1Char(' ') + QString::number(number) + QLatin1Char(' ')
              + QString::fromLatin1(MarkerText(marker)) + QLatin1Char(' ') + text + QLatin1Char('\n'));
}

void DebugLog::LogDump(int number, int marker, QByteArrayView bytes)
{
    flushTicks();
    if (!m_logOpen)
        return;
    // A dump line differs from a message line by the colon after the stamp.
    writeLine(stamp() + QStringLiteral(": ") + QString::number(number) + QLatin1Char(' ')
              + QString::fromLatin1(MarkerText(marker)) + QLatin1Char(' ') + HexText(bytes)
              + QLatin1Char('\n'));
}

void DebugLog::CloseMatchLog()
{
    if (!m_integrationActive || !m_file.isOpen())
        return;
    m_file.close();
    m_logOpen = false;
    if (m_uploader && !m_matchLogName.isEmpty())
        m_uploader(m_folders.DataPath(kMatchLogFolder, m_matchLogName, kLogExtension),
                   Str(kRemoteDebugLogDir) + QLatin1Char('/') + m_matchLogName + QLatin1Char('.')
                       + Str(kLogExtension));
}

void DebugLog::RotateMatchLog(const QString* currentMatchNumber)
{
    if (!m_integrationActive)
        return;
    CloseMatchLog();
    if (currentMatchNumber == nullptr)
        return;
    m_matchLogName = QStringLiteral("%1_%2_%3").arg(m_identity, *currentMatchNumber).arg(m_matchLogCounter);
    ++m_matchLogCounter;
    OpenDebugLog(kMatchLogFolder, m_matchLogName);
}
