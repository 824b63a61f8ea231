// Sticks to robot: virtual sticks, assigned in one run and restored in the
// next, drive a match against a simulated robot on 127.0.0.90, and the robot's
// wire log shows bytes 7 to 20 of every control message following the sticks
// in the tele-operated period and neutral in the autonomous one.
#include "fcs/app/MatchClock.h"
#include "fcs/app/MatchClockView.h"
#include "fcs/app/Preferences.h"
#include "fcs/link/TeamEntry.h"
#include "fcs/schedule/MatchArray.h"
#include "tests/joystick/JoystickFixture.h"
#include "tests/link/SimRobot.h"
#include "tests/support/FakeClock.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/ScriptedPrompt.h"

#include <vector>

namespace {

const QString kRobotAddress = QStringLiteral("127.0.0.90");
const QByteArray kNeutralBlock = QByteArray::fromHex("000000000000ff");

class QuietView : public MatchClockView {
public:
    void showTime(qint32, TimerStyle) override {}
    void showIndicators(PeriodIndicator, PeriodIndicator, PeriodIndicator) override {}
    void showJoystickIcon(int, int, int) override {}
    void showTeamStatus(int, int, const QString&, int, int) override {}
    void showMatchCaption(const QString&) override {}
    bool takeEditedTeamNumbers(std::array<QString, 4>&) override { return false; }
    void refreshMatchCaptions() override {}
};

// Only Red 1 has a robot.
class OneRobotFinder : public ModuleFinder {
public:
    void RequestRefresh() override {}
    int FindByName(const QString& name, bool& multiple) override
    {
        multiple = false;
        return name == QLatin1String("JRV9001") ? 0 : -1;
    }
    bool GetAddresses(int, QString& moduleAddress, QString& localAddress) override
    {
        moduleAddress = kRobotAddress;
        localAddress.clear();
        return true;
    }
};

// Raw stick value that reduces to `byte` exactly.
int rawFor(int byte) { return (byte + 127) * 257; }

const Uint8 kSdlHats[9] = {SDL_HAT_UP,   SDL_HAT_RIGHTUP, SDL_HAT_RIGHT, SDL_HAT_RIGHTDOWN, SDL_HAT_DOWN,
                           SDL_HAT_LEFTDOWN, SDL_HAT_LEFT, SDL_HAT_LEFTUP, SDL_HAT_CENTERED};

// Puts stick n of the rig where tick k wants it; returns the block the robot
// should receive for it: x, y, z, rz, buttons 1-8, buttons 9-12, hat.
QByteArray pose(VirtualJoystickRig& rig, int n, int k, int seed)
{
    const int x = (k * 37 + seed) % 255 - 127;
    const int y = -x;
    const int z = (k * 11 + seed) % 255 - 127;
    const int rz = seed % 2 ? 127 : -127;
    const int buttons = (k * 5 + seed) & 0xfff;
    const int hat = (k + seed) % 9;
    rig.axisRaw(n, 0, rawFor(x));
    rig.axisRaw(n, 1, rawFor(y));
    rig.axisRaw(n, 2, rawFor(z));
    rig.axisRaw(n, 3, rawFor(rz));
    for (int b = 0; b < 16; ++b)
        rig.button(n, b, (buttons >> b) & 1);
    rig.hat(n, kSdlHats[hat]);
    QByteArray block;
    for (int v : {x, y, z, rz, buttons & 0xff, buttons >> 8, hat == 8 ? 255 : hat})
        block.append(static_cast<char>(static_cast<quint8>(v)));
    return block;
}

struct ControlMessage {
    bool teleop;
    bool stop;
    QByteArray sticks; // bytes 7 to 20
};

std::vector<ControlMessage> controlMessages(const SimRobot& robot)
{
    std::vector<ControlMessage> out;
    for (const auto& [ms, hex] : robot.timedCommands()) {
        const QByteArray b = QByteArray::fromHex(hex.toLatin1());
        if (b.size() == 22 && quint8(b[0]) == 0x80 && b[1] == 0x09)
            out.push_back({b[5] == 1, b[6] == 1, b.mid(7, 14)});
    }
    return out;
}

// True when `got` appears in `expected` in order (a tick's message may be
// coalesced into the next one's while the link is busy).
bool inOrderWithin(const std::vector<QByteArray>& got, const std::vector<QByteArray>& expected)
{
    size_t e = 0;
    for (const QByteArray& g : got) {
        while (e < expected.size() && expected[e] != g)
            ++e;
        if (e == expected.size())
            return false;
        ++e;
    }
    return true;
}

}

using JoystickMatch = JoystickFixture;

TEST_F(JoystickMatch, RestoredSticksReachTheRobotInTeleopAndNeverInAutonomous)
{
    // Last run: stick B drives Red 1 driver 1, stick A driver 2.
    VirtualJoystickRig::Model modelA;
    modelA.product = 0x0021;
    modelA.name = "Stick A";
    VirtualJoystickRig::Model modelB;
    modelB.product = 0x0022;
    modelB.name = "Stick B";
    ASSERT_GE(rig.plug(modelA), 0);
    ASSERT_GE(rig.plug(modelB), 0);
    manager->Enumerate();
    manager->SetMappedJoystick(1, 0);
    manager->SetMappedJoystick(0, 1);
    MemorySettingsStore store;
    manager->SaveMapping(store);
    manager.reset();

    // This run.
    restart();
    ASSERT_TRUE(manager->LoadMapping(store));

    SimRobot robot(kRobotAddress, brickNamed("JRV9001", "Teleop.rxe", "Auto.rxe"));
    ASSERT_TRUE(robot.started) << robot.error.toStdString();

    FakeClock clock;
    FixedWallClock wallClock;
    RecordingLog log;
    ScriptedPrompt prompt;
    CMatchArray matches;
    QuietView view;
    OneRobotFinder finder;
    Preferences prefs;
    std::array<std::unique_ptr<TeamEntry>, 4> entries;
    for (int t = 0; t < 4; ++t)
        entries[static_cast<size_t>(t)] = std::make_unique<TeamEntry>(clock, log, prefs, t);
    TeamEntry& red1 = *entries[0];
    red1.SetModuleName(QStringLiteral("JRV9001"));

    MatchSettings settings;
    settings.autonomousSeconds = 1;
    settings.teleopSeconds = 2;
    settings.endOfMatchWarning = false;
    settings.pauseBetweenPeriods = false;
    MatchClock::Services services{clock, wallClock, log, prompt, matches, view,
                                  {entries[0].get(), entries[1].get(), entries[2].get(), entries[3].get()},
                                  manager.get(), &finder, {}, {}, {}, {}, {}};
    MatchClock match(std::move(services), settings);

    // A tick every 33 ms of the match clock; the link's events are handled in between.
    auto tick = [&] {
        clock.advance(33);
        match.OnTick();
        pumpFor(3);
    };
    auto ticksUntil = [&](const std::function<bool()>& done, int limit) {
        for (int i = 0; i < limit && !done(); ++i)
            tick();
        return done();
    };
    ASSERT_TRUE(ticksUntil([&] {
        return red1.connected && red1.isSocketOpen() && !red1.teleopProgram.isEmpty()
               && red1.currentProgram == QLatin1String("Auto.rxe") && (red1.flags & 0x1FF) == 0
               && match.TeamStatusSummary() != 0;
    }, 600)) << "robot inspected";

    // Stick B is rig stick 1 and Red 1 driver 1; stick A (rig 0) is driver 2.
    int stickA = 0;
    int stickB = 1;
    std::vector<QByteArray> expectedTeleop;
    int lostTicks = 0;
    int teleopTick = 0;
    match.StartMatch();
    ASSERT_EQ(match.phase(), MatchPhase::AutonomousStarting) << prompt.asked.join('|').toStdString();
    for (int k = 0; k < 400 && match.phase() != MatchPhase::Idle; ++k) {
        QByteArray block = pose(rig, stickB, k, 3);
        const bool teleop = match.phase() == MatchPhase::TeleopRunning;
        if (teleop) {
            ++teleopTick;
            if (teleopTick == 20) {
                rig.unplug(stickA);
                stickB = 0;
                stickA = -1;
            } else if (teleopTick == 30) {
                stickA = rig.plug(modelA); // same controller, same place
            }
        }
        if (stickA >= 0) {
            block += pose(rig, stickA, k, 100);
        } else {
            block += kNeutralBlock;
            lostTicks += teleop ? 1 : 0;
        }
        if (teleop)
            expectedTeleop.push_back(block);
        tick();
    }
    ASSERT_EQ(match.phase(), MatchPhase::Idle);
    pumpFor(50);
    EXPECT_TRUE(prompt.asked.isEmpty());
    EXPECT_EQ(red1.lostJoysticks, lostTicks) << "the ticks stick A was out";

    std::vector<QByteArray> teleopWithSticks;
    int autonomousMessages = 0;
    for (const ControlMessage& m : controlMessages(robot)) {
        if (!m.teleop) {
            ++autonomousMessages;
            EXPECT_EQ(m.sticks.toHex(), (kNeutralBlock + kNeutralBlock).toHex()) << "autonomous carries no sticks";
        } else if (!m.stop) {
            teleopWithSticks.push_back(m.sticks);
        }
    }
    EXPECT_GE(autonomousMessages, 25);
    ASSERT_GE(expectedTeleop.size(), 55u);
    EXPECT_GE(teleopWithSticks.size(), expectedTeleop.size() * 9 / 10) << "nearly every tick reached the robot";
    EXPECT_TRUE(inOrderWithin(teleopWithSticks, expectedTeleop))
        << "every tele-operated message carries the sticks of its tick";
    const auto neutralDriver2 = std::count_if(teleopWithSticks.begin(), teleopWithSticks.end(),
                                              [](const QByteArray& s) { return s.mid(7) == kNeutralBlock; });
    EXPECT_GE(neutralDriver2, 8) << "driver 2 sent neutral while unplugged";
    EXPECT_LE(neutralDriver2, 10);
    EXPECT_NE(teleopWithSticks.back().mid(7), kNeutralBlock) << "stick A back after the replug";
}
