#include "tests/support/FakeClock.h"
#include "tests/support/FtpServerFixture.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

#include "fcs/app/DataFolders.h"
#include "fcs/app/Preferences.h"
#include "fcs/app/ScoringServerDatagram.h"
#include "fcs/app/ScoringServerFileService.h"
#include "fcs/app/ScoringServerLink.h"
#include "fcs/app/ScoringServerNames.h"
#include "fcs/app/ScoringServerRetry.h"
#include "fcs/schedule/Match.h"
#include "fcs/schedule/ScoringConfig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

constexpr quint32 kLoopback = 0x7F000001u;
const QString kUser = QStringLiteral("scorer");
const QString kPassword = QStringLiteral("s3cret!");

// ---- status datagram ------------------------------------------------------

qint32 wordAt(const StatusDatagram& bytes, size_t offset)
{
    return static_cast<qint32>((quint32(bytes[offset]) << 24) | (quint32(bytes[offset + 1]) << 16)
                               | (quint32(bytes[offset + 2]) << 8) | quint32(bytes[offset + 3]));
}

StatusDatagramInput idleMatch12()
{
    StatusDatagramInput input;
    input.tick.phase = MatchPhase::Idle;
    input.tick.timeShown = 30000; // autonomousSeconds 30 shown before the match
    input.tick.levels = {StatusGood, StatusGood, StatusGood, StatusGood};
    input.key1 = 7;
    input.key2 = 8;
    input.division = 1;
    input.matchType = 1;
    input.matchNumber = QStringLiteral("12");
    input.teamNames = {QStringLiteral("4242"), QStringLiteral("17"), QStringLiteral("Robots"), QString()};
    input.teleopEnabled = true;
    input.teleopSeconds = 120;
    return input;
}

TEST(StatusDatagramTest, IdleTickOfMatch12SendsTheWholeMatchTimeAndCodes1And0)
{
    const StatusDatagram bytes = BuildStatusDatagram(idleMatch12());
    ASSERT_EQ(bytes.size(), 68u);
    // Network byte order: 1000 is 00 00 03 E8.
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[2], 0x03);
    EXPECT_EQ(bytes[3], 0xE8);
    EXPECT_EQ(wordAt(bytes, 4), 7);
    EXPECT_EQ(wordAt(bytes, 8), 8);
    EXPECT_EQ(wordAt(bytes, 12), 1);
    EXPECT_EQ(wordAt(bytes, 16), 1);
    EXPECT_EQ(wordAt(bytes, 20), 1);
    EXPECT_EQ(wordAt(bytes, 24), 0);
    EXPECT_EQ(wordAt(bytes, 28), 150000);
    EXPECT_EQ(wordAt(bytes, 32), 12);
    EXPECT_EQ(wordAt(bytes, 36), 4242);
    EXPECT_EQ(wordAt(bytes, 44), 17);
    EXPECT_EQ(wordAt(bytes, 52), 0); // "Robots" has no digits
    EXPECT_EQ(wordAt(bytes, 60), 0);
    for (size_t t = 0; t < 4; ++t)
        EXPECT_EQ(wordAt(bytes, 40 + 8 * t), 0) << "good is state 0";
}

struct CodeCase {
    const char* name;
    MatchPhase phase;
    bool inEndGame;
    bool matchEnded;
    bool teleopEnabled;
    qint32 timeShown;
    qint32 period;
    qint32 phaseCode;
    qint32 time;
};

class StatusDatagramCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(StatusDatagramCodes, PeriodPhaseAndTime)
{
    const CodeCase& c = GetParam();
    StatusDatagramInput input = idleMatch12();
    input.tick.phase = c.phase;
    input.tick.inEndGame = c.inEndGame;
    input.tick.matchEndedThisTick = c.matchEnded;
    input.tick.timeShown = c.timeShown;
    input.teleopEnabled = c.teleopEnabled;
    const StatusDatagram bytes = BuildStatusDatagram(input);
    EXPECT_EQ(wordAt(bytes, 20), c.period);
    EXPECT_EQ(wordAt(bytes, 24), c.phaseCode);
    EXPECT_EQ(wordAt(bytes, 28), c.time);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, StatusDatagramCodes,
    ::testing::Values(
        CodeCase{"AutonomousRunning", MatchPhase::AutonomousRunning, false, false, true, 12000, 1, 1, 132000},
        CodeCase{"AutonomousEnded", MatchPhase::AutonomousEnded, false, false, true, 0, 1, 0, 120000},
        CodeCase{"AutonomousStarting", MatchPhase::AutonomousStarting, false, false, true, 30000, 0, 0, 150000},
        CodeCase{"Waiting", MatchPhase::Waiting, false, false, true, 0, 2, 16, 120000},
        CodeCase{"TeleopRunning", MatchPhase::TeleopRunning, false, false, true, 95000, 2, 17, 95000},
        CodeCase{"EndGame", MatchPhase::TeleopRunning, true, false, true, 20000, 4, 32, 20000},
        CodeCase{"MatchEndsThisTick", MatchPhase::MatchOver, true, true, true, 0, 4, 64, 0},
        CodeCase{"MatchEndsWithoutEndGame", MatchPhase::MatchOver, false, true, true, 0, 2, 64, 0},
        CodeCase{"MatchOver", MatchPhase::MatchOver, false, false, true, 0, 2, 18, 0},
        CodeCase{"TeleopEnded", MatchPhase::TeleopEnded, false, false, true, 0, 0, 0, 0},
        CodeCase{"IdleWithoutTeleop", MatchPhase::Idle, false, false, false, 30000, 1, 0, 30000},
        CodeCase{"WaitingWithoutTeleop", MatchPhase::Waiting, false, false, false, 5000, 2, 16, 120000}),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return std::string(info.param.name); });

TEST(StatusDatagramTest, PositionStatesFollowHaltAndLevel)
{
    StatusDatagramInput input = idleMatch12();
    input.tick.levels = {StatusGood, StatusError, StatusWarning, StatusNone};
    input.tick.halted = {true, false, false, false};
    StatusDatagram bytes = BuildStatusDatagram(input);
    EXPECT_EQ(wordAt(bytes, 40), 3) << "halted whatever its level";
    EXPECT_EQ(wordAt(bytes, 48), 2);
    EXPECT_EQ(wordAt(bytes, 56), 1);
    EXPECT_EQ(wordAt(bytes, 64), 0);

    input.tick.halted = {false, true, true, true};
    bytes = BuildStatusDatagram(input);
    for (size_t t = 1; t < 4; ++t)
        EXPECT_EQ(wordAt(bytes, 40 + 8 * t), 3);

    input.tick.halted = {};
    input.tick.levels = {4, -1, 0, 0}; // not yet refreshed
    bytes = BuildStatusDatagram(input);
    EXPECT_EQ(wordAt(bytes, 40), 0);
    EXPECT_EQ(wordAt(bytes, 48), 0);
}

TEST(StatusDatagramTest, LeadingDecimalStopsAtTheFirstNonDigit)
{
    EXPECT_EQ(LeadingDecimal(QStringLiteral("12")), 12);
    EXPECT_EQ(LeadingDecimal(QStringLiteral("12a3")), 12);
    EXPECT_EQ(LeadingDecimal(QStringLiteral(" 12")), 0);
    EXPECT_EQ(LeadingDecimal(QStringLiteral("JRV4242")), 0);
    EXPECT_EQ(LeadingDecimal(QString()), 0);
    EXPECT_EQ(LeadingDecimal(QStringLiteral("99999999999999")), 2147483647);
}

// ---- names and retry schedule ---------------------------------------------

TEST(ScoringServerNamesTest, RemoteNames)
{
    EXPECT_EQ(ScoringServerNames::MatchList(), QStringLiteral("Matches.txt"));
    EXPECT_EQ(ScoringServerNames::MatchLog(QStringLiteral("FIELD1_020509")),
              QStringLiteral("matchlog/FIELD1_020509_JRVMatch.csv"));
    EXPECT_EQ(ScoringServerNames::DebugLog(QStringLiteral("FIELD1_020509_12_0")),
              QStringLiteral("debugLog/FIELD1_020509_12_0.log"));
    EXPECT_EQ(ScoringServerNames::TeamLogo(QStringLiteral("4242")), QStringLiteral("icons/4242.png"));
    // A team text from a match file never leaves its folder, here or there.
    for (const char* bad : {"", ".", "..", "../4242", "a/b", "a\\b", "a\r\nDELE x"})
        EXPECT_TRUE(ScoringServerNames::TeamLogo(QString::fromLatin1(bad)).isEmpty()) << bad;
}

TEST(ScoringServerRetryTest, DelaysDoubleFromFiveSecondsToTwoMinutes)
{
    FakeClock clock;
    ScoringServerRetry retry;
    EXPECT_TRUE(retry.ready(clock.nowMs()));
    const qint32 expected[] = {5000, 10000, 20000, 40000, 80000, 120000, 120000};
    for (const qint32 delay : expected) {
        retry.failed(clock.nowMs());
        EXPECT_EQ(retry.delayMs(), delay);
        clock.advance(delay - 1);
        EXPECT_FALSE(retry.ready(clock.nowMs()));
        clock.advance(1);
        EXPECT_TRUE(retry.ready(clock.nowMs()));
    }
    retry.succeeded();
    retry.failed(clock.nowMs());
    EXPECT_EQ(retry.delayMs(), 5000) << "a success starts over";
}

TEST(ScoringServerRetryTest, SurvivesTheClockWrap)
{
    ScoringServerRetry retry;
    retry.failed(2147483000);
    EXPECT_FALSE(retry.ready(static_cast<qint32>(2147483000u + 4999u)));
    EXPECT_TRUE(retry.ready(static_cast<qint32>(2147483000u + 5000u)));
}

// ---- the link against a real FTP server -------------------------------------

template <typename Predicate>
bool pumpUntil(Predicate done, int boundMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > boundMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

struct LinkFixture : ::testing::Test {
    TempFolders temp;
    FakeClock clock;
    ScriptedPrompt prompt;
    RecordingLog log;
    Preferences prefs;
    DataFolders folders{temp.folders()};
    QStringList failures;
    std::vector<bool> busy;
    std::unique_ptr<ScoringServerLink> link;

    static ScoringServerLink::Options quick()
    {
        ScoringServerLink::Options options;
        options.connectTimeoutMs = 300;
        options.responseTimeoutSeconds = 1;
        options.stallSeconds = 2;
        return options;
    }

    void make(quint16 ftpPort, quint16 messagePort = 9)
    {
        prefs.ssAddress = kLoopback;
        prefs.ssFtpPort = ftpPort;
        prefs.ssMsgPort = messagePort;
        prefs.username = kUser;
        prefs.password = kPassword;
        prefs.ssIntegration = 1;
        ScoringServerLink::Callbacks callbacks;
        callbacks.reportFailure = [this](const QString& text) { failures << text; };
        callbacks.busy = [this](bool on) { busy.push_back(on); };
        link = std::make_unique<ScoringServerLink>(
            ScoringServerLink::Services{clock, prompt, log, prefs, folders, QStringLiteral("FIELD1_020509")},
            callbacks, quick());
    }

    void writeLocal(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    int logLinesWith(const QString& part) const
    {
        int count = 0;
        for (const QString& line : log.lines)
            count += line.contains(part) ? 1 : 0;
        return count;
    }

    bool idle() { return pumpUntil([this] { return link->transfersPending() == 0; }); }
};

TEST_F(LinkFixture, ConnectsAndStreamsTheStatusDatagram)
{
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    UdpCapture capture;
    make(server.port(), capture.port());

    EXPECT_EQ(link->IntegrationStatusText(), QStringLiteral("Unable to integrate with scoring server 127.0.0.1"));
    ASSERT_TRUE(link->ConnectScoringServer());
    EXPECT_TRUE(link->integrationActive());
    EXPECT_EQ(link->IntegrationStatusText(), QStringLiteral("Connected to Scoring Server at 127.0.0.1."));

    prefs.ssKey1 = 7;
    prefs.ssKey2 = 8;
    prefs.ssDivision = 1;
    CMatch match;
    match.m_strNumber = QStringLiteral("12");
    match.m_nType = 1;
    TickReport tick;
    tick.timeShown = 30000;
    link->SendStatusDatagram(tick, match, {QStringLiteral("4242"), {}, {}, {}}, MatchSettings{});
    const QByteArray got = capture.next();
    ASSERT_EQ(got.size(), 68);
    StatusDatagram bytes{};
    std::copy(got.begin(), got.end(), bytes.begin());
    EXPECT_EQ(wordAt(bytes, 0), 1000);
    EXPECT_EQ(wordAt(bytes, 4), 7);
    EXPECT_EQ(wordAt(bytes, 28), 150000);
    EXPECT_EQ(wordAt(bytes, 32), 12);
    EXPECT_EQ(wordAt(bytes, 36), 4242);

    link->DisconnectScoringServer();
    EXPECT_FALSE(link->integrationActive());
    link->SendStatusDatagram(tick, match, {}, MatchSettings{});
    EXPECT_TRUE(capture.next(100).isEmpty()) << "nothing is sent while inactive";
}

TEST_F(LinkFixture, UploadsTheMatchLogUnderTheStationNameAfterItSettles)
{
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    make(server.port());
    ASSERT_TRUE(link->ConnectScoringServer());

    const QByteArray rows = "\"Match\",\"Team\"\r\n\"12\",\"4242\"\r\n";
    writeLocal(folders.DataPath(265, QStringLiteral("JRVMatch"), 266), rows);
    link->MatchLogWritten();
    const qint32 writtenAt = link->pendingMatchLogUpload();
    EXPECT_NE(writtenAt, 0);

    clock.advance(66);
    link->UploadPendingMatchLog();
    EXPECT_FALSE(link->matchLogUploadRunning()) << "not before more than 66 ms";
    clock.advance(1);
    link->UploadPendingMatchLog();
    EXPECT_TRUE(link->matchLogUploadRunning());
    link->UploadPendingMatchLog(); // the next tick does not queue it twice
    EXPECT_LE(link->transfersPending(), 1u);
    ASSERT_TRUE(pumpUntil([this] { return !link->matchLogUploadRunning(); }));
    EXPECT_EQ(server.read(QStringLiteral("matchlog/FIELD1_020509_JRVMatch.csv")), rows);
    EXPECT_EQ(link->pendingMatchLogUpload(), 0);
    EXPECT_TRUE(failures.isEmpty());
}

TEST_F(LinkFixture, UploadsDebugLogsAndLogosIntoTheirFoldersAndFetchesLogosBack)
{
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    make(server.port());
    ASSERT_TRUE(link->ConnectScoringServer());

    const QByteArray debugLog = "00:00:00.000 -1 Start\r\n";
    writeLocal(folders.DataPath(416, QStringLiteral("FIELD1_020509_12_0"), 414), debugLog);
    QByteArray logo("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    logo += QByteArray(300, '\xFF');
    const QString localLogo = folders.DataPath(278, QStringLiteral("4242"), 181);
    writeLocal(localLogo, logo);

    EXPECT_TRUE(link->UploadDebugLog(QStringLiteral("FIELD1_020509_12_0")));
    EXPECT_TRUE(link->UploadTeamLogo(QStringLiteral("4242")));
    EXPECT_FALSE(link->UploadTeamLogo(QStringLiteral("../4242"))) << "nothing queued for a bad name";
    ASSERT_TRUE(idle());
    EXPECT_EQ(server.read(QStringLiteral("debugLog/FIELD1_020509_12_0.log")), debugLog);
    EXPECT_EQ(server.read(QStringLiteral("icons/4242.png")), logo) << "image mode keeps every byte";

    ASSERT_TRUE(QFile::remove(localLogo));
    int answers = 0;
    bool fetched = false;
    ASSERT_TRUE(link->FetchTeamLogo(QStringLiteral("4242"), [&](bool ok, const QString&) {
        ++answers;
        fetched = ok;
    }));
    ASSERT_TRUE(pumpUntil([&] { return answers == 1; }));
    EXPECT_TRUE(fetched);
    QFile back(localLogo);
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), logo);

    EXPECT_TRUE(link->DeleteTeamLogo(QStringLiteral("4242")));
    ASSERT_TRUE(idle());
    QCoreApplication::processEvents();
    EXPECT_FALSE(QFile::exists(server.path(QStringLiteral("icons/4242.png"))));
    EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
}

TEST_F(LinkFixture, FetchesMatchesTxtShowingBusyAndRefusesEmptyOrBinaryLists)
{
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    make(server.port());
    ASSERT_TRUE(link->ConnectScoringServer());
    const QString local = link->MatchListLocalPath();
    EXPECT_TRUE(local.endsWith(QStringLiteral("Tervana FCS/ScoringServer/MachList.csv")));

    struct Case {
        QByteArray served;
        bool ok;
        const char* message;
    };
    const QByteArray list = "1|4242|17|3|5|Q\r\n2|9|8|7|6|Q\r\n";
    const Case cases[] = {
        {list, true, ""},
        {QByteArray(), false, "The file Matches.txt on the scoring server is empty."},
        {QByteArray("1|42\0\x01\x02", 7), false, "The file Matches.txt on the scoring server is not a text file."},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(server.write(QStringLiteral("Matches.txt"), c.served));
        busy.clear();
        int answers = 0;
        bool ok = false;
        QString message;
        ASSERT_TRUE(link->FetchMatchList(local, [&](bool good, const QString& text) {
            ++answers;
            ok = good;
            message = text;
        }));
        EXPECT_EQ(busy, std::vector<bool>{true});
        ASSERT_TRUE(pumpUntil([&] { return answers == 1; }));
        EXPECT_EQ(busy, (std::vector<bool>{true, false}));
        EXPECT_EQ(ok, c.ok);
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.message))) << message.toStdString();
        // A refused list leaves the last good copy as it was.
        QFile file(local);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), list);
    }
    EXPECT_TRUE(failures.isEmpty()) << "operator fetches answer through their own callback";
}

TEST_F(LinkFixture, RefusedLoginAsksToTurnIntegrationOffAndMasksThePassword)
{
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    make(server.port());
    prefs.password = QStringLiteral("wrong-one");

    prompt.answers = {Prompt::Answer::No};
    EXPECT_FALSE(link->ConnectAtStartup());
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_EQ(prompt.asked[0], QStringLiteral("Unable to connect to the scoring server 127.0.0.1. Would you like "
                                              "to turn off scoring server integration ?"));
    EXPECT_EQ(prefs.ssIntegration, 1) << "No leaves it set";
    prompt.answers = {Prompt::Answer::Yes};
    EXPECT_FALSE(link->ConnectAtStartup());
    EXPECT_EQ(prefs.ssIntegration, 0);
    EXPECT_EQ(link->IntegrationStatusText(), QStringLiteral("Scoring Server integration is off"));

    // A fetch whose login fails later tells so, without the password.
    prefs.password = kPassword;
    ASSERT_TRUE(link->ConnectScoringServer());
    prefs.password = QStringLiteral("wrong-one");
    QString message;
    bool answered = false;
    ASSERT_TRUE(link->FetchFile(QStringLiteral("Matches.txt"), temp.dir.filePath(QStringLiteral("m.txt")),
                                [&](bool ok, const QString& text) {
                                    answered = true;
                                    EXPECT_FALSE(ok);
                                    message = text;
                                }));
    ASSERT_TRUE(pumpUntil([&] { return answered; }));
    EXPECT_EQ(message, QString::asprintf("Failed to connect to FTP Server: 127.0.0.1 for user=scorer "
                                         "pass=****** port=%d", server.port()));
    for (const QString& line : log.lines + failures + prompt.asked)
        EXPECT_FALSE(line.contains(QStringLiteral("wrong-one")) || line.contains(kPassword)) << line.toStdString();
    EXPECT_FALSE(QFile::exists(temp.dir.filePath(QStringLiteral("m.txt"))));
}

TEST_F(LinkFixture, RefusedUploadIsReportedOnceAndRetriedWithBackOff)
{
    FtpServerFixture server(kUser, kPassword, QStringLiteral("elr"));
    ASSERT_TRUE(server.running());
    make(server.port());
    ASSERT_TRUE(link->ConnectScoringServer()) << "the login itself is fine";

    const QString csv = folders.DataPath(265, QStringLiteral("JRVMatch"), 266);
    writeLocal(csv, "\"Match\"\r\n");
    link->MatchLogWritten();
    clock.advance(100);
    link->UploadPendingMatchLog();
    ASSERT_TRUE(pumpUntil([this] { return !link->matchLogUploadRunning(); }));
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith(QStringLiteral("Scoring server upload of matchlog/FIELD1_020509_JRVMatch.csv failed: ")))
        << failures[0].toStdString();
    EXPECT_EQ(logLinesWith(QStringLiteral("upload of matchlog")), 1);
    EXPECT_NE(link->pendingMatchLogUpload(), 0) << "still to be sent";

    // Every idle tick asks; only the back-off lets an attempt through.
    const qint32 delays[] = {5000, 10000, 20000};
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(link->matchLogRetry().delayMs(), delays[round]);
        for (int tick = 0; tick < 30; ++tick) {
            clock.advance((delays[round] - 1) / 30);
            link->UploadPendingMatchLog();
            EXPECT_FALSE(link->matchLogUploadRunning());
        }
        clock.set(link->matchLogRetry().nextAttemptAt());
        link->UploadPendingMatchLog();
        EXPECT_TRUE(link->matchLogUploadRunning());
        ASSERT_TRUE(pumpUntil([this] { return !link->matchLogUploadRunning(); }));
        EXPECT_EQ(logLinesWith(QStringLiteral("upload of matchlog")), round + 2);
    }
    EXPECT_EQ(failures.size(), 1) << "shown once, not per attempt";
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\"Match\"\r\n")) << "nothing lost locally";
}

TEST_F(LinkFixture, UnreachableServerFailsTheConnectAndReadConfigAsksBothQuestions)
{
    make(ClosedLoopbackPort());
    EXPECT_FALSE(link->ConnectScoringServer());
    EXPECT_FALSE(link->integrationActive());
    EXPECT_FALSE(link->UploadFile(QStringLiteral("x"), QStringLiteral("x"))) << "no transfers while inactive";

    prompt.answers = {Prompt::Answer::Yes, Prompt::Answer::Yes};
    EXPECT_FALSE(link->OfferIntegration(kLoopback, 5, 6, ClosedLoopbackPort(), 9));
    ASSERT_EQ(prompt.asked.size(), 2);
    EXPECT_EQ(prompt.asked[0], QStringLiteral("Would you like to integrate with the scoring server ?"));
    EXPECT_TRUE(prompt.asked[1].startsWith(QStringLiteral("Unable to connect to the scoring server 127.0.0.1.")));
    EXPECT_EQ(prefs.ssIntegration, 0);
    EXPECT_EQ(prefs.ssKey1, 5);
    EXPECT_EQ(prefs.ssKey2, 6);
    EXPECT_EQ(prefs.ssDivision, 1);

    prompt.answers = {Prompt::Answer::No};
    prefs.ssIntegration = 1;
    EXPECT_FALSE(link->OfferIntegration(kLoopback, 5, 6, 21, 9));
    EXPECT_EQ(prefs.ssIntegration, 0) << "No turns integration off";
    EXPECT_EQ(prompt.asked.size(), 3);
}

TEST_F(LinkFixture, ReadConfigConnectsWhenTheServerAnswers)
{
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    make(ClosedLoopbackPort());
    prefs.ssIntegration = 0;
    prompt.answers = {Prompt::Answer::Yes};
    EXPECT_TRUE(link->OfferIntegration(kLoopback, 1, 2, server.port(), 9));
    EXPECT_EQ(prefs.ssIntegration, 1);
    EXPECT_EQ(prefs.ssFtpPort, server.port());
    EXPECT_TRUE(link->integrationActive());
    link->TurnOffIntegration();
    EXPECT_FALSE(link->integrationActive());
    EXPECT_EQ(prefs.ssIntegration, 0);
}

TEST_F(LinkFixture, HungServerNeitherBlocksTheCallerNorShutdown)
{
    SilentTcpListener silent;
    ASSERT_NE(silent.port(), 0);
    make(silent.port());
    EXPECT_FALSE(link->ConnectScoringServer()) << "the greeting never comes: the connect times out";

    // Active against a real server, then the server hangs.
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    prefs.ssFtpPort = server.port();
    ASSERT_TRUE(link->ConnectScoringServer());
    prefs.ssFtpPort = silent.port();
    const QString csv = folders.DataPath(265, QStringLiteral("JRVMatch"), 266);
    writeLocal(csv, "\"Match\"\r\n");
    bool answered = false;
    ASSERT_TRUE(link->UploadFile(csv, QStringLiteral("matchlog/x.csv")));
    ASSERT_TRUE(link->FetchTeamLogo(QStringLiteral("4242"), [&](bool, const QString&) { answered = true; }));
    EXPECT_EQ(link->transfersPending(), 2u) << "queued, the caller goes on";
    EXPECT_FALSE(answered);
    link->Shutdown(); // abandons the running transfer and drops the queue
    EXPECT_EQ(link->transfersPending(), 0u);
    QCoreApplication::processEvents();
    EXPECT_FALSE(answered) << "no answers after shutdown";
    EXPECT_FALSE(link->integrationActive());
}

TEST_F(LinkFixture, HungServerTransferEndsWithinItsTimeOutsAndIsReported)
{
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    SilentTcpListener silent;
    make(server.port());
    ASSERT_TRUE(link->ConnectScoringServer());
    prefs.ssFtpPort = silent.port();
    QString message;
    bool answered = false;
    ASSERT_TRUE(link->FetchMatchList(link->MatchListLocalPath(), [&](bool ok, const QString& text) {
        answered = true;
        EXPECT_FALSE(ok);
        message = text;
    }));
    ASSERT_TRUE(pumpUntil([&] { return answered; }, 10000));
    EXPECT_TRUE(message.startsWith(QStringLiteral("Failed to connect to FTP Server: 127.0.0.1 for user=scorer pass=******")));
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
}

// Records what the link hands to its message socket.
class RecordingSocket : public ScoringServerSocket {
public:
    struct Sent {
        QByteArray bytes;
        int timeoutMs;
    };
    bool Open(quint32 address, quint16 port) override
    {
        opened = {address, port};
        open = true;
        return true;
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    int Send(const void* bytes, int length, int timeoutMs) override
    {
        sent->push_back({QByteArray(static_cast<const char*>(bytes), length), timeoutMs});
        return 0; // stayed unwritable: the link must not care
    }
    std::pair<quint32, quint16> opened{};
    bool open = false;
    std::vector<Sent>* sent = nullptr;
};

TEST_F(LinkFixture, TheDefaultsAreTwoSecondsThreeAttemptsAndATenMillisecondDatagramWait)
{
    const ScoringServerLink::Options defaults;
    EXPECT_EQ(defaults.connectTimeoutMs, 2000);
    EXPECT_EQ(defaults.connectAttempts, 3);
    EXPECT_EQ(defaults.datagramWaitMs, 10);
    EXPECT_EQ(defaults.firstRetryMs, 5000);
    EXPECT_EQ(defaults.maxRetryMs, 120000);

    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    std::vector<RecordingSocket::Sent> sent;
    auto socket = std::make_unique<RecordingSocket>();
    socket->sent = &sent;
    RecordingSocket* raw = socket.get();
    prefs.username = kUser;
    prefs.password = kPassword;
    ScoringConfig config;
    config.address = kLoopback;
    config.key1 = 3;
    config.key2 = 4;
    config.ftpPort = server.port();
    config.messagePort = 1999;
    ScoringServerLink::Options options = quick();
    options.datagramWaitMs = ScoringServerLink::Options{}.datagramWaitMs;
    ScoringServerLink withSocket({clock, prompt, log, prefs, folders, QStringLiteral("FIELD1_020509")}, {},
                                 options, std::move(socket));
    ASSERT_TRUE(withSocket.ApplyScoringConfig(config));
    EXPECT_EQ(raw->opened, (std::pair<quint32, quint16>{kLoopback, 1999}));
    EXPECT_EQ(prefs.ssDivision, 1);
    EXPECT_EQ(withSocket.fileServiceSettings().port, server.port());

    CMatch match;
    match.m_strNumber = QStringLiteral("3");
    withSocket.SendStatusDatagram(TickReport{}, match, {}, MatchSettings{});
    withSocket.SendStatusDatagram(TickReport{}, match, {}, MatchSettings{});
    ASSERT_EQ(sent.size(), 2u) << "an unsent datagram is dropped, the next tick sends again";
    EXPECT_EQ(sent[0].bytes.size(), 68);
    EXPECT_EQ(sent[0].timeoutMs, 10);
}

TEST_F(LinkFixture, AMissingLocalFileIsReportedAndNothingIsSent)
{
    FtpServerFixture server(kUser, kPassword);
    ASSERT_TRUE(server.running());
    make(server.port());
    ASSERT_TRUE(link->ConnectScoringServer());
    ASSERT_TRUE(link->UploadDebugLog(QStringLiteral("never-written")));
    ASSERT_TRUE(pumpUntil([this] { return !failures.isEmpty(); }));
    EXPECT_TRUE(failures[0].startsWith(QStringLiteral("Unable to read "))) << failures[0].toStdString();
    EXPECT_FALSE(QFile::exists(server.path(QStringLiteral("debugLog/never-written.log"))));
}

TEST(ScoringFileServiceTest, UrlsEscapeNamesAndStayOnTheServer)
{
    FileServiceSettings settings;
    settings.address = kLoopback;
    settings.port = 8721;
    const ScoringFileService service(settings);
    EXPECT_EQ(service.url(QStringLiteral("icons/Team 7#.png")), QStringLiteral("ftp://127.0.0.1:8721/icons/Team%207%23.png"));
    EXPECT_EQ(service.url(QString()), QStringLiteral("ftp://127.0.0.1:8721/"));
}

} // namespace
