#include "fcs/app/DataFolders.h"
#include "fcs/app/MatchLog.h"
#include "platform/Prompt.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/TempDir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Answers from a script; an action may run while a question is open, as
// other events do while a message box is shown.
class ActingPrompt : public Prompt {
public:
    Answer ask(const QString& text, Buttons buttons, Icon) override
    {
        asked << text;
        if (!actions.empty()) {
            auto action = std::move(actions.front());
            actions.pop_front();
            if (action)
                action();
        }
        if (answers.empty())
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<Answer> answers;
    std::deque<std::function<void()>> actions;
    QStringList asked;
};

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

qint64 localSeconds(int hour, int minute, int second)
{
    return QDateTime(QDate(2026, 12, 11), QTime(hour, minute, second)).toSecsSinceEpoch();
}

MatchLogRow sampleRow(const QString& team = QStringLiteral("1234"))
{
    MatchLogRow row;
    row.record = {QStringLiteral("12"), localSeconds(14, 5, 9), QStringLiteral("00:30"),
                  QStringLiteral("02:00"), QStringLiteral("Played")};
    row.position = 2;
    row.team = team;
    row.teleopProgram = QStringLiteral("Teleop.rxe");
    row.initialProgram = QStringLiteral("Auto.rxe");
    row.protocolMajor = 1;
    row.protocolMinor = 124;
    row.firmwareMajor = 1;
    row.firmwareMinor = 29;
    row.moduleVersionText = QStringLiteral("2.05");
    row.notes = QStringLiteral("Auto E-Stop - ");
    using R = MatchLogRow;
    auto& s = row.stats;
    s[R::MessagesSent] = 3600;
    s[R::LostJoysticks] = 18;
    s[R::LostDuringMatch] = 4;
    s[R::Reconnects] = 1;
    s[R::StartNxtMv] = 7850;
    s[R::EndNxtMv] = 7499;
    s[R::StartModuleMv] = 11000;
    s[R::EndModuleMv] = 10987;
    // Band 1 has a final reading, bands 0, 2 and 3 do not.
    s[R::CounterStart0] = s[R::CounterEnd0] = 2;
    s[R::CounterStart1] = 10;
    s[R::CounterEnd1] = 13;
    s[R::CounterStart2] = s[R::CounterEnd2] = 5;
    s[R::CounterStart3] = s[R::CounterEnd3] = 100;
    row.current = {7, 99, 9, 160, 6999, 8123};
    return row;
}

class MatchLogTest : public ::testing::Test {
protected:
    MatchLogTest() : folders(temp.folders()), log(clock, folders, debugLog, prompt)
    {
        clock.set(4321);
    }

    // A folder that refuses writes, as a read-only folder would for a user
    // who is not root (tests run as root, where permission bits do not stop writes).
    void refuseWrites(bool refuse)
    {
        readOnly = refuse;
        log.setFileOpener([this](const QString& path, MatchLog::OpenMode mode, int& cause)
                              -> std::unique_ptr<QFile> {
            if (readOnly && mode == MatchLog::OpenMode::Append) {
                cause = EACCES;
                return nullptr;
            }
            return MatchLog::OpenLogFile(path, mode, cause);
        });
    }

    QString csv() const { return readAll(log.csvPath()); }

    TempFolders temp;
    DataFolders folders;
    FakeClock clock;
    RecordingLog debugLog;
    ActingPrompt prompt;
    MatchLog log;
    bool readOnly = false;
};

TEST(MatchLogFormatTest, CellsFollowTheHeaderColumns)
{
    const QString expected = QStringLiteral(
        "\"12\",\"11-Dec-2026 02:05:09 PM\",\"00:30\",\"02:00\",\"Played\",\"1234\","
        "\"Blue Team 1\",3600,4,\"00:01\",1,\"7.850V\",\"7.499V\",\"11.000V\",\"10.987V\","
        "\"Teleop.rxe\",\"Auto.rxe\",\"P1.124 F1.29 S2.05 Auto E-Stop - \","
        "\"5\",\"3\",\"4\",\"60\",\"6.999V\",\"8.123V\"\n");
    EXPECT_EQ(MatchLogFormat::CsvLine(sampleRow()), expected);
    EXPECT_EQ(MatchLogFormat::Cells(sampleRow()).size(),
              MatchLogFormat::CsvHeader().count(QLatin1Char(',')) + 1);
}

TEST(MatchLogFormatTest, JoystickDisconnectTime)
{
    struct Case { qint32 lost; bool isText; const char* cell; };
    for (const Case& c : {Case{0, false, "0"}, Case{18, true, "00:01"}, Case{1000, true, "00:30"},
                          Case{17, true, "00:00"}, Case{33 * 61, true, "01:01"}}) {
        const MatchLogCell cell = MatchLogFormat::JoystickDiscCell(c.lost);
        EXPECT_EQ(cell.isText, c.isText) << c.lost;
        EXPECT_EQ(cell.value, QLatin1String(c.cell)) << c.lost;
        MatchLogRow row = sampleRow();
        row.stats[MatchLogRow::LostJoysticks] = c.lost;
        const QString column = MatchLogFormat::CsvLine(row).split(QLatin1Char(','))[9];
        EXPECT_EQ(column, c.isText ? QStringLiteral("\"%1\"").arg(c.cell) : QString(c.cell));
    }
}

TEST(MatchLogFormatTest, PositionNamesAndVoltages)
{
    const char* names[] = {"Red Team 1", "Red Team 2", "Blue Team 1", "Blue Team 2", "", ""};
    const int positions[] = {0, 1, 2, 3, 4, -1};
    for (int i = 0; i < 6; ++i) {
        MatchLogRow row = sampleRow();
        row.position = positions[i];
        EXPECT_EQ(MatchLogFormat::Cells(row)[6].value, QLatin1String(names[i]));
    }
    MatchLogRow row = sampleRow();
    row.stats[MatchLogRow::StartNxtMv] = 0;
    row.stats[MatchLogRow::EndNxtMv] = -1;
    EXPECT_EQ(MatchLogFormat::Cells(row)[11].value, QStringLiteral("0.000V"));
    EXPECT_EQ(MatchLogFormat::Cells(row)[12].value, QStringLiteral("-0.001V"));
}

TEST(MatchLogFormatTest, RobotTextCannotBreakColumnsOrRunInTheReport)
{
    MatchLogRow row = sampleRow(QStringLiteral("12\"34"));
    row.notes = QStringLiteral("<script>alert(\"x&y\")</script>");
    const QString csv = MatchLogFormat::CsvLine(row);
    EXPECT_TRUE(csv.contains(QStringLiteral(",\"12\"\"34\",")));
    EXPECT_TRUE(csv.contains(QStringLiteral("<script>alert(\"\"x&y\"\")</script>\"")));
    // Every quote is paired, so a spreadsheet still sees 24 columns.
    EXPECT_EQ(csv.count(QLatin1Char('"')) % 2, 0);

    const QString html = MatchLogFormat::HtmlLine(row);
    EXPECT_TRUE(html.startsWith(QStringLiteral("<table><tr><td>12</td>")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</tr></table>\n")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>12&quot;34</td>")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("&lt;script&gt;alert(&quot;x&amp;y&quot;)&lt;/script&gt;</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script")));
    EXPECT_EQ(html.count(QStringLiteral("<td>")), 24);
}

TEST_F(MatchLogTest, NewInstallationGetsFoldersHeaderOnceAndCrLfLines)
{
    log.WriteMatchLogRow(sampleRow(QStringLiteral("1")));
    log.WriteMatchLogRow(sampleRow(QStringLiteral("2")));

    EXPECT_TRUE(log.csvPath().startsWith(temp.folders().documents + QStringLiteral("/Tervana FCS/MatchLog/")));
    const QString text = csv();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4); // header, two rows, the empty rest after the last line end
    EXPECT_EQ(lines[0] + QLatin1Char('\n'), MatchLogFormat::CsvHeader());
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("\"12\",")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",\"1\",\"Blue Team 1\",")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral(",\"2\",\"Blue Team 1\",")));
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(text.count(QStringLiteral("Match#")), 1);
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));

    const QString html = readAll(log.htmlPath());
    EXPECT_EQ(html.count(QStringLiteral("<table><tr>")), 2);
    EXPECT_TRUE(html.endsWith(QStringLiteral("</tr></table>\r\n")));
    EXPECT_TRUE(prompt.asked.isEmpty());
}

TEST_F(MatchLogTest, CompletedWriteRecordsTheClockForUpload)
{
    QList<qint32> told;
    log.setWrittenHandler([&told](qint32 ms) { told << ms; });
    EXPECT_EQ(log.pendingMatchLogUpload(), 0);
    log.WriteMatchLogRow(sampleRow());
    EXPECT_EQ(log.pendingMatchLogUpload(), 4321);
    EXPECT_EQ(told, QList<qint32>{4321});
    log.clearPendingMatchLogUpload();

    refuseWrites(true); // a dropped row leaves nothing to upload
    log.WriteMatchLogRow(sampleRow());
    EXPECT_EQ(log.pendingMatchLogUpload(), 0);
    EXPECT_EQ(told.size(), 1);
}

TEST_F(MatchLogTest, ReadOnlyFolderCancelDropsTheRowAndRetryWritesItLater)
{
    log.WriteMatchLogRow(sampleRow(QStringLiteral("1111")));

    refuseWrites(true);
    prompt.answers = {Prompt::Answer::Cancel};
    log.WriteMatchLogRow(sampleRow(QStringLiteral("2222")));
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_TRUE(prompt.asked[0].startsWith(QStringLiteral("The MatchLog.csv file is in use")));
    EXPECT_TRUE(debugLog.lines.contains(
        QStringLiteral("-1|Unable to open \"%1\" - Cause=%2").arg(log.csvPath()).arg(EACCES)));
    EXPECT_FALSE(csv().contains(QStringLiteral("2222")));
    EXPECT_FALSE(readAll(log.htmlPath()).contains(QStringLiteral("2222")));

    // The operator frees the folder while the question is open, then answers Retry.
    prompt.asked.clear();
    prompt.answers = {Prompt::Answer::Retry};
    prompt.actions = {[this] { readOnly = false; }};
    log.WriteMatchLogRow(sampleRow(QStringLiteral("3333")));
    EXPECT_EQ(prompt.asked.size(), 1);
    const QString text = csv();
    EXPECT_TRUE(text.contains(QStringLiteral("\"1111\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"3333\"")));
    EXPECT_FALSE(text.contains(QStringLiteral("2222")));
    EXPECT_EQ(text.count(QStringLiteral("Match#")), 1);
    EXPECT_EQ(readAll(log.htmlPath()).count(QStringLiteral("<table>")), 2);
}

TEST_F(MatchLogTest, FileLockedByAnotherWriterIsInUseUntilReleased)
{
    log.WriteMatchLogRow(sampleRow(QStringLiteral("1111")));
    const int holder = ::open(QFile::encodeName(log.csvPath()).constData(), O_RDWR);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);

    prompt.answers = {Prompt::Answer::Retry, Prompt::Answer::Retry};
    prompt.actions = {nullptr, [holder] { ::flock(holder, LOCK_UN); }};
    log.WriteMatchLogRow(sampleRow(QStringLiteral("2222")));
    ::close(holder);

    ASSERT_EQ(prompt.asked.size(), 2); // still locked after the first Retry
    EXPECT_TRUE(prompt.asked[1].startsWith(QStringLiteral("The MatchLog.csv file is in use")));
    EXPECT_TRUE(csv().contains(QStringLiteral("\"1111\"")));
    EXPECT_TRUE(csv().contains(QStringLiteral("\"2222\"")));
}

TEST_F(MatchLogTest, HtmlInUseCancelAlsoDropsTheCsvRow)
{
    log.WriteMatchLogRow(sampleRow(QStringLiteral("1111")));
    log.setFileOpener([this](const QString& path, MatchLog::OpenMode mode, int& cause)
                          -> std::unique_ptr<QFile> {
        if (path == log.htmlPath() && mode == MatchLog::OpenMode::Append) {
            cause = EWOULDBLOCK;
            return nullptr;
        }
        return MatchLog::OpenLogFile(path, mode, cause);
    });
    log.WriteMatchLogRow(sampleRow(QStringLiteral("2222")));
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_TRUE(prompt.asked[0].startsWith(QStringLiteral("The MatchLog.html file is in use")));
    EXPECT_FALSE(csv().contains(QStringLiteral("2222")));
    EXPECT_TRUE(csv().contains(QStringLiteral("1111")));
}

TEST_F(MatchLogTest, OtherFailureIsUnrecoverable)
{
    QDir().mkpath(log.csvPath()); // a folder where the file should be
    log.WriteMatchLogRow(sampleRow());
    EXPECT_EQ(prompt.asked, QStringList{QStringLiteral("Unrecoverable error attempting to open Matchlog.csv")});
    EXPECT_TRUE(debugLog.lines.contains(
        QStringLiteral("-1|Unable to open \"%1\" - Cause=%2").arg(log.csvPath()).arg(EISDIR)));
    EXPECT_FALSE(QFile::exists(log.htmlPath()));
    EXPECT_EQ(log.pendingMatchLogUpload(), 0);
}

TEST_F(MatchLogTest, RowsArrivingDuringAQuestionAreWrittenNewestFirst)
{
    refuseWrites(true);
    prompt.answers = {Prompt::Answer::Retry};
    prompt.actions = {[this] {
        log.WriteMatchLogRow(sampleRow(QStringLiteral("B")));
        log.WriteMatchLogRow(sampleRow(QStringLiteral("C")));
        EXPECT_TRUE(log.isWriting());
        EXPECT_EQ(log.queuedRows(), 2u);
        readOnly = false;
    }};
    log.WriteMatchLogRow(sampleRow(QStringLiteral("A")));

    const QStringList lines = csv().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",\"A\",")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral(",\"C\",")));
    EXPECT_TRUE(lines[3].contains(QStringLiteral(",\"B\",")));
    EXPECT_FALSE(log.isWriting());
    EXPECT_EQ(log.queuedRows(), 0u);
}

TEST_F(MatchLogTest, OldFormatHtmlIsRenamedAfterConfirmation)
{
    folders.FolderPath(265);
    writeFile(log.htmlPath(), "<script src=\"x.js\"></script>");
    writeFile(log.htmlPath() + QStringLiteral("_old"), "older still");

    prompt.answers = {Prompt::Answer::Cancel};
    EXPECT_FALSE(log.CheckHtmlLog());
    EXPECT_EQ(prompt.asked, QStringList{QStringLiteral("Found old version of %1. Ok to rename ?").arg(log.htmlPath())});
    EXPECT_TRUE(debugLog.lines.contains(QStringLiteral("-1|Old format \"%1\" file.").arg(log.htmlPath())));
    EXPECT_TRUE(readAll(log.htmlPath()).startsWith(QStringLiteral("<script")));

    prompt.answers = {Prompt::Answer::Ok};
    EXPECT_TRUE(log.CheckHtmlLog());
    EXPECT_EQ(readAll(log.htmlPath() + QStringLiteral("_old")), QStringLiteral("<script src=\"x.js\"></script>"));

    log.WriteMatchLogRow(sampleRow());
    EXPECT_TRUE(readAll(log.htmlPath()).startsWith(QStringLiteral("<table><tr><td>12</td>")));
}

TEST_F(MatchLogTest, HtmlLogOfTheCurrentFormatNeedsNoQuestion)
{
    folders.FolderPath(265);
    for (const QByteArray& content : {QByteArray(), QByteArray("<scrip"), QByteArray("<SCRIPT>"),
                                      QByteArray("<table><tr>")}) {
        writeFile(log.htmlPath(), content);
        EXPECT_TRUE(log.CheckHtmlLog()) << content.constData();
    }
    EXPECT_TRUE(prompt.asked.isEmpty());
}

TEST_F(MatchLogTest, QrbReportCopiesTheTemplateAndOpensTheCopy)
{
    QList<QUrl> opened;
    log.setUrlOpener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    QDir().mkpath(QFileInfo(log.reportTemplatePath()).path());
    writeFile(log.reportTemplatePath(), "<html>report</html>");
    QFile::setPermissions(log.reportTemplatePath(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    log.QrbReport();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(log.reportPath()));
    EXPECT_EQ(readAll(log.reportPath()), QStringLiteral("<html>report</html>"));
    EXPECT_TRUE(QFile::permissions(log.reportPath()) & QFileDevice::WriteOwner);

    // A newer template replaces the copy; a missing one keeps the last copy.
    QFile::setPermissions(log.reportTemplatePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    writeFile(log.reportTemplatePath(), "<html>newer</html>");
    log.QrbReport();
    EXPECT_EQ(readAll(log.reportPath()), QStringLiteral("<html>newer</html>"));

    QFile::remove(log.reportTemplatePath());
    log.QrbReport();
    EXPECT_TRUE(debugLog.lines.contains(QStringLiteral("-1|Send Fail: %1").arg(ENOENT)));
    EXPECT_EQ(opened.size(), 3);
    EXPECT_EQ(readAll(log.reportPath()), QStringLiteral("<html>newer</html>"));
}

TEST_F(MatchLogTest, QrbReportIsNotOpenedWhenTheOldLogIsKept)
{
    int opened = 0;
    log.setUrlOpener([&opened](const QUrl&) { return ++opened > 0; });
    folders.FolderPath(265);
    writeFile(log.htmlPath(), "<script>");
    prompt.answers = {Prompt::Answer::Cancel};
    log.QrbReport();
    EXPECT_EQ(opened, 0);
}

}
