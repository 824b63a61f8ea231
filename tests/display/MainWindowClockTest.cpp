// The main window's small clock and its forwarding to the audience display.

#include "fcs/app/Competition.h"
#include "fcs/app/TervoFCSApp.h"
#include "fcs/display/DigitTimer.h"
#include "fcs/display/PictureBox.h"
#include "fcs/display/TimerDisplay.h"
#include "fcs/display/TimerDisplayHost.h"
#include "tests/support/FakeClock.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

struct MainWindowClockTest : ::testing::Test {
    GeneratedPictures pictures;
    TempFolders temp;
    FakeClock clock;
    FixedWallClock wall;
    MemorySettingsStore store;
    RecordingSound sound;
    ScriptedPrompt prompt;
    CTervoFCSApp app{CTervoFCSApp::Platform{clock, wall, store, sound, prompt, temp.folders(), "FIELD1"}};
};

TEST_F(MainWindowClockTest, SmallClockShowsTheTimeAndForwardsToTheOpenDisplay)
{
    CCompetition window(app);
    auto* small = qobject_cast<CTinyTimer*>(window.control(162));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->accessibleDescription(), QStringLiteral("Match timer"));

    window.showTime(90000, TimerStyle::Autonomous);
    EXPECT_EQ(small->ShownText(), QStringLiteral("01:30"));
    EXPECT_EQ(small->accessibleName(), QStringLiteral("01:30"));
    EXPECT_EQ(small->style(), TimerStyle::Autonomous);
    EXPECT_EQ(window.timerDisplay(), nullptr);

    window.displayHost().ToggleButton(); // one screen offscreen: a window
    CTimerDisplay* display = window.timerDisplay();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(window.displayHost().ButtonText(), QStringLiteral("Close Timer"));
    window.showTime(12345, TimerStyle::EndGame);
    window.showIndicators(PeriodIndicator::Running, PeriodIndicator::Running, PeriodIndicator::Pending);
    window.showJoystickIcon(5, 0, 3);
    window.showTeamStatus(2, 1, QStringLiteral("Error"), 1, 1);
    EXPECT_EQ(display->clock()->ShownText(), QStringLiteral("00:13"));
    EXPECT_EQ(display->clock()->style(), TimerStyle::EndGame);
    EXPECT_EQ(display->periodBox()->GetState(), 3);
    EXPECT_EQ(display->joystickBox(5)->GetState(), 3);
    EXPECT_EQ(display->batteryBox(2)->GetState(), 3);
    EXPECT_EQ(display->wifiBox(2)->GetState(), 2);
    EXPECT_TRUE(prompt.asked.isEmpty()) << prompt.asked.join(u'\n').toStdString();
}

}
