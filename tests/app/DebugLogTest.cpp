#include "tests/support/FakeClock.h"
#include "tests/support/TempDir.h"

#include "fcs/app/DataFolders.h"
#include "fcs/app/DebugLog.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct DebugLogFixture : ::testing::Test {
    TempFolders temp;
    FakeClock clock;
    FixedWallClock wall{QDateTime(QDate(2026, 12, 11), QTime(14, 5, 9))};
    DataFolders folders{temp.folders()};
    DebugLog log{clock, wall, folders};

    QStringList lines()
    {
        QFile file(log.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(bytes.contains("\n") && bytes.count("\r\n") != bytes.count("\n"))
            << "every line ends with CR LF";
        QString text = QString::fromLatin1(bytes);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QStringList all = text.split(QLatin1Char('\n'));
        if (!all.isEmpty() && all.back().isEmpty())
            all.removeLast();
        return all;
    }
};

TEST_F(DebugLogFixture, StartupLogGoesToDocumentsAndStartsWithTheHeader)
{
    log.setIdentity(QStringLiteral("FIELD1_020509"));
    ASSERT_TRUE(log.OpenDebugLog(420, QStringLiteral("2026-Dec-11-14-05-09")));
    EXPECT_EQ(log.filePath(), temp.dir.filePath("documents/Tervana FCS/DebugLog/2026-Dec-11-14-05-09.log"));
    const QStringList all = lines();
    ASSERT_EQ(all.size(), 1);
    EXPECT_TRUE(all[0].startsWith(QStringLiteral("LOG START on FIELD1_020509 at Friday 11-Dec-2026 02:05:09 PM ")))
        << all[0].toStdString();
    EXPECT_FALSE(log.OpenDebugLog(420, QStringLiteral("other"))) << "one log at a time";
}

TEST_F(DebugLogFixture, TicksAreCoalescedBeforeTheNextLine)
{
    ASSERT_TRUE(log.OpenDebugLog(420, QStringLiteral("ticks")));
    clock.advance(1234);
    for (int i = 0; i < 3; ++i)
        log.LogTick(-1, QStringLiteral("Timer Tick"));
    log.LogEvent(-1, QStringLiteral("Start Match Requested"));
    log.LogTick(-1, QStringLiteral("Timer Tick"));
    log.LogEvent(2, QStringLiteral("Halt Requested"));
    log.LogTick(1, QStringLiteral("Connect"));
    const QStringList all = lines();
    ASSERT_EQ(all.size(), 6);
    EXPECT_EQ(all[1], QStringLiteral("02:05:09: 1.234  -1 3 Timer Ticks"));
    EXPECT_EQ(all[2], QStringLiteral("02:05:09: 1.234  *    Start Match Requested"));
    EXPECT_EQ(all[3], QStringLiteral("02:05:09: 1.234  -1 Timer Tick"));
    EXPECT_EQ(all[4], QStringLiteral("02:05:09: 1.234  2    Halt Requested"));
    EXPECT_EQ(all[5], QStringLiteral("02:05:09: 1.234  1    Connect"));
}

TEST_F(DebugLogFixture, MessageAndDumpLines)
{
    ASSERT_TRUE(log.OpenDebugLog(420, QStringLiteral("messages")));
    clock.advance(61005);
    log.LogMessage(3, LogSink::FromBrickOdd, QStringLiteral("Battery"));
    const char bytes[] = {0x02, 0x0b, 0x00, char(0xa6), 0x1c};
    log.LogDump(0, LogSink::ToModule, QByteArrayView(bytes, 5));
    const QStringList all = lines();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[1], QStringLiteral("02:05:09: 61.005  3 ?N>? Battery"));
    EXPECT_EQ(all[2], QStringLiteral("02:05:09: 61.005 : 0 >T 02 0b 00 a6 1c"));
}

TEST_F(DebugLogFixture, ClosedLogWritesNothingAndDropsTicks)
{
    log.LogTick(-1, QStringLiteral("Timer Tick"));
    log.LogEvent(-1, QStringLiteral("lost"));
    EXPECT_EQ(log.pendingTicks(), 0);
    EXPECT_FALSE(log.isOpen());
}

TEST(DebugLogHex, ThreeLayouts)
{
    auto buffer = [](int n) {
        QByteArray b;
        for (int i = 0; i < n; ++i)
            b.append(char(i));
        return b;
    };
    const QString pad = QStringLiteral("\n") + QString(14, QLatin1Char(' '));

    const QString h20 = DebugLog::HexText(buffer(20));
    EXPECT_FALSE(h20.contains('\n'));
    EXPECT_TRUE(h20.startsWith(QStringLiteral("00 01 02")));
    EXPECT_TRUE(h20.endsWith(QStringLiteral("12 13")));

    const QString h40 = DebugLog::HexText(buffer(40));
    EXPECT_EQ(h40.count('\n'), 2);
    EXPECT_TRUE(h40.contains(QStringLiteral("0f") + pad + QStringLiteral("10 11")));
    EXPECT_TRUE(h40.contains(QStringLiteral("1f") + pad + QStringLiteral("20 21")));
    EXPECT_FALSE(h40.contains(QStringLiteral(": ")));

    const QString h64 = DebugLog::HexText(buffer(64));
    EXPECT_TRUE(h64.startsWith(QStringLiteral("0000: 00 01")));
    EXPECT_TRUE(h64.contains(pad + QStringLiteral("0010: 10 11")));
    EXPECT_TRUE(h64.contains(pad + QStringLiteral("0020: 20")));
    EXPECT_TRUE(h64.contains(pad + QStringLiteral("0030: 30")));
    EXPECT_TRUE(h64.endsWith(QStringLiteral("3e 3f")));

    // 34 bytes stay on one line; 35 break.
    EXPECT_FALSE(DebugLog::HexText(buffer(34)).contains('\n'));
    EXPECT_TRUE(DebugLog::HexText(buffer(35)).contains('\n'));
    EXPECT_TRUE(DebugLog::HexText({}).isEmpty());
}

TEST(DebugLogPurge, AgeRule)
{
    const qint64 day = 86400;
    struct Case {
        qint64 age;
        bool purge;
    };
    for (const Case c : {Case{3 * day, false}, Case{7 * day - 1, false}, Case{7 * day, false},
                         Case{7 * day + 3600, false}, Case{7 * day + 1, true},
                         Case{7 * day + 3599, true}, Case{8 * day, true}, Case{10 * day, true}})
        EXPECT_EQ(DebugLog::IsPurgeAge(c.age), c.purge) << c.age;
}

TEST_F(DebugLogFixture, PurgeDeletesOnlyOldStartupLogs)
{
    const QString folder = folders.FolderPath(420);
    const QDateTime now = wall.now();
    struct File {
        const char* name;
        qint64 ageSeconds;
        bool kept;
    };
    const File files[] = {{"three.log", 3 * 86400, true},
                          {"seven.log", 7 * 86400 + 77, false},
                          {"ten.log", 10 * 86400, false},
                          {"ten.txt", 10 * 86400, true}};
    for (const File& f : files) {
        QFile file(folder + '/' + f.name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.close();
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(now.addSecs(-f.ageSeconds), QFileDevice::FileModificationTime);
        file.close();
    }
    // Birth times cannot be set here, so the test ages files by their write time.
    log.setCreationTime([](const QFileInfo& info) { return info.lastModified(); });
    log.PurgeDebugLogs();
    for (const File& f : files)
        EXPECT_EQ(QFile::exists(folder + '/' + f.name), f.kept) << f.name;
}

TEST_F(DebugLogFixture, PerMatchLogsRotateOnlyWithIntegration)
{
    QStringList uploads;
    log.setIdentity(QStringLiteral("FIELD1_020509"));
    log.setUploader([&](const QString& local, const QString& remote) { uploads << local + '>' + remote; });
    const QString match = QStringLiteral("12");
    log.RotateMatchLog(&match);
    EXPECT_FALSE(log.isOpen()) << "no per-match log without integration";

    log.setIntegrationActive(true);
    log.RotateMatchLog(&match);
    ASSERT_TRUE(log.isOpen());
    EXPECT_EQ(log.filePath(), temp.dir.filePath("local/Tervana FCS/DebugLog/FIELD1_020509_12_0.log"));
    log.RotateMatchLog(&match);
    EXPECT_TRUE(log.filePath().endsWith(QStringLiteral("FIELD1_020509_12_1.log")));
    ASSERT_EQ(uploads.size(), 1);
    EXPECT_TRUE(uploads[0].endsWith(QStringLiteral(">debugLog/FIELD1_020509_12_0.log")));
    log.CloseMatchLog();
    EXPECT_FALSE(log.isOpen());
    EXPECT_EQ(uploads.size(), 2);
}

} // namespace
