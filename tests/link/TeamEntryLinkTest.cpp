// The team entry against simulated robots on loopback addresses 127.0.0.40-59.
#include "fcs/app/Preferences.h"
#include "fcs/link/NxtProtocol.h"
#include "fcs/link/TeamEntry.h"
#include "tests/link/SimRobot.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingLog.h"

#include <arpa/inet.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace NxtProtocol;

namespace {

constexpr quint32 kQueries = WANT_DEVICE_INFO | WANT_FIRMWARE | WANT_BATTERY | WANT_CONFIG_FILE
                             | WANT_PROGRAM_NAME | AWAITING_REPLY;

struct Linked : ::testing::Test {
    FakeClock clock;
    RecordingLog log;
    Preferences prefs;

    std::unique_ptr<TeamEntry> makeEntry(const QString& address, int position = 0)
    {
        auto entry = std::make_unique<TeamEntry>(clock, log, prefs, position);
        entry->SetModuleName(QStringLiteral("JRV4242"));
        entry->moduleAddress = address;
        return entry;
    }

    // Connects and lets the brick queries run to the end.
    static bool connectAndInspect(TeamEntry& entry)
    {
        entry.Connect(false);
        if (!pumpUntil([&] { return entry.everConnected && entry.isSocketOpen(); }))
            return false;
        entry.PollStatus();
        return pumpUntil([&] { return (entry.flags & kQueries) == 0; });
    }

    int linesStartingWith(const QString& prefix) const
    {
        int n = 0;
        for (const QString& line : log.lines)
            n += line.startsWith(prefix) ? 1 : 0;
        return n;
    }
};

TEST_F(Linked, InspectionReadsTheBrick)
{
    BrickConfig config = brickNamed("JRV4242", "Teleop.rxe", "Auto.rxe");
    config.batteryMv = 8250;
    SimRobot robot(QStringLiteral("127.0.0.40"), config);
    ASSERT_TRUE(robot.started) << robot.error.toStdString();
    auto entry = makeEntry(QStringLiteral("127.0.0.40"));
    ASSERT_TRUE(connectAndInspect(*entry));

    EXPECT_EQ(entry->teleopProgram, QStringLiteral("Teleop.rxe"));
    EXPECT_EQ(entry->currentProgram, QStringLiteral("Auto.rxe"));
    EXPECT_EQ(entry->nxtBatteryMv, 8250);
    EXPECT_EQ(entry->firmwareMajor, 1);
    EXPECT_EQ(entry->firmwareMinor, 29);
    EXPECT_EQ(entry->freeFlash, 52000u);
    EXPECT_EQ(entry->fileHandle, 255);
    EXPECT_EQ(robot.commands(),
              QStringList({"00 11", "01 9b", "01 88",
                           "01 80 4a 52 56 43 6f 6e 66 69 67 2e 74 78 74 00 00 00 00 00 00 00",
                           "01 82 00 0a 00", "01 84 00", "00 0b"}));
    EXPECT_EQ(linesStartingWith(QStringLiteral("0|Connect TCP")), 1);
}

struct ConfigCase {
    const char* what;
    QByteArray content;
    bool exists;
    QStringList reads;
};

TEST_F(Linked, ConfigFileReadsInChunks)
{
    const QByteArray long130(130, 'p');
    const ConfigCase cases[] = {
        {"130 bytes", long130, true, {"01 82 00 3a 00", "01 82 00 3a 00", "01 82 00 0e 00", "01 84 00"}},
        {"empty", QByteArray(), true, {"01 84 00"}},
        {"missing", QByteArray(), false, {}},
    };
    int n = 0;
    for (const ConfigCase& c : cases) {
        const QString address = QStringLiteral("127.0.0.%1").arg(41 + n++);
        BrickConfig config = brickNamed("JRV4242", QByteArray());
        if (c.exists)
            config.files["JRVConfig.txt"] = c.content;
        SimRobot robot(address, config);
        ASSERT_TRUE(robot.started);
        auto entry = makeEntry(address);
        ASSERT_TRUE(connectAndInspect(*entry)) << c.what;
        EXPECT_EQ(entry->teleopProgram, QString::fromLatin1(c.content)) << c.what;
        QStringList reads;
        for (const QString& command : robot.commands())
            if (command.startsWith(QLatin1String("01 82")) || command.startsWith(QLatin1String("01 84")))
                reads << command;
        EXPECT_EQ(reads, c.reads) << c.what;
        QString text;
        entry->EvaluateStatus(text, false, MatchPhase::Idle);
        EXPECT_EQ(text.startsWith(QLatin1String("No Teleop set")), c.content.isEmpty()) << c.what;
    }
}

TEST_F(Linked, SplitAndDoubledRepliesAreReadWhole)
{
    struct Case {
        const char* what;
        ControlPortFaults faults;
    } cases[] = {{"split", {false, 0, true, 0, false}}, {"doubled", {false, 0, false, 0, true}}};
    int n = 0;
    for (const Case& c : cases) {
        const QString address = QStringLiteral("127.0.0.%1").arg(45 + n++);
        BrickConfig config = brickNamed("JRV4242", "Teleop.rxe", "Auto.rxe");
        config.batteryMv = 7777;
        SimRobot robot(address, config, c.faults);
        ASSERT_TRUE(robot.started);
        log.lines.clear();
        auto entry = makeEntry(address);
        ASSERT_TRUE(connectAndInspect(*entry)) << c.what;
        EXPECT_EQ(entry->teleopProgram, QStringLiteral("Teleop.rxe")) << c.what;
        EXPECT_EQ(entry->currentProgram, QStringLiteral("Auto.rxe")) << c.what;
        EXPECT_EQ(entry->nxtBatteryMv, 7777) << c.what;
        EXPECT_EQ(entry->protocolMinor, 124) << c.what;
        EXPECT_EQ(robot.commands().size(), 7) << c.what;
        // The second copy of each reply is dropped as unexpected traffic.
        const int odd = linesStartingWith(QStringLiteral("dump 0 3 "));
        EXPECT_EQ(odd > 0, std::string(c.what) == "doubled") << c.what;
    }
}

TEST_F(Linked, StatusOfAConnectedRobot)
{
    SimRobot robot(QStringLiteral("127.0.0.47"), brickNamed("JRV4242", "Teleop.rxe", "Auto.rxe"));
    ASSERT_TRUE(robot.started);
    auto entry = makeEntry(QStringLiteral("127.0.0.47"));
    ASSERT_TRUE(connectAndInspect(*entry));

    struct Case {
        const char* what;
        std::function<void(TeamEntry&)> setUp;
        bool inMatch;
        MatchPhase phase;
        const char* text;
        int severity;
        int battery;
    };
    const Case cases[] = {
        {"good", {}, false, MatchPhase::Idle, "NXT: 8.000V\r\nBatt: 12.000V", 3, 3},
        {"inspecting", [](TeamEntry& e) { e.flags |= WANT_FIRMWARE; }, false, MatchPhase::Idle,
         "Inspecting 4242 at 127.0.0.47", 0, 3},
        {"inspection does not show in a match", [](TeamEntry& e) { e.flags |= WANT_CONFIG_FILE; },
         true, MatchPhase::TeleopRunning, "NXT: 8.000V\r\nBatt: 12.000V", 3, 3},
        {"brick low", [](TeamEntry& e) { e.nxtBatteryMv = 7499; }, false, MatchPhase::Idle,
         "NXT: 7.499V (LOW)\r\nBatt: 12.000V", 2, 2},
        {"brick bad", [](TeamEntry& e) { e.nxtBatteryMv = 6999; }, false, MatchPhase::Idle,
         "NXT: 6.999V (BAD)\r\nBatt: 12.000V", 1, 1},
        {"module at the limit", [](TeamEntry& e) { e.moduleBatteryMv = 11000; }, false,
         MatchPhase::Idle, "NXT: 8.000V\r\nBatt: 11.000V", 3, 3},
        {"module low", [](TeamEntry& e) { e.moduleBatteryMv = 10999; }, false, MatchPhase::Idle,
         "NXT: 8.000V\r\nBatt: 10.999V (LOW)", 2, 2},
        {"module bad", [](TeamEntry& e) { e.moduleBatteryMv = 8999; }, false, MatchPhase::Idle,
         "NXT: 8.000V\r\nBatt: 8.999V (BAD)", 1, 1},
        {"no program, idle", [](TeamEntry& e) { e.currentProgram.clear(); }, false, MatchPhase::Idle,
         "No Program Running\r\nNXT: 8.000V\r\nBatt: 12.000V", 2, 3},
        {"no program, autonomous", [](TeamEntry& e) { e.currentProgram.clear(); }, true,
         MatchPhase::AutonomousRunning, "No Program Running\r\nNXT: 8.000V\r\nBatt: 12.000V", 2, 3},
        {"no program, teleop", [](TeamEntry& e) { e.currentProgram.clear(); }, true,
         MatchPhase::TeleopRunning, "No Program Running\r\nNXT: 8.000V\r\nBatt: 12.000V", 1, 3},
        {"no teleop program", [](TeamEntry& e) { e.teleopProgram.clear(); }, false, MatchPhase::Idle,
         "No Teleop set\r\nNXT: 8.000V\r\nBatt: 12.000V", 1, 3},
        {"no teleop program, in a match", [](TeamEntry& e) { e.teleopProgram.clear(); }, true,
         MatchPhase::TeleopRunning, "NXT: 8.000V\r\nBatt: 12.000V", 3, 3},
        {"lost joysticks", [](TeamEntry& e) { e.joystickLost = true; e.lostJoysticks = 3; }, true,
         MatchPhase::TeleopRunning, "3 Lost Joysticks\r\nNXT: 8.000V\r\nBatt: 12.000V", 1, 3},
        {"halted", [](TeamEntry& e) { e.halted = true; }, true, MatchPhase::TeleopRunning,
         "**Disabled**\r\nNXT: 8.000V\r\nBatt: 12.000V", 1, 3},
        {"old module", [](TeamEntry& e) { e.moduleInfo.versionMajor = 1; e.moduleInfo.versionMinor = 99; },
         false, MatchPhase::Idle, "NXT: 8.000V\r\nBatt: 12.000V\r\nTervana: 1.99 ", 2, 3},
        {"newer minor", [](TeamEntry& e) { e.moduleInfo.versionMinor = 5; }, false, MatchPhase::Idle,
         "NXT: 8.000V\r\nBatt: 12.000V", 3, 3},
    };
    for (const Case& c : cases) {
        entry->nxtBatteryMv = 8000;
        entry->moduleBatteryMv = 12000;
        entry->moduleInfo.versionMajor = 2;
        entry->moduleInfo.versionMinor = 0;
        entry->currentProgram = QStringLiteral("Auto.rxe");
        entry->teleopProgram = QStringLiteral("Teleop.rxe");
        entry->halted = entry->joystickLost = false;
        entry->flags = 0;
        entry->SetBatteryLatch(false);
        if (c.setUp)
            c.setUp(*entry);
        QString text;
        EXPECT_EQ(entry->EvaluateStatus(text, c.inMatch, c.phase), c.severity) << c.what;
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.what;
        EXPECT_EQ(entry->GetBatteryLevel(), c.battery) << c.what;
    }

    // With the latch on, a recovered battery still shows the worst level.
    entry->flags = 0;
    entry->SetBatteryLatch(true);
    entry->nxtBatteryMv = 6500;
    QString text;
    entry->EvaluateStatus(text, true, MatchPhase::TeleopRunning);
    entry->nxtBatteryMv = 8000;
    entry->EvaluateStatus(text, true, MatchPhase::TeleopRunning);
    EXPECT_EQ(entry->GetBatteryLevel(), 1);
    EXPECT_EQ(entry->GetLinkState(), 0);
}

TEST_F(Linked, StopSequenceEndsWithStopRobotTrue)
{
    SimRobot robot(QStringLiteral("127.0.0.48"), brickNamed("JRV4242", "Teleop.rxe", "Auto.rxe"));
    ASSERT_TRUE(robot.started);
    auto entry = makeEntry(QStringLiteral("127.0.0.48"));
    ASSERT_TRUE(connectAndInspect(*entry));
    const int before = static_cast<int>(robot.commands().size());

    entry->halted = true;
    bool stopped = entry->StopRobot(1);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(entry->notes, QStringLiteral("Disabled"));
    for (int tick = 0; tick < 200 && !stopped; ++tick) {
        clock.advance(33);
        pumpFor(5);
        stopped = entry->StopRobot(1);
    }
    ASSERT_TRUE(stopped);
    EXPECT_TRUE(entry->currentProgram.isEmpty());
    EXPECT_EQ(entry->notes, QStringLiteral("Disabled")) << "noted once per stop";

    const QStringList sent = robot.commands().mid(before);
    int burst = 0;
    int i = 0;
    for (; i < sent.size() && sent[i].startsWith(QLatin1String("80 09")); ++i, ++burst)
        EXPECT_EQ(sent[i], QStringLiteral("80 09 00 12 00 00 01 00 00 00 00 00 00 ff 00 00 00 00 00 00 ff 00"));
    EXPECT_GE(burst, 2);
    ASSERT_LT(i + 1, sent.size());
    EXPECT_EQ(sent[i], QStringLiteral("00 01"));
    EXPECT_EQ(sent[i + 1], QStringLiteral("00 11"));
    EXPECT_TRUE(robot.brick.currentProgram().isEmpty());
}

TEST_F(Linked, PrepareTeleopSwitchesPrograms)
{
    SimRobot robot(QStringLiteral("127.0.0.49"), brickNamed("JRV4242", "Teleop.rxe", "Auto.rxe"));
    ASSERT_TRUE(robot.started);
    auto entry = makeEntry(QStringLiteral("127.0.0.49"));
    ASSERT_TRUE(connectAndInspect(*entry));
    const int before = static_cast<int>(robot.commands().size());
    bool ready = entry->PrepareTeleop();
    for (int tick = 0; tick < 100 && !ready; ++tick) {
        pumpFor(5);
        ready = entry->PrepareTeleop();
    }
    ASSERT_TRUE(ready);
    EXPECT_EQ(entry->currentProgram, QStringLiteral("Teleop.rxe"));
    EXPECT_EQ(robot.commands().mid(before),
              QStringList({"00 01", "00 11",
                           "00 00 54 65 6c 65 6f 70 2e 72 78 65 00 00 00 00 00 00 00 00 00 00", "00 11"}));
}

TEST_F(Linked, BatteryQueryRidesAlongAndHoldsTheNextMessage)
{
    SimRobot robot(QStringLiteral("127.0.0.55"), brickNamed("JRV4242", "Teleop.rxe", "Auto.rxe"));
    ASSERT_TRUE(robot.started);
    auto entry = makeEntry(QStringLiteral("127.0.0.55"));
    ASSERT_TRUE(connectAndInspect(*entry));
    const int before = static_cast<int>(robot.commands().size());
    const QString control = QStringLiteral("80 09 00 12 00 00 00 00 00 00 00 00 00 ff 00 00 00 00 00 00 ff 00");

    clock.advance(5001); // a battery poll is due
    entry->QueueControlMessage(nullptr, nullptr, 1, 0);
    EXPECT_NE(entry->flags & AWAITING_REPLY, 0u);
    entry->QueueControlMessage(nullptr, nullptr, 1, 0); // waits for the battery reply
    ASSERT_TRUE(pumpUntil([&] { return robot.commands().size() >= before + 3; }));
    EXPECT_EQ(robot.commands().mid(before), QStringList({control, "00 0b", control}));
    EXPECT_EQ(entry->messagesSent, 2) << "counted when written";
}

TEST_F(Linked, ReplyTimeoutClosesTheLink)
{
    prefs.joystickReplyRequired = 1;
    SimRobot robot(QStringLiteral("127.0.0.50"), brickNamed("JRV4242"), {true, 0, false, 0, false});
    ASSERT_TRUE(robot.started);
    auto entry = makeEntry(QStringLiteral("127.0.0.50"));
    entry->Connect(false);
    ASSERT_TRUE(pumpUntil([&] { return entry->everConnected && entry->isSocketOpen(); }));
    entry->QueueControlMessage(nullptr, nullptr, 1, 0);
    entry->QueueControlMessage(nullptr, nullptr, 1, 0);
    ASSERT_TRUE(pumpUntil([&] { return robot.commands().size() >= 1; }));
    pumpFor(30);
    EXPECT_EQ(robot.commands(), QStringList({"00 09 00 12 00 00 00 00 00 00 00 00 00 ff 00 00 00 00 00 00 ff 00"}))
        << "no second control message while the first waits for its reply";
    EXPECT_EQ(entry->messagesSent, 1);

    clock.advance(1999);
    entry->Update();
    EXPECT_TRUE(entry->connected);
    clock.advance(1);
    entry->Update();
    EXPECT_FALSE(entry->connected);
    EXPECT_FALSE(entry->isSocketOpen());
    EXPECT_FALSE(entry->isLinkThreadRunning());
    EXPECT_EQ(linesStartingWith(QStringLiteral("0|Timeout TCP Request")), 1);
    QString text;
    EXPECT_EQ(entry->EvaluateStatus(text, false, MatchPhase::Idle), 1);
    EXPECT_EQ(text, QStringLiteral("Not connected to 4242 at 127.0.0.50"));
}

TEST_F(Linked, SendFailureClosesTheLink)
{
    // A far side that resets the connection: the next write fails.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(2901);
    inet_pton(AF_INET, "127.0.0.51", &address.sin_addr);
    const int on = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);

    auto entry = makeEntry(QStringLiteral("127.0.0.51"));
    entry->Connect(false);
    const int peer = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(pumpUntil([&] { return entry->everConnected && entry->isSocketOpen(); }));
    const linger reset{1, 0};
    setsockopt(peer, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    ::close(peer);
    ::close(listener);
    QThread::msleep(50);

    entry->lastPoll = clock.nowMs();
    entry->QueueControlMessage(nullptr, nullptr, 1, 0); // no events handled in between
    EXPECT_FALSE(entry->connected);
    EXPECT_FALSE(entry->isLinkThreadRunning());
    EXPECT_EQ(linesStartingWith(QStringLiteral("0|Send Fail: ")), 1) << log.lines.join('\n').toStdString();
    EXPECT_EQ(linesStartingWith(QStringLiteral("dump 0 1 8009")), 1);
    pumpFor(50); // the lost peer's events belong to the closed link
    EXPECT_FALSE(entry->dropped);
}

TEST_F(Linked, LostConnectionForgetsEveryRequestAndTheNextAsksAgain)
{
    SimRobot robot(QStringLiteral("127.0.0.52"), brickNamed("JRV4242"), {true, 0, false, 1, false});
    ASSERT_TRUE(robot.started);
    auto entry = makeEntry(QStringLiteral("127.0.0.52"));
    entry->Connect(false);
    ASSERT_TRUE(pumpUntil([&] { return entry->everConnected && entry->isSocketOpen(); }));
    entry->PollStatus(); // the first query goes out and the module hangs up on it
    ASSERT_TRUE(pumpUntil([&] { return entry->dropped && !entry->connected; }));
    EXPECT_EQ(entry->flags, 0u);
    QString text;
    entry->EvaluateStatus(text, false, MatchPhase::Idle);
    EXPECT_EQ(text, QStringLiteral("4242 at 127.0.0.52 is OFF or Firewalled"));

    entry->Connect(false);
    ASSERT_TRUE(pumpUntil([&] { return entry->isSocketOpen() && !entry->dropped; }));
    const quint32 asked = WANT_DEVICE_INFO | WANT_FIRMWARE | WANT_BATTERY | WANT_CONFIG_FILE;
    EXPECT_EQ(entry->flags & asked, asked);
}

TEST_F(Linked, EventsOfAClosedLinkAreDropped)
{
    SimRobot robot(QStringLiteral("127.0.0.53"), brickNamed("JRV4242"));
    ASSERT_TRUE(robot.started);
    auto entry = makeEntry(QStringLiteral("127.0.0.53"));
    entry->Connect(false);
    // Wait without handling events, so the ready event stays queued.
    for (int i = 0; i < 300 && robot.notes().isEmpty(); ++i)
        QThread::msleep(10);
    ASSERT_FALSE(robot.notes().isEmpty());
    QThread::msleep(20);
    entry->CloseLink();
    pumpFor(50);
    EXPECT_FALSE(entry->everConnected);
    EXPECT_EQ(entry->flags, 0u);
    EXPECT_FALSE(entry->connected);
}

TEST_F(Linked, GarbageFromThePeerCostsNothing)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(2901);
    inet_pton(AF_INET, "127.0.0.54", &address.sin_addr);
    const int on = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    auto entry = makeEntry(QStringLiteral("127.0.0.54"));
    entry->Connect(false);
    const int peer = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(pumpUntil([&] { return entry->everConnected && entry->isSocketOpen(); }));

    QByteArray junk(6000, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    ASSERT_EQ(::send(peer, junk.constData(), static_cast<size_t>(junk.size()), 0), junk.size());
    pumpFor(50);
    EXPECT_TRUE(entry->connected);
    entry->PollStatus(); // asks for the program name: the answer is junk of the right length
    pumpFor(20);
    char buffer[64];
    ASSERT_GT(::recv(peer, buffer, sizeof buffer, 0), 0);
    const QByteArray reply = junk.left(23);
    ::send(peer, reply.constData(), static_cast<size_t>(reply.size()), 0);
    ASSERT_TRUE(pumpUntil([&] { return (entry->flags & WANT_PROGRAM_NAME) == 0; }));
    EXPECT_LE(entry->currentProgram.size(), 20);
    ::close(peer);
    ::close(listener);
    ASSERT_TRUE(pumpUntil([&] { return !entry->connected; }));
    EXPECT_TRUE(entry->dropped);
}
}
