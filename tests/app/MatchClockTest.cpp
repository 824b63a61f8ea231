#include "FakePosition.h"
#include "RecordingView.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/ScriptedPrompt.h"

#include "fcs/app/MatchClock.h"
#include "fcs/resources/StringTable.h"
#include "fcs/schedule/MatchArray.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr qint32 kTick = 33;

struct ClockFixture : ::testing::Test {
    FakeClock clock;
    FixedWallClock wall;
    RecordingLog log;
    ScriptedPrompt prompt;
    CMatchArray matches;
    RecordingView view;
    std::array<std::unique_ptr<FakePosition>, 4> positions;
    std::vector<int> cues;
    std::unique_ptr<MatchClock> match;
    MatchSettings settings;

    void SetUp() override
    {
        matches.SetStatusTexts(Str(263), Str(264));
        for (int t = 0; t < 4; ++t)
            positions[static_cast<size_t>(t)] = std::make_unique<FakePosition>(clock, log, t);
    }

    void build()
    {
        MatchClock::Services services{clock, wall, log, prompt, matches, view,
                                      {pos(0), pos(1), pos(2), pos(3)}, nullptr, nullptr,
                                      [this](int cue) { cues.push_back(cue); }, {}, {}, {}, {}};
        match = std::make_unique<MatchClock>(std::move(services), settings);
    }

    FakePosition* pos(int t) { return positions[static_cast<size_t>(t)].get(); }

    // Every position named and good, so Start Match asks nothing.
    void teamsPresent()
    {
        for (int t = 0; t < 4; ++t) {
            pos(t)->SetModuleName(QStringLiteral("NXT%1").arg(1000 + t));
            pos(t)->statusLevel = 3;
            pos(t)->statusText = QStringLiteral("Ready");
        }
    }

    void tick(qint32 advance = kTick)
    {
        clock.advance(advance);
        match->OnTick();
    }

    // Ticks until the phase changes or the limit passes; returns the ticks taken.
    int tickUntilPhaseLeaves(MatchPhase phase, int limit = 100000)
    {
        int ticks = 0;
        while (match->phase() == phase && ticks < limit) {
            tick();
            ++ticks;
        }
        return ticks;
    }

    void startReadyMatch()
    {
        teamsPresent();
        build();
        tick(); // idle tick computes the status summary
        match->StartMatch();
    }

    int count(int cue) const { return static_cast<int>(std::count(cues.begin(), cues.end(), cue)); }
};

// --- the phase machine -------------------------------------------------------

struct TransitionCase {
    const char* name;
    std::function<void(MatchSettings&)> configure;
    std::function<void(ClockFixture&)> drive;
    MatchPhase expected;
};

class PhaseTransitions : public ClockFixture, public ::testing::WithParamInterface<TransitionCase> {
};

TEST_P(PhaseTransitions, EndsInExpectedPhase)
{
    const TransitionCase& c = GetParam();
    if (c.configure)
        c.configure(settings);
    startReadyMatch();
    c.drive(*this);
    EXPECT_EQ(static_cast<int>(match->phase()), static_cast<int>(c.expected)) << c.name;
}

void noop(ClockFixture&) {}
void oneTick(ClockFixture& f) { f.tick(); }
void throughAutonomous(ClockFixture& f) { f.tickUntilPhaseLeaves(MatchPhase::AutonomousStarting);
                                           f.tickUntilPhaseLeaves(MatchPhase::AutonomousRunning); }
void throughTeleop(ClockFixture& f)
{
    f.tickUntilPhaseLeaves(MatchPhase::TeleopStarting);
    f.tickUntilPhaseLeaves(MatchPhase::TeleopRunning);
}

const TransitionCase kTransitions[] = {
    {"start with autonomous", {}, noop, MatchPhase::AutonomousStarting},
    {"start without autonomous", [](MatchSettings& s) { s.autonomousEnabled = false; }, noop,
     MatchPhase::TeleopStarting},
    {"starting becomes running on the next tick", {}, oneTick, MatchPhase::AutonomousRunning},
    {"autonomous end with pause waits", {}, throughAutonomous, MatchPhase::Waiting},
    {"autonomous end, robots not stopping, stays ended", {},
     [](ClockFixture& f) {
         for (int t = 0; t < 4; ++t)
             f.pos(t)->stops = false;
         throughAutonomous(f);
         f.tick();
     },
     MatchPhase::AutonomousEnded},
    {"no pause and every robot ready starts tele-op", [](MatchSettings& s) { s.pauseBetweenPeriods = false; },
     [](ClockFixture& f) {
         throughAutonomous(f);
         f.tick();
     },
     MatchPhase::TeleopStarting},
    {"no pause but one robot not ready keeps waiting",
     [](MatchSettings& s) { s.pauseBetweenPeriods = false; },
     [](ClockFixture& f) {
         f.pos(2)->teleopReady = false;
         throughAutonomous(f);
         f.tick();
         f.tick();
     },
     MatchPhase::Waiting},
    {"a halted robot that is not ready does not hold tele-op",
     [](MatchSettings& s) { s.pauseBetweenPeriods = false; },
     [](ClockFixture& f) {
         throughAutonomous(f);
         f.pos(2)->teleopReady = false;
         f.pos(2)->halted = true;
         f.tick();
     },
     MatchPhase::TeleopStarting},
    {"pause: Continue starts tele-op", {},
     [](ClockFixture& f) {
         throughAutonomous(f);
         f.tick();
         f.match->StartMatch();
     },
     MatchPhase::TeleopStarting},
    {"autonomous only ends in idle", [](MatchSettings& s) { s.teleopEnabled = false; }, throughAutonomous,
     MatchPhase::Idle},
    {"whole match ends in idle", {},
     [](ClockFixture& f) {
         throughAutonomous(f);
         f.match->StartMatch();
         throughTeleop(f);
     },
     MatchPhase::Idle},
    {"tele-op only ends in match over", [](MatchSettings& s) { s.autonomousEnabled = false; },
     throughTeleop, MatchPhase::MatchOver},
    {"stop match with autonomous enabled", {},
     [](ClockFixture& f) {
         f.tick();
         f.match->StopMatch();
     },
     MatchPhase::Idle},
    {"stop match without autonomous", [](MatchSettings& s) { s.autonomousEnabled = false; },
     [](ClockFixture& f) {
         f.tick();
         f.match->StopMatch();
     },
     MatchPhase::MatchOver},
    {"start in a running period does nothing", {},
     [](ClockFixture& f) {
         f.tick();
         f.match->StartMatch();
     },
     MatchPhase::AutonomousRunning},
};

INSTANTIATE_TEST_SUITE_P(MatchClock, PhaseTransitions, ::testing::ValuesIn(kTransitions));

TEST_F(ClockFixture, BothPeriodsDisabledStartDoesNothingAndShowsNeutralZero)
{
    settings.autonomousEnabled = false;
    settings.teleopEnabled = false;
    startReadyMatch();
    EXPECT_EQ(match->phase(), MatchPhase::Idle);
    tick();
    EXPECT_EQ(view.time, 0);
    EXPECT_EQ(view.style, TimerStyle::Neutral);
}

// --- display values -----------------------------------------------------------

TEST_F(ClockFixture, DisplayValuesFollowThePhase)
{
    settings.autonomousSeconds = 10;
    settings.teleopSeconds = 20;
    settings.warningSeconds = 5;
    teamsPresent();
    build();

    tick();
    EXPECT_EQ(view.time, 10000);
    EXPECT_EQ(view.style, TimerStyle::Autonomous);
    EXPECT_EQ(view.autonomous, PeriodIndicator::Next);
    EXPECT_EQ(view.teleop, PeriodIndicator::Pending);
    EXPECT_EQ(view.endGame, PeriodIndicator::Pending);

    match->StartMatch();
    tick();
    EXPECT_EQ(view.time, 10000) << "the starting tick shows the full length";
    EXPECT_EQ(view.autonomous, PeriodIndicator::Running);

    tick(1000);
    EXPECT_EQ(view.time, 10000 - 1033);
    EXPECT_EQ(view.style, TimerStyle::Autonomous);

    tickUntilPhaseLeaves(MatchPhase::AutonomousRunning);
    ASSERT_EQ(match->phase(), MatchPhase::Waiting);
    tick();
    EXPECT_EQ(view.time, 0) << "the ended period stays at 0 for five seconds";
    EXPECT_EQ(view.style, TimerStyle::Autonomous);
    EXPECT_EQ(view.teleop, PeriodIndicator::Next);

    tick(5000);
    EXPECT_EQ(view.time, 20000);
    EXPECT_EQ(view.style, TimerStyle::Teleop);
    EXPECT_EQ(view.teleop, PeriodIndicator::Next);

    match->StartMatch();
    tick();
    EXPECT_EQ(view.time, 20000);
    EXPECT_EQ(view.style, TimerStyle::Teleop);
    tick(14000);
    EXPECT_EQ(view.style, TimerStyle::Teleop);
    EXPECT_FALSE(match->inEndGame());
    tick(2000);
    EXPECT_EQ(view.style, TimerStyle::EndGame);
    EXPECT_EQ(view.endGame, PeriodIndicator::Running);
    EXPECT_TRUE(match->inEndGame());

    tickUntilPhaseLeaves(MatchPhase::TeleopRunning);
    ASSERT_EQ(match->phase(), MatchPhase::Idle);
    tick();
    EXPECT_EQ(view.time, 0);
    EXPECT_EQ(view.style, TimerStyle::EndGame);
    EXPECT_FALSE(match->inEndGame()) << "an idle tick clears the end game";
    tick(5000);
    EXPECT_EQ(view.time, 10000);
    EXPECT_EQ(view.style, TimerStyle::Autonomous);
}

TEST_F(ClockFixture, PeriodEndsOnEarliestTickAtOrPastItsLength)
{
    startReadyMatch();
    tick(); // AutonomousStarting -> AutonomousRunning, period started at StartMatch
    qint32 lastShown = 0;
    while (match->phase() == MatchPhase::AutonomousRunning) {
        lastShown = view.time;
        tick();
    }
    // The tick that ended the period showed a time in (-one tick, 0].
    EXPECT_LE(view.time, 0);
    EXPECT_GT(view.time, -kTick);
    EXPECT_GT(lastShown, 0);
    EXPECT_EQ(count(190), 1) << "ENDAUTON";
    EXPECT_TRUE(log.lines.contains(QStringLiteral("-1|Match Complete")));
}

// --- the end-game warning -----------------------------------------------------

struct WarningCase {
    int teleopSeconds;
    int warningSeconds;
    bool endOfMatchWarning;
    qint32 tickMs;
    int expectedWarnings;
    bool endGameStyleSeen;
};

class EndGameWarning : public ClockFixture, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(EndGameWarning, SoundsAtMostOncePerPeriod)
{
    const WarningCase c = GetParam();
    settings.autonomousEnabled = false;
    settings.teleopSeconds = c.teleopSeconds;
    settings.warningSeconds = c.warningSeconds;
    settings.endOfMatchWarning = c.endOfMatchWarning;
    startReadyMatch();
    bool sawEndGameStyle = false;
    for (int i = 0; i < 100000 && match->phase() != MatchPhase::MatchOver; ++i) {
        tick(c.tickMs);
        sawEndGameStyle = sawEndGameStyle || view.style == TimerStyle::EndGame;
    }
    ASSERT_EQ(match->phase(), MatchPhase::MatchOver);
    EXPECT_EQ(count(277), c.expectedWarnings);
    EXPECT_EQ(sawEndGameStyle, c.endGameStyleSeen);
    EXPECT_EQ(count(107), 1) << "ENDMATCH once";
}

INSTANTIATE_TEST_SUITE_P(MatchClock, EndGameWarning,
                         ::testing::Values(WarningCase{20, 5, true, 33, 1, true},
                                           WarningCase{20, 5, true, 4000, 1, true},
                                           WarningCase{20, 5, false, 33, 0, false},
                                           WarningCase{20, 20, true, 33, 0, false},
                                           WarningCase{20, 25, true, 33, 0, false},
                                           // A zero-second end game is only the last tick's
                                           // colour; it never sounds at the end.
                                           WarningCase{20, 0, true, 33, 0, true}));

// --- MatchOver and the ways back ------------------------------------------------

TEST_F(ClockFixture, MatchOverHoldsUntilReturnedToIdle)
{
    settings.autonomousEnabled = false;
    startReadyMatch();
    pos(1)->connected = true;
    throughTeleop(*this);
    ASSERT_EQ(match->phase(), MatchPhase::MatchOver);
    EXPECT_TRUE(pos(1)->matchOver);
    EXPECT_FALSE(pos(0)->matchOver);
    EXPECT_EQ(Str(match->modeTextId()), QStringLiteral("Match Over"));
    tick(60000);
    EXPECT_EQ(match->phase(), MatchPhase::MatchOver);
    match->StartMatch();
    EXPECT_EQ(match->phase(), MatchPhase::MatchOver) << "no new match until the field is cleared";
    match->returnToIdle();
    EXPECT_EQ(match->phase(), MatchPhase::Idle);
}

TEST_F(ClockFixture, EndOfMatchMarksCurrentMatchPlayed)
{
    matches.AddMatch(QStringLiteral("12"), 1, {}, {}, {}, {}, {}, {}, {});
    matches.SetCurrentIndex(0);
    settings.autonomousSeconds = 1;
    settings.teleopSeconds = 1;
    startReadyMatch();
    throughAutonomous(*this);
    match->StartMatch();
    throughTeleop(*this);
    EXPECT_EQ(matches.GetMatch(0)->m_nStatus, 1);
    EXPECT_EQ(view.caption, QStringLiteral("Match 12 Complete"));
    EXPECT_EQ(match->matchLogRecord().statusText, QStringLiteral("Played"));
    EXPECT_EQ(match->matchLogRecord().matchName, QStringLiteral("12"));
    EXPECT_EQ(pos(0)->finished, 1);
}

TEST_F(ClockFixture, StopMatchHaltsCurrentMatchAndFinishesStats)
{
    matches.AddMatch(QStringLiteral("3"), 1, {}, {}, {}, {}, {}, {}, {});
    matches.SetCurrentIndex(0);
    startReadyMatch();
    tick();
    match->StopMatch();
    EXPECT_EQ(matches.GetMatch(0)->m_nStatus, 2);
    EXPECT_EQ(match->matchLogRecord().statusText, QStringLiteral("Halted"));
    EXPECT_EQ(count(108), 1) << "FOGHORN";
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(pos(t)->finished, 1);
        EXPECT_GE(pos(t)->stopRequests, 1);
    }
}

TEST_F(ClockFixture, WithoutCurrentMatchTheEndShowsMatchComplete)
{
    settings.autonomousSeconds = 1;
    settings.teleopEnabled = false;
    startReadyMatch();
    throughAutonomous(*this);
    EXPECT_EQ(view.caption, QStringLiteral("Match Complete"));
}

// --- E-Stop ---------------------------------------------------------------------

TEST_F(ClockFixture, EStoppingTheLastRunningRobotStopsTheMatch)
{
    startReadyMatch();
    pos(0)->connected = true;
    pos(3)->connected = true;
    tick();
    match->HaltPosition(0);
    EXPECT_EQ(match->phase(), MatchPhase::AutonomousRunning);
    EXPECT_TRUE(pos(0)->halted);
    match->HaltPosition(3);
    EXPECT_EQ(match->phase(), MatchPhase::Idle);
    EXPECT_EQ(count(108), 1);
    EXPECT_FALSE(pos(0)->halted) << "Stop Match clears the E-Stops";
}

TEST_F(ClockFixture, HaltedRobotGetsStopFlagAndRunsAgainInTeleop)
{
    startReadyMatch();
    pos(0)->connected = true;
    pos(1)->connected = true;
    tick();
    match->HaltPosition(1);
    pos(1)->messages.clear();
    pos(0)->messages.clear();
    tick();
    ASSERT_EQ(pos(1)->messages.size(), 1u);
    EXPECT_EQ(pos(1)->messages[0].stopFlag, 1);
    EXPECT_EQ(pos(0)->messages[0].stopFlag, 0);
    EXPECT_EQ(pos(0)->messages[0].autonomousFlag, 1);

    throughAutonomous(*this);
    EXPECT_FALSE(pos(1)->halted) << "autonomous E-Stops are lifted for tele-op";
}

TEST_F(ClockFixture, ControlMessagesCarryModeAndStopFlags)
{
    startReadyMatch();
    tick(); // starting tick: stop flag 1
    ASSERT_EQ(pos(2)->messages.size(), 1u);
    EXPECT_EQ(pos(2)->messages[0].stopFlag, 1);
    EXPECT_EQ(pos(2)->messages[0].autonomousFlag, 1);
    tick();
    EXPECT_EQ(pos(2)->messages.back().stopFlag, 0);
    EXPECT_FALSE(pos(2)->messages.back().withJoysticks) << "autonomous never carries sticks";

    throughAutonomous(*this);
    match->StartMatch();
    tick();
    EXPECT_EQ(pos(2)->messages.back().autonomousFlag, 0);
    EXPECT_EQ(pos(2)->messages.back().stopFlag, 1);
}

TEST_F(ClockFixture, AutoEStopOnlyAfter121SecondsOfSilence)
{
    settings.autonomousEnabled = false;
    settings.teleopSeconds = 300;
    teamsPresent();
    build();
    pos(0)->connected = true;
    pos(1)->connected = true;
    tick();
    match->StartMatch(); // connectedAtTeleopStart is taken here
    tick();
    ASSERT_TRUE(pos(0)->connectedAtTeleopStart);
    pos(0)->connected = false; // the link drops; nothing more is heard

    // The period started 33 ms ago; silence is counted from then.
    for (int i = 0; i < 1200; ++i) {
        tick(100);
        ASSERT_FALSE(pos(0)->halted) << "halted early after " << (i + 1) * 100 << " ms";
    }
    EXPECT_GE(pos(0)->connectCalls, 105) << "reconnect tried about once a second";
    EXPECT_LE(pos(0)->connectCalls, 121);
    EXPECT_EQ(pos(0)->reconnects, pos(0)->connectCalls);
    tick(967); // exactly 121 s of silence: not yet
    EXPECT_FALSE(pos(0)->halted);
    tick(1);
    EXPECT_TRUE(pos(0)->halted);
    EXPECT_TRUE(pos(0)->notes.contains(QStringLiteral("Auto E-Stop - ")));
    EXPECT_TRUE(log.lines.contains(QStringLiteral("0|Auto E-Stop")));
    EXPECT_EQ(match->phase(), MatchPhase::TeleopRunning) << "position 1 still runs";
    EXPECT_FALSE(pos(1)->halted);
}

// --- Start Match ------------------------------------------------------------------

TEST_F(ClockFixture, StartWithNoTeamsAsksAndCancelLeavesIdle)
{
    build();
    tick();
    prompt.answers = {Prompt::Answer::Cancel};
    match->StartMatch();
    EXPECT_EQ(match->phase(), MatchPhase::Idle);
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_EQ(prompt.asked[0], QStringLiteral("No Teams defined.  Ok to start?"));
    prompt.answers = {Prompt::Answer::Ok};
    match->StartMatch();
    EXPECT_EQ(match->phase(), MatchPhase::AutonomousStarting);
}

TEST_F(ClockFixture, StatusSummaryAndItsLogLines)
{
    teamsPresent();
    pos(2)->statusLevel = 2;
    build();
    tick();
    EXPECT_EQ(match->TeamStatusSummary(), 2);
    pos(1)->statusLevel = 1;
    pos(1)->statusText = QStringLiteral("Broken");
    tick();
    EXPECT_EQ(match->TeamStatusSummary(), 1);
    match->StartMatch();
    EXPECT_TRUE(log.lines.contains(QStringLiteral("-1|Some Teams had Errors")));
    EXPECT_TRUE(view.statusShown.contains(QStringLiteral("1:1:Broken")));
}

TEST_F(ClockFixture, EditedTeamsAreRecordedOnlyWhenEdited)
{
    matches.AddMatch(QStringLiteral("5"), 1, QStringLiteral("0001"), QStringLiteral("0002"), {},
                     QStringLiteral("0003"), QStringLiteral("0004"), {}, {});
    matches.SetCurrentIndex(0);
    startReadyMatch();
    EXPECT_EQ(view.captionRefreshes, 0);
    match->StopMatch();

    view.edited = true;
    view.editedNumbers = {QStringLiteral("0001"), QStringLiteral("0009"), QStringLiteral("0003"),
                          QStringLiteral("0004")};
    match->StartMatch();
    EXPECT_EQ(view.captionRefreshes, 1);
    EXPECT_TRUE(log.lines.contains(QStringLiteral("-1|Modified match: 0001,0009 vs 0003,0004")));
}

TEST_F(ClockFixture, StartLogsLengthsAndFillsTheRecord)
{
    settings.teleopSeconds = 125;
    startReadyMatch();
    EXPECT_TRUE(log.lines.contains(QStringLiteral("-1|Start Match Requested")));
    EXPECT_TRUE(log.lines.contains(QStringLiteral("-1|Teleop: 02:05")));
    EXPECT_TRUE(log.lines.contains(QStringLiteral("-1|Autonomous: 00:30")));
    EXPECT_EQ(match->matchLogRecord().teleopText, QStringLiteral("02:05"));
    EXPECT_EQ(match->matchLogRecord().startTime, wall.now().toSecsSinceEpoch());
    EXPECT_EQ(count(105), 1) << "CHARGE";
    EXPECT_EQ(pos(0)->statsState, 1);
}

TEST_F(ClockFixture, TeleopCueDependsOnAutonomous)
{
    startReadyMatch();
    throughAutonomous(*this);
    match->StartMatch();
    EXPECT_EQ(count(106), 1) << "3BELLS after an autonomous period";
}

TEST_F(ClockFixture, ModeTextsAndColoursByPhase)
{
    startReadyMatch();
    EXPECT_EQ(Str(match->modeTextId()), QStringLiteral("Autonomous"));
    EXPECT_EQ(match->modeColourRole(), 3);
    throughAutonomous(*this);
    EXPECT_EQ(Str(match->modeTextId()), QStringLiteral("Waiting"));
    EXPECT_EQ(match->modeColourRole(), 2);
    match->StartMatch();
    EXPECT_EQ(Str(match->modeTextId()), QStringLiteral("Teleop"));
}

} // namespace
