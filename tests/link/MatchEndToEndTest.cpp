// A whole match: the match clock drives four team entries against four
// simulated robots on 127.0.0.20-23, and the robots' wire logs show what
// reached them and when.
#include "fcs/app/MatchClock.h"
#include "fcs/app/MatchClockView.h"
#include "fcs/app/Preferences.h"
#include "fcs/joystick/JoystickMgr.h"
#include "fcs/link/TeamEntry.h"
#include "fcs/schedule/MatchArray.h"
#include "platform/Clock.h"
#include "tests/link/SimRobot.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/ScriptedPrompt.h"

#include <QElapsedTimer>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

class NullView : public MatchClockView {
public:
    void showTime(qint32, TimerStyle) override {}
    void showIndicators(PeriodIndicator, PeriodIndicator, PeriodIndicator) override {}
    void showJoystickIcon(int, int, int) override {}
    void showTeamStatus(int position, int level, const QString& text, int, int) override
    {
        levels[static_cast<size_t>(position)] = level;
        texts[static_cast<size_t>(position)] = text;
    }
    void showMatchCaption(const QString&) override {}
    bool takeEditedTeamNumbers(std::array<QString, 4>&) override { return false; }
    void refreshMatchCaptions() override {}
    std::array<int, 4> levels{};
    std::array<QString, 4> texts;
};

// Discovery as the idle service sees it: robot t answers at 127.0.0.(20 + t).
class LoopbackFinder : public ModuleFinder {
public:
    void RequestRefresh() override {}
    int FindByName(const QString& name, bool& multiple) override
    {
        multiple = false;
        for (int t = 0; t < 4; ++t)
            if (name == QStringLiteral("JRV100%1").arg(t + 1))
                return t;
        return -1;
    }
    bool GetAddresses(int index, QString& moduleAddress, QString& localAddress) override
    {
        moduleAddress = QStringLiteral("127.0.0.%1").arg(20 + index);
        localAddress.clear();
        return true;
    }
};

// Every driver holds its stick at a position of its own.
class SteadySticks : public CJoystickMgr {
public:
    void PollAll() override {}
    JoystickState GetPositionState(int position) const override
    {
        JoystickState state;
        state.x1 = static_cast<qint8>(10 + position);
        state.y1 = static_cast<qint8>(-10 - position);
        state.buttons = static_cast<quint8>(1 << position);
        state.hat = 2;
        state.active = 1;
        return state;
    }
    int GetMappedJoystick(int position) const override { return position; }
};

struct WireCommand {
    long long ms;
    QByteArray bytes;
};

std::vector<WireCommand> wire(const SimRobot& robot)
{
    std::vector<WireCommand> out;
    for (const auto& [ms, hex] : robot.timedCommands())
        out.push_back({ms, QByteArray::fromHex(hex.toLatin1())});
    return out;
}

bool isControl(const QByteArray& b)
{
    return b.size() == 22 && quint8(b[0]) == 0x80 && b[1] == 0x09;
}

TEST(MatchEndToEnd, FourRobotsPlayAWholeMatch)
{
    SteadyClock clock;
    FixedWallClock wallClock;
    RecordingLog log;
    ScriptedPrompt prompt;
    CMatchArray matches;
    NullView view;
    LoopbackFinder finder;
    SteadySticks sticks;
    Preferences prefs;

    std::vector<std::unique_ptr<SimRobot>> robots;
    std::array<std::unique_ptr<TeamEntry>, 4> entries;
    std::vector<int> reported;
    for (int t = 0; t < 4; ++t) {
        BrickConfig config = brickNamed(QByteArray("JRV100") + QByteArray::number(t + 1), "Teleop.rxe", "Auto.rxe");
        config.batteryMv = static_cast<quint16>(8000 + t);
        robots.push_back(std::make_unique<SimRobot>(QStringLiteral("127.0.0.%1").arg(20 + t), config));
        ASSERT_TRUE(robots.back()->started) << robots.back()->error.toStdString();
        entries[static_cast<size_t>(t)] = std::make_unique<TeamEntry>(clock, log, prefs, t);
        entries[static_cast<size_t>(t)]->SetModuleName(QStringLiteral("JRV100%1").arg(t + 1));
        entries[static_cast<size_t>(t)]->matchLog = [&reported](TeamEntry& e) { reported.push_back(e.position); };
    }

    MatchSettings settings;
    settings.autonomousSeconds = 2;
    settings.teleopSeconds = 3;
    settings.warningSeconds = 1;
    settings.pauseBetweenPeriods = false;
    MatchClock::Services services{clock, wallClock, log, prompt, matches, view,
                                  {entries[0].get(), entries[1].get(), entries[2].get(), entries[3].get()},
                                  &sticks, &finder, {}, {}, {}, {}, {}};
    MatchClock match(std::move(services), settings);

    // One tick every 33 ms, the link events handled in between.
    QElapsedTimer elapsed;
    elapsed.start();
    auto runTicksUntil = [&](const std::function<bool()>& done, int limitMs) {
        const qint64 until = elapsed.elapsed() + limitMs;
        qint64 next = elapsed.elapsed();
        while (!done()) {
            if (elapsed.elapsed() > until)
                return false;
            match.OnTick();
            next += 33;
            while (elapsed.elapsed() < next) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
                QThread::msleep(1);
            }
        }
        return true;
    };

    auto allReady = [&] {
        for (const auto& e : entries)
            if (!e->connected || !e->isSocketOpen() || e->teleopProgram.isEmpty()
                || e->currentProgram != QLatin1String("Auto.rxe") || (e->flags & 0x1FF) != 0)
                return false;
        return true;
    };
    ASSERT_TRUE(runTicksUntil(allReady, 6000)) << "robots inspected";
    ASSERT_TRUE(runTicksUntil([&] {
        for (const QString& text : view.texts)
            if (!text.contains(QLatin1String("NXT: ")))
                return false;
        return true;
    }, 1000)) << "status shown";
    for (int t = 0; t < 4; ++t) {
        EXPECT_TRUE(view.texts[static_cast<size_t>(t)].contains(QStringLiteral("NXT: 8.00%1V").arg(t)))
            << view.texts[static_cast<size_t>(t)].toStdString();
    }

    std::vector<long long> matchStart;
    for (const auto& robot : robots)
        matchStart.push_back(robot->wireLog.NowMs());
    match.StartMatch();
    ASSERT_EQ(match.phase(), MatchPhase::AutonomousStarting);
    ASSERT_TRUE(runTicksUntil([&] { return match.phase() == MatchPhase::Idle; }, 15000));
    EXPECT_TRUE(prompt.asked.isEmpty());
    pumpFor(100);

    // The final figures went to the match log, once per position.
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(reported, (std::vector<int>{0, 1, 2, 3}));

    for (int t = 0; t < 4; ++t) {
        SCOPED_TRACE(t);
        const TeamEntry& e = *entries[static_cast<size_t>(t)];
        EXPECT_EQ(e.statsState, 0);
        EXPECT_EQ(e.autonomousProgram, QStringLiteral("Auto.rxe"));
        EXPECT_EQ(e.endNxtMv, 8000 + t);
        EXPECT_TRUE(e.currentProgram.isEmpty()) << "stopped at the end";
        EXPECT_TRUE(e.connected);

        // The robot's own account, from the match start on.
        std::vector<WireCommand> sent;
        for (const WireCommand& c : wire(*robots[static_cast<size_t>(t)]))
            if (c.ms >= matchStart[static_cast<size_t>(t)])
                sent.push_back(c);
        ASSERT_FALSE(sent.empty());

        // Phases of the match as the robot saw them.
        enum Stage { Autonomous, AutonomousStop, Switch, Teleop, TeleopStop, Done } stage = Autonomous;
        int autonomousMessages = 0, teleopMessages = 0, stopPrograms = 0, starts = 0, withSticks = 0;
        int controlMessages = 0;
        bool firstAutonomousStopped = false, firstTeleopStopped = false;
        for (const WireCommand& c : sent) {
            const QByteArray& b = c.bytes;
            if (isControl(b)) {
                ++controlMessages;
                EXPECT_EQ(b[2], 0);
                EXPECT_EQ(b[3], 18);
                EXPECT_EQ(b[21], 0);
                const bool teleop = b[5] == 1;
                const bool stop = b[6] == 1;
                if (!teleop) {
                    EXPECT_TRUE(stage == Autonomous || stage == AutonomousStop) << stage;
                    if (autonomousMessages++ == 0)
                        firstAutonomousStopped = stop;
                    EXPECT_EQ(b.mid(7, 14).toHex(), QByteArray("000000000000ff000000000000ff"))
                        << "no joystick data in autonomous";
                    if (stage == Autonomous && stop && autonomousMessages > 1)
                        stage = AutonomousStop;
                } else {
                    if (stage == Switch)
                        stage = Teleop;
                    EXPECT_TRUE(stage == Teleop || stage == TeleopStop) << stage;
                    if (teleopMessages++ == 0)
                        firstTeleopStopped = stop;
                    if (!stop) {
                        ++withSticks;
                        EXPECT_EQ(quint8(b[7]), 10 + 2 * t);
                        EXPECT_EQ(quint8(b[14]), 10 + 2 * t + 1);
                        EXPECT_EQ(quint8(b[11]), 1 << (2 * t));
                        EXPECT_EQ(quint8(b[13]), 2);
                    } else if (stage == Teleop && teleopMessages > 1) {
                        stage = TeleopStop;
                    }
                }
            } else if (b == QByteArray::fromHex("0001")) {
                ++stopPrograms;
                EXPECT_TRUE(stage == AutonomousStop || stage == TeleopStop) << stage;
                if (stage == AutonomousStop)
                    stage = Switch;
                else if (stage == TeleopStop)
                    stage = Done;
            } else if (b.startsWith(QByteArray::fromHex("0000"))) {
                ++starts;
                EXPECT_EQ(stage, Switch);
                EXPECT_EQ(b.mid(2, 10), QByteArray("Teleop.rxe"));
            }
        }
        EXPECT_EQ(stage, Done);
        EXPECT_TRUE(firstAutonomousStopped) << "the message that opens a period carries the stop flag";
        EXPECT_TRUE(firstTeleopStopped);
        EXPECT_EQ(stopPrograms, 2);
        EXPECT_EQ(starts, 1);
        // A message every tick: 2 s and 3 s at 33 ms, with room for a loaded machine.
        EXPECT_GE(autonomousMessages, 20);
        EXPECT_GE(withSticks, 30);
        EXPECT_EQ(e.messagesSent, controlMessages);

        // What a robot saw of the tick rate while the tele-operated period ran.
        long long previous = -1, widest = 0;
        for (const WireCommand& c : sent) {
            if (!isControl(c.bytes) || c.bytes[5] != 1 || c.bytes[6] != 0)
                continue;
            if (previous >= 0)
                widest = std::max(widest, c.ms - previous);
            previous = c.ms;
        }
        std::printf("[measure] robot %d: %d control messages, %d with joysticks, widest teleop gap %lld ms\n",
                    t, controlMessages, withSticks, widest);
    }
}
}

namespace {

// One robot in a tele-operated-only match, on the fake clock: it drops out,
// is reconnected by the match clock, drops out for good and is E-stopped.
TEST(MatchEndToEnd, DroppedRobotIsReconnectedThenAutoEStopped)
{
    FakeClock clock;
    FixedWallClock wallClock;
    RecordingLog log;
    ScriptedPrompt prompt;
    CMatchArray matches;
    NullView view;
    Preferences prefs;
    const QString address = QStringLiteral("127.0.0.24");
    const BrickConfig config = brickNamed("JRV1001", "Teleop.rxe", "Auto.rxe");
    auto robot = std::make_unique<SimRobot>(address, config);
    ASSERT_TRUE(robot->started);

    std::array<std::unique_ptr<TeamEntry>, 4> entries;
    for (int t = 0; t < 4; ++t)
        entries[static_cast<size_t>(t)] = std::make_unique<TeamEntry>(clock, log, prefs, t);
    TeamEntry& entry = *entries[0];
    entry.SetModuleName(QStringLiteral("JRV1001"));

    // The finder's address for position 0 is 127.0.0.20; this robot lives elsewhere.
    struct OneRobot : ModuleFinder {
        QString address;
        void RequestRefresh() override {}
        int FindByName(const QString& name, bool& multiple) override
        {
            multiple = false;
            return name == QLatin1String("JRV1001") ? 0 : -1;
        }
        bool GetAddresses(int, QString& moduleAddress, QString& localAddress) override
        {
            moduleAddress = address;
            localAddress.clear();
            return true;
        }
    } oneRobot;
    oneRobot.address = address;

    MatchSettings settings;
    settings.autonomousEnabled = false;
    settings.teleopSeconds = 600;
    MatchClock::Services services{clock, wallClock, log, prompt, matches, view,
                                  {entries[0].get(), entries[1].get(), entries[2].get(), entries[3].get()},
                                  nullptr, &oneRobot, {}, {}, {}, {}, {}};
    MatchClock match(std::move(services), settings);

    auto ticksUntil = [&](const std::function<bool()>& done, int stepMs, int maxTicks) {
        for (int i = 0; i < maxTicks; ++i) {
            if (done())
                return true;
            clock.advance(stepMs);
            match.OnTick();
            pumpFor(3);
        }
        return done();
    };

    ASSERT_TRUE(ticksUntil([&] { return entry.currentProgram == QLatin1String("Teleop.rxe")
                                        && view.texts[0].contains(QLatin1String("NXT: ")); },
                           33, 300))
        << "connected, inspected and switched to its tele-operated program";
    match.StartMatch();
    ASSERT_TRUE(ticksUntil([&] { return match.phase() == MatchPhase::TeleopRunning; }, 33, 5));
    EXPECT_TRUE(entry.connectedAtTeleopStart);

    // The module goes away and comes back.
    robot.reset();
    ASSERT_TRUE(ticksUntil([&] { return !entry.connected; }, 33, 200));
    EXPECT_TRUE(entry.dropped);
    robot = std::make_unique<SimRobot>(address, config);
    ASSERT_TRUE(robot->started);
    ASSERT_TRUE(ticksUntil([&] { return entry.connected && entry.isSocketOpen() && !robot->commands().isEmpty(); },
                           33, 200));
    EXPECT_GE(entry.reconnects, 1);
    ASSERT_TRUE(ticksUntil([&] {
        for (const QString& c : robot->commands())
            if (c.startsWith(QLatin1String("80 09 00 12 00 01 00")))
                return true;
        return false;
    }, 33, 100)) << "tele-operated control messages flow again";
    EXPECT_EQ(match.phase(), MatchPhase::TeleopRunning);

    // Gone for good: silence for more than 121 s stops it and, as the last robot, the match.
    robot.reset();
    ASSERT_TRUE(ticksUntil([&] { return match.phase() != MatchPhase::TeleopRunning; }, 500, 400));
    EXPECT_EQ(match.phase(), MatchPhase::MatchOver);
    EXPECT_TRUE(entry.notes.contains(QLatin1String("Auto E-Stop - ")));
    EXPECT_TRUE(log.lines.contains(QStringLiteral("0|Auto E-Stop")));
    EXPECT_FALSE(entry.isLinkThreadRunning() && entry.isSocketOpen());
}
}
