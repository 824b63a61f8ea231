// The audience display and the small clock driven by the real match clock,
// tick by tick, as the main window forwards them.

#include "fcs/app/MatchClock.h"
#include "fcs/app/MatchClockView.h"
#include "fcs/display/DigitTimer.h"
#include "fcs/display/PictureBox.h"
#include "fcs/display/TimerDisplay.h"
#include "fcs/schedule/MatchArray.h"
#include "tests/app/FakePosition.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Forwards like the main window: the small clock always, the display while open.
class ForwardingView : public MatchClockView {
public:
    ForwardingView(CTinyTimer& small, CTimerDisplay& display) : m_small(small), m_display(display) {}
    void showTime(qint32 ms, TimerStyle style) override
    {
        m_small.SetTime(ms);
        m_small.SetStyle(style);
        m_display.SetTime(ms);
        m_display.SetStyle(style);
    }
    void showIndicators(PeriodIndicator endGame, PeriodIndicator teleop, PeriodIndicator autonomous) override
    {
        m_display.SetIndicators(endGame, teleop, autonomous);
    }
    void showJoystickIcon(int position, int, int displayState) override
    {
        m_display.SetJoystickIcon(position, displayState);
    }
    void showTeamStatus(int position, int level, const QString&, int battery, int link) override
    {
        m_display.SetTeamStatus(position, level, battery, link);
    }
    void showMatchCaption(const QString&) override {}
    bool takeEditedTeamNumbers(std::array<QString, 4>&) override { return false; }
    void refreshMatchCaptions() override {}

private:
    CTinyTimer& m_small;
    CTimerDisplay& m_display;
};

class DisplayFollowsClockTest : public ::testing::Test {
protected:
    DisplayFollowsClockTest() : view(small, display)
    {
        display.Create(false, QRect(0, 0, 800, 550));
        for (int t = 0; t < 4; ++t) {
            positions[static_cast<size_t>(t)] = std::make_unique<FakePosition>(clock, log, t);
            positions[static_cast<size_t>(t)]->statusLevel = 3;
        }
        MatchSettings settings;
        settings.autonomousSeconds = 5;
        settings.teleopSeconds = 10;
        settings.warningSeconds = 3;
        settings.pauseBetweenPeriods = false;
        MatchClock::Services services{clock, wallClock, log, prompt, matches, view,
                                      {positions[0].get(), positions[1].get(), positions[2].get(), positions[3].get()},
                                      nullptr, nullptr, [](int) {}, {}, [] { return false; }, {}, {}};
        matchClock = std::make_unique<MatchClock>(std::move(services), settings);
    }

    void tick(int ms = 33)
    {
        clock.advance(ms);
        matchClock->OnTick();
    }

    GeneratedPictures pictures;
    FakeClock clock;
    FixedWallClock wallClock;
    RecordingLog log;
    ScriptedPrompt prompt;
    CMatchArray matches;
    CTinyTimer small;
    CTimerDisplay display;
    ForwardingView view;
    std::array<std::unique_ptr<FakePosition>, 4> positions;
    std::unique_ptr<MatchClock> matchClock;
};

TEST_F(DisplayFollowsClockTest, EveryTickReachesTheClocksAndThePeriodPicture)
{
    tick();
    EXPECT_EQ(display.clock()->ShownText(), QStringLiteral("00:05")); // the autonomous length, next
    EXPECT_EQ(display.clock()->style(), TimerStyle::Autonomous);
    EXPECT_EQ(display.periodBox()->GetState(), 0);

    prompt.answers = {Prompt::Answer::Ok};
    matchClock->StartMatch();
    tick();
    EXPECT_EQ(display.periodBox()->GetState(), 1);
    QString lastShown = display.clock()->ShownText();
    int secondsSeen = 0;
    // Through the autonomous period: the shown seconds count down one by one.
    for (int i = 0; i < 200 && matchClock->phase() != MatchPhase::TeleopRunning; ++i) {
        tick();
        EXPECT_EQ(small.ShownText(), display.clock()->ShownText());
        if (display.clock()->ShownText() != lastShown) {
            ++secondsSeen;
            lastShown = display.clock()->ShownText();
        }
    }
    EXPECT_GE(secondsSeen, 5);
    ASSERT_EQ(matchClock->phase(), MatchPhase::TeleopRunning);
    tick();
    EXPECT_EQ(display.clock()->style(), TimerStyle::Teleop);
    EXPECT_EQ(display.periodBox()->GetState(), 2);
    // Status refreshes reach the team panels: a good battery, shown by the link state.
    EXPECT_EQ(display.batteryBox(0)->GetState(), positions[0]->GetLinkState() == 0 ? 1 : 4);

    // Into the end game: red digits and the end-game picture.
    for (int i = 0; i < 400 && display.clock()->style() != TimerStyle::EndGame; ++i)
        tick();
    EXPECT_EQ(display.clock()->style(), TimerStyle::EndGame);
    EXPECT_EQ(small.style(), TimerStyle::EndGame);
    EXPECT_EQ(display.periodBox()->GetState(), 3);
    EXPECT_EQ(display.clock()->ShownText(), QStringLiteral("00:03"));

    for (int i = 0; i < 400 && matchClock->phase() != MatchPhase::Idle; ++i)
        tick();
    tick();
    EXPECT_EQ(display.clock()->ShownText(), QStringLiteral("00:00"));
    EXPECT_EQ(display.periodBox()->GetState(), 0);
}

}
