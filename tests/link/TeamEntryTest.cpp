#include "fcs/app/Preferences.h"
#include "fcs/link/NxtProtocol.h"
#include "fcs/link/TeamEntry.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingLog.h"

#include <functional>
#include <gtest/gtest.h>

using namespace NxtProtocol;

namespace {

struct Fixture : ::testing::Test {
    FakeClock clock;
    RecordingLog log;
    Preferences prefs;
};

struct NameCase {
    const char* name;
    const char* teamName;
    const char* teamNumber;
    bool reserved;
};

TEST_F(Fixture, NamesTable)
{
    const NameCase cases[] = {
        {"JRV4242", "4242", "4242", false}, {"nxt4242", "4242", "4242", false},
        {"Robots", "Robots", "Robo", false}, {"NXT", "", "", true},
        {"nxtnxt", "nxt", "nxt", true},     {"JRV123456", "123456", "1234", false},
        {"ab", "ab", "ab", false},          {"", "", "", false},
    };
    TeamEntry entry(clock, log, prefs, 0);
    for (const NameCase& c : cases) {
        entry.SetModuleName(QString::fromLatin1(c.name));
        EXPECT_EQ(entry.GetTeamName(), QString::fromLatin1(c.teamName)) << c.name;
        EXPECT_EQ(entry.GetTeamNumber(), QString::fromLatin1(c.teamNumber)) << c.name;
        EXPECT_EQ(entry.IsReservedName(), c.reserved) << c.name;
    }
}

TEST_F(Fixture, ResetState)
{
    TeamEntry entry(clock, log, prefs, 2);
    entry.SetModuleName(QStringLiteral("JRV1"));
    entry.moduleAddress = QStringLiteral("127.0.0.9");
    entry.nxtBatteryMv = 8000;
    entry.flags = 0xFFFF;
    entry.halted = entry.dropped = entry.everConnected = true;
    entry.moduleInfo.lastError = QStringLiteral("Invalid Password");
    entry.batteryLatch = true;
    entry.batteryLevel = 1;
    clock.set(50000);
    entry.Reset();
    EXPECT_TRUE(entry.moduleName.isEmpty());
    EXPECT_TRUE(entry.moduleAddress.isEmpty());
    EXPECT_EQ(entry.nxtBatteryMv, 0);
    EXPECT_EQ(entry.flags, 0u);
    EXPECT_FALSE(entry.halted || entry.dropped || entry.everConnected || entry.connected);
    EXPECT_EQ(entry.expected, -1);
    EXPECT_EQ(entry.nextConnectTry, 50000);
    EXPECT_EQ(entry.lastPoll, 40000);
    EXPECT_TRUE(entry.autoConnect);
    EXPECT_EQ(entry.batteryLevel, 3);
    EXPECT_FALSE(entry.batteryLatch);
    EXPECT_EQ(entry.discoveryIndex, -1);
    EXPECT_EQ(entry.position, 2);
    EXPECT_TRUE(entry.moduleInfo.lastError.isEmpty());
}

// ------------------------------------------------------------------ status

// Status steps that need an open socket are covered against a simulated robot
// (TeamEntryLinkTest); these are the ones before it.
struct ClosedStatusCase {
    const char* what;
    std::function<void(TeamEntry&)> setUp;
    const char* text;
    int severity;
};

TEST_F(Fixture, EvaluateStatusWithoutAnOpenSocket)
{
    const ClosedStatusCase cases[] = {
        {"no robot", [](TeamEntry& e) { e.moduleName.clear(); }, "", 0},
        {"match over", [](TeamEntry& e) { e.matchOver = true; }, "Match Over", 1},
        {"several modules", [](TeamEntry& e) { e.multipleMatches = true; },
         "Multiple matches for 4242.  Use Choose button.", 1},
        {"factory name", [](TeamEntry& e) { e.moduleName = QStringLiteral("nXt"); },
         "NXT is not allowed as a name. Choose another name for the brick.", 1},
        {"not found", [](TeamEntry& e) { e.moduleAddress.clear(); }, "Can't Find 4242", 1},
        {"refused", [](TeamEntry& e) { e.moduleInfo.lastError = QStringLiteral("Invalid Password"); },
         "Invalid Password", 1},
        {"dropped", [](TeamEntry& e) { e.dropped = true; }, "4242 at 127.0.0.9 is OFF or Firewalled", 1},
        {"halted", [](TeamEntry& e) { e.halted = true; }, "**Disabled**", 1},
        {"idle", [](TeamEntry&) {}, "Not connected to 4242 at 127.0.0.9", 1},
        {"connecting", [](TeamEntry& e) { e.connected = true; },
         "Attempting to connect to 4242 at 127.0.0.9", 1},
        {"connecting after a drop", [](TeamEntry& e) { e.connected = e.dropped = true; },
         "4242 at 127.0.0.9 is OFF or Firewalled", 1},
        {"reconnecting", [](TeamEntry& e) { e.connected = e.everConnected = e.dropped = true; },
         "No connection available to 4242 at 127.0.0.9", 1},
    };
    for (const ClosedStatusCase& c : cases) {
        TeamEntry entry(clock, log, prefs, 0);
        entry.SetModuleName(QStringLiteral("JRV4242"));
        entry.moduleAddress = QStringLiteral("127.0.0.9");
        c.setUp(entry);
        QString text = QStringLiteral("stale");
        EXPECT_EQ(entry.EvaluateStatus(text, false, MatchPhase::Idle), c.severity) << c.what;
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.what;
        entry.connected = false; // nothing to close
    }
}

// ------------------------------------------------------------------ replies

struct ReplyCase {
    const char* what;
    int code;
    const char* replyHex;
    quint32 flagsBefore;
    std::function<void(TeamEntry&)> setUp;
    std::function<void(const TeamEntry&)> check;
    quint32 flagsAfter;
};

TEST_F(Fixture, OnLinkEventReplyTable)
{
    const ReplyCase cases[] = {
        {"battery", RC_BATTERY, "020b001c20", WANT_BATTERY | AWAITING_REPLY, {},
         [](const TeamEntry& e) { EXPECT_EQ(e.nxtBatteryMv, 8220); }, 0},
        {"battery status ignored", RC_BATTERY, "020bff3a1f", WANT_BATTERY, {},
         [](const TeamEntry& e) { EXPECT_EQ(e.nxtBatteryMv, 7994); }, 0},
        {"program name", RC_PROGRAM_NAME, "021100" "4175746f2e72786500000000000000000000000000",
         WANT_PROGRAM_NAME, {}, [](const TeamEntry& e) { EXPECT_EQ(e.currentProgram, QStringLiteral("Auto.rxe")); }, 0},
        {"no program", RC_PROGRAM_NAME, "0211ec" "0000000000000000000000000000000000000000",
         WANT_PROGRAM_NAME, [](TeamEntry& e) { e.currentProgram = QStringLiteral("Old"); },
         [](const TeamEntry& e) { EXPECT_TRUE(e.currentProgram.isEmpty()); }, 0},
        {"name of 20 characters", RC_PROGRAM_NAME, "021100" "4142434445464748494a4b4c4d4e4f5051525354",
         WANT_PROGRAM_NAME, {},
         [](const TeamEntry& e) { EXPECT_EQ(e.currentProgram, QStringLiteral("ABCDEFGHIJKLMNOPQRST")); }, 0},
        {"device info", RC_DEVICE_INFO,
         "029b00" "4a5256343234320000000000000000" "00165301020300" "05000000" "20cb0000",
         WANT_DEVICE_INFO | WANT_FIRMWARE, {},
         [](const TeamEntry& e) {
             const std::array<quint8, 7> bt{0x00, 0x16, 0x53, 0x01, 0x02, 0x03, 0x00};
             EXPECT_EQ(e.btAddress, bt);
             EXPECT_EQ(e.btSignal, 5u);
             EXPECT_EQ(e.freeFlash, 52000u);
         },
         WANT_FIRMWARE},
        {"firmware", RC_FIRMWARE, "028800" "7c011d01", WANT_FIRMWARE, {},
         [](const TeamEntry& e) {
             EXPECT_EQ(e.protocolMinor, 0x7c);
             EXPECT_EQ(e.protocolMajor, 1);
             EXPECT_EQ(e.firmwareMinor, 0x1d);
             EXPECT_EQ(e.firmwareMajor, 1);
         },
         0},
        {"open read", RC_CONFIG_OPEN, "028000" "03" "82000000", WANT_CONFIG_FILE,
         [](TeamEntry& e) { e.teleopProgram = QStringLiteral("old"); },
         [](const TeamEntry& e) {
             EXPECT_TRUE(e.teleopProgram.isEmpty());
             EXPECT_EQ(e.fileHandle, 3);
             EXPECT_EQ(e.bytesLeft, 130);
         },
         WANT_CONFIG_FILE},
        {"file missing", RC_CONFIG_OPEN, "028087" "00" "00000000", WANT_CONFIG_FILE | WANT_BATTERY, {},
         [](const TeamEntry& e) { EXPECT_EQ(e.bytesLeft, 0); }, WANT_BATTERY},
        {"absurd file size", RC_CONFIG_OPEN, "028000" "03" "ffffff7f", WANT_CONFIG_FILE, {},
         [](const TeamEntry& e) { EXPECT_EQ(e.bytesLeft, 0); }, 0},
        {"read chunk", RC_CONFIG_READ, "028200" "03" "0300" "414243", WANT_CONFIG_FILE,
         [](TeamEntry& e) { e.bytesLeft = 10; e.teleopProgram = QStringLiteral("x"); },
         [](const TeamEntry& e) {
             EXPECT_EQ(e.teleopProgram, QStringLiteral("xABC"));
             EXPECT_EQ(e.bytesLeft, 7);
         },
         WANT_CONFIG_FILE},
        {"last chunk", RC_CONFIG_READ, "028200" "03" "0200" "4142", WANT_CONFIG_FILE,
         [](TeamEntry& e) { e.bytesLeft = 2; },
         [](const TeamEntry& e) {
             EXPECT_EQ(e.teleopProgram, QStringLiteral("AB"));
             EXPECT_EQ(e.bytesLeft, 0);
         },
         0},
        {"read count beyond the reply", RC_CONFIG_READ, "028200" "03" "ff00" "41", WANT_CONFIG_FILE,
         [](TeamEntry& e) { e.bytesLeft = 58; },
         [](const TeamEntry& e) {
             EXPECT_EQ(e.teleopProgram, QStringLiteral("A"));
             EXPECT_EQ(e.bytesLeft, 57);
         },
         WANT_CONFIG_FILE},
        {"read failed", RC_CONFIG_READ, "028285" "03" "0000", WANT_CONFIG_FILE,
         [](TeamEntry& e) { e.bytesLeft = 5; },
         [](const TeamEntry& e) { EXPECT_EQ(e.bytesLeft, 5); }, WANT_CONFIG_FILE},
        {"close", RC_CONFIG_CLOSE, "02840003", 0, [](TeamEntry& e) { e.fileHandle = 3; },
         [](const TeamEntry& e) { EXPECT_EQ(e.fileHandle, 255); }, 0},
        {"control reply", RC_CONTROL, "020900", CONTROL_PENDING | AWAITING_REPLY, {}, {}, 0},
        {"started", RC_START_PROGRAM, "020000", WANT_START_TELEOP, {}, {},
         WANT_START_TELEOP | WANT_PROGRAM_NAME},
        {"stopped", RC_STOP_PROGRAM, "0201ec", WANT_STOP_PROGRAM, {}, {},
         WANT_STOP_PROGRAM | WANT_PROGRAM_NAME},
        {"unknown code", 200, "0200", WANT_BATTERY | AWAITING_REPLY, {}, {}, WANT_BATTERY},
    };
    for (const ReplyCase& c : cases) {
        clock.set(7000);
        TeamEntry entry(clock, log, prefs, 1);
        entry.nxtBatteryMv = 8000;
        entry.lastPoll = clock.nowMs(); // no poll comes due while replies are handled
        if (c.setUp)
            c.setUp(entry);
        entry.flags = c.flagsBefore;
        const QByteArray bytes = QByteArray::fromHex(c.replyHex);
        std::copy(bytes.begin(), bytes.end(), entry.reply.begin());
        clock.set(9000);
        entry.OnLinkEvent(c.code, static_cast<int>(bytes.size()));
        EXPECT_EQ(entry.flags, c.flagsAfter) << c.what;
        EXPECT_EQ(entry.lastReply, 9000) << c.what;
        if (c.check)
            c.check(entry);
    }
}

TEST_F(Fixture, ConnectionEvents)
{
    struct Case {
        bool fake;
        quint32 flags;
    } cases[] = {
        {false, WANT_DEVICE_INFO | WANT_FIRMWARE | WANT_BATTERY | WANT_CONFIG_FILE | WANT_DEVICE_PAGE | WANT_LOGO},
        {true, WANT_DEVICE_PAGE | WANT_LOGO},
    };
    for (const Case& c : cases) {
        TeamEntry entry(clock, log, prefs, 0, c.fake);
        entry.dropped = true;
        entry.heldByOther = true;
        entry.moduleInfo.exclusiveReply = QStringLiteral("held");
        entry.OnLinkEvent(RC_CONNECTED, 0);
        EXPECT_EQ(entry.flags, c.flags);
        EXPECT_FALSE(entry.dropped);
        EXPECT_FALSE(entry.heldByOther);
        EXPECT_TRUE(entry.moduleInfo.exclusiveReply.isEmpty());

        entry.flags |= AWAITING_REPLY | STOP_BURST | WANT_PARTIAL_INFO | RESET_REQUESTED;
        entry.OnLinkEvent(RC_DISCONNECTED, 0);
        EXPECT_EQ(entry.flags, 0u) << "every request is forgotten";
        EXPECT_TRUE(entry.dropped);
    }
}

// ------------------------------------------------------------------ control message

TEST_F(Fixture, ControlMessageCountsUnreadableDrivers)
{
    TeamEntry entry(clock, log, prefs, 0);
    entry.lastPoll = clock.nowMs();
    JoystickState good;
    good.x1 = 5;
    JoystickState lost;
    lost.status = JS_NOT_READ;
    lost.x1 = 9;

    entry.QueueControlMessage(&lost, &good, 0, 0);
    EXPECT_EQ(entry.lostJoysticks, 1);
    EXPECT_TRUE(entry.joystickLost);
    EXPECT_EQ(entry.control[7], 0);
    EXPECT_EQ(entry.control[13], 255);
    EXPECT_EQ(entry.control[14], 5);
    EXPECT_EQ(entry.messagesSent, 1);
    EXPECT_EQ(entry.flags & CONTROL_PENDING, 0u) << "sent without asking a reply";

    entry.QueueControlMessage(&good, &lost, 0, 0);
    EXPECT_EQ(entry.lostJoysticks, 2);
    EXPECT_TRUE(entry.joystickLost) << "driver 2 unreadable";

    entry.QueueControlMessage(&good, &good, 0, 0);
    EXPECT_FALSE(entry.joystickLost);

    entry.joystickLost = true;
    entry.QueueControlMessage(nullptr, nullptr, 1, 1);
    EXPECT_TRUE(entry.joystickLost) << "without a driver 1 record the mark stays";
    EXPECT_EQ(entry.control[5], 0);
    EXPECT_EQ(entry.control[6], 1);
    EXPECT_EQ(entry.messagesSent, 4);
}

TEST_F(Fixture, ControlMessageAsksForBatteryEveryFiveSeconds)
{
    TeamEntry entry(clock, log, prefs, 0);
    entry.QueueControlMessage(nullptr, nullptr, 1, 0); // reset put lastPoll 10 s back
    EXPECT_EQ(entry.flags & (WANT_BATTERY | WANT_PARTIAL_INFO), quint32(WANT_BATTERY | WANT_PARTIAL_INFO));
    EXPECT_EQ(entry.lastPoll, clock.nowMs());
    entry.flags = 0;
    clock.advance(5000);
    entry.QueueControlMessage(nullptr, nullptr, 1, 0);
    EXPECT_EQ(entry.flags & WANT_BATTERY, 0u);
    clock.advance(1);
    entry.QueueControlMessage(nullptr, nullptr, 1, 0);
    EXPECT_NE(entry.flags & WANT_BATTERY, 0u);

    TeamEntry fake(clock, log, prefs, 1, true);
    fake.lastPoll = clock.nowMs();
    fake.QueueControlMessage(nullptr, nullptr, 1, 0);
    EXPECT_EQ(fake.flags & (WANT_BATTERY | WANT_LOGO), quint32(WANT_BATTERY | WANT_LOGO));
}

TEST_F(Fixture, PollStatusEveryFiveSeconds)
{
    TeamEntry entry(clock, log, prefs, 0);
    entry.PollStatus();
    const quint32 poll = WANT_BATTERY | WANT_PROGRAM_NAME | WANT_PARTIAL_INFO;
    EXPECT_EQ(entry.flags & poll, poll);
    entry.flags = 0;
    clock.advance(4000);
    entry.PollStatus();
    EXPECT_EQ(entry.flags, 0u);
}

// ------------------------------------------------------------------ programs

TEST_F(Fixture, PrepareTeleopTable)
{
    struct Case {
        const char* what;
        const char* name;
        const char* current;
        const char* teleop;
        bool result;
        quint32 flags;
    } cases[] = {
        {"no robot", "", "Auto", "Teleop", true, 0},
        {"already running", "JRV1", "Teleop", "Teleop", true, 0},
        {"no teleop program", "JRV1", "Auto", "", false, 0},
        {"switch", "JRV1", "Auto", "Teleop", false, WANT_STOP_PROGRAM | WANT_START_TELEOP},
        {"start", "JRV1", "", "Teleop", false, WANT_START_TELEOP},
        {"names differ in case", "JRV1", "teleop", "Teleop", false, WANT_STOP_PROGRAM | WANT_START_TELEOP},
    };
    for (const Case& c : cases) {
        TeamEntry entry(clock, log, prefs, 0);
        entry.moduleName = QString::fromLatin1(c.name);
        entry.currentProgram = QString::fromLatin1(c.current);
        entry.teleopProgram = QString::fromLatin1(c.teleop);
        EXPECT_EQ(entry.PrepareTeleop(), c.result) << c.what;
        EXPECT_EQ(entry.flags, c.flags) << c.what;
    }
}

TEST_F(Fixture, StopRobotWithNothingToStop)
{
    TeamEntry entry(clock, log, prefs, 0);
    entry.moduleName = QStringLiteral("JRV1");
    EXPECT_TRUE(entry.StopRobot(1));
    EXPECT_EQ(entry.savedAutonomous, 1);
    EXPECT_EQ(entry.flags, 0u);
    entry.currentProgram = QStringLiteral("Auto"); // running, but no link
    EXPECT_TRUE(entry.StopRobot(0));
    EXPECT_EQ(entry.flags, 0u);
}

// ------------------------------------------------------------------ battery and figures

TEST_F(Fixture, BatteryLatchOnlyGoesDown)
{
    TeamEntry entry(clock, log, prefs, 0);
    entry.SetBatteryLatch(true);
    entry.batteryLevel = 1;
    entry.SetBatteryLatch(true);
    EXPECT_EQ(entry.GetBatteryLevel(), 1);
    entry.SetBatteryLatch(false);
    EXPECT_EQ(entry.GetBatteryLevel(), 3);
}

TEST_F(Fixture, MatchFiguresOfAnUnconnectedEntryGoStraightToTheLog)
{
    TeamEntry entry(clock, log, prefs, 3);
    int reported = 0;
    entry.matchLog = [&](TeamEntry& e) {
        ++reported;
        EXPECT_EQ(e.position, 3);
    };
    entry.currentProgram = QStringLiteral("Auto");
    entry.nxtBatteryMv = 8100;
    entry.moduleInfo.nTeleOp = 40;
    entry.moduleInfo.counters = {1, 2, 3, 4};
    entry.messagesSent = 9;
    entry.notes = QStringLiteral("old");
    entry.BeginMatchStats();
    EXPECT_EQ(entry.statsState, 1);
    EXPECT_EQ(entry.messagesSent, 0);
    EXPECT_EQ(entry.autonomousProgram, QStringLiteral("Auto"));
    EXPECT_TRUE(entry.notes.isEmpty());
    EXPECT_EQ(entry.startNxtMv, 8100);
    EXPECT_EQ(entry.startTotal, 40);
    EXPECT_EQ(entry.counterStart[2], 3);

    entry.FinishMatchStats();
    EXPECT_EQ(entry.statsState, 0);
    EXPECT_EQ(reported, 1);
}

TEST_F(Fixture, FinalReading)
{
    TeamEntry entry(clock, log, prefs, 0);
    entry.moduleInfo.nAutonomous = 10;
    entry.BeginMatchStats();
    entry.messagesSent = 100;
    entry.moduleInfo.nAutonomous = 60;
    entry.moduleInfo.nTeleOp = 38;
    entry.moduleInfo.counters = {5, 6, 7, 8};
    entry.nxtBatteryMv = 7900;
    entry.TakeFinalReading();
    EXPECT_EQ(entry.endTotal, 98);
    EXPECT_EQ(entry.receivedDuringMatch, 88);
    EXPECT_EQ(entry.lostDuringMatch, 12);
    EXPECT_EQ(entry.endNxtMv, 7900);
    EXPECT_EQ(entry.counterEnd[3], 8);
    EXPECT_EQ(entry.statsState, 0);
}

TEST_F(Fixture, ReservedNameNeverConnects)
{
    TeamEntry entry(clock, log, prefs, 0);
    entry.SetModuleName(QStringLiteral("NXT"));
    entry.moduleAddress = QStringLiteral("127.0.0.59");
    entry.Connect(true);
    EXPECT_FALSE(entry.connected);
    EXPECT_EQ(entry.flags, 0u);
    EXPECT_FALSE(entry.isLinkThreadRunning());
}
}
