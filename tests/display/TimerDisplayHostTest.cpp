#include "fcs/controls/FrameControlButton.h"
#include "fcs/display/ScreenList.h"
#include "fcs/display/TimerDisplayHost.h"
#include "tests/support/ProgramFolder.h"

#include <QApplication>
#include <QCloseEvent>
#include <gtest/gtest.h>

namespace {

class FakeScreens : public ScreenList {
public:
    QList<Screen> Screens() const override { return screens; }
    QList<Screen> screens;
};

const QRect kPrimary(0, 0, 1920, 1080);
const QRect kSecondary(1920, 0, 1280, 1024);

class TimerDisplayHostTest : public ::testing::Test {
protected:
    TimerDisplayHostTest()
        : host(&owner, screens, [this](CTimerDisplay&) { ++fills; })
    {
    }
    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    using State = CTimerDisplayHost::State;

    GeneratedPictures pictures;
    QWidget owner;
    FakeScreens screens;
    int fills = 0;
    CTimerDisplayHost host;
};

TEST_F(TimerDisplayHostTest, TwoScreensOpenFullScreenOnTheSecondary)
{
    screens.screens = {{kPrimary, true}, {kSecondary, false}};
    EXPECT_EQ(host.ButtonText(), QStringLiteral("Timer Display"));
    host.ToggleButton();
    ASSERT_EQ(host.state(), State::FullScreen);
    EXPECT_EQ(host.display()->geometry(), kSecondary);
    EXPECT_EQ(host.ButtonText(), QStringLiteral("Close Timer"));
    EXPECT_EQ(fills, 1);
    host.ToggleButton();
    EXPECT_EQ(host.state(), State::None);
    EXPECT_EQ(host.display(), nullptr);
    EXPECT_EQ(host.ButtonText(), QStringLiteral("Timer Display"));
}

TEST_F(TimerDisplayHostTest, SecondaryFirstInTheListIsChosen)
{
    screens.screens = {{kSecondary, false}, {kPrimary, true}, {QRect(3200, 0, 800, 600), false}};
    host.OpenOnSecondaryScreen();
    ASSERT_EQ(host.state(), State::FullScreen);
    EXPECT_EQ(host.display()->geometry(), kSecondary);
}

TEST_F(TimerDisplayHostTest, OneScreenOpensAWindowThatMaximisesAndRestores)
{
    screens.screens = {{kPrimary, true}};
    host.OpenOnSecondaryScreen();
    EXPECT_EQ(host.state(), State::None); // no secondary monitor at start-up
    host.ToggleButton();
    ASSERT_EQ(host.state(), State::WindowedVisible);
    const QRect place(200, 150, 1000, 700);
    host.display()->setGeometry(place);
    EXPECT_EQ(host.display()->windowTitle(), QStringLiteral("Timer"));

    host.display()->showMaximized();
    settle();
    ASSERT_EQ(host.state(), State::FullScreen);
    EXPECT_EQ(host.display()->geometry(), kPrimary);
    EXPECT_EQ(host.rememberedRect(), place);
    EXPECT_EQ(fills, 2);

    host.display()->restoreButton()->click();
    settle();
    ASSERT_EQ(host.state(), State::WindowedVisible);
    EXPECT_EQ(host.display()->geometry(), place);
    EXPECT_EQ(host.ButtonText(), QStringLiteral("Close Timer"));

    host.display()->showMaximized();
    settle();
    ASSERT_EQ(host.state(), State::FullScreen);
    host.display()->closeButton()->click();
    settle();
    EXPECT_EQ(host.state(), State::None);
    EXPECT_TRUE(host.rememberedRect().isNull());
    EXPECT_EQ(host.ButtonText(), QStringLiteral("Timer Display"));
}

TEST_F(TimerDisplayHostTest, MaximisedWindowGoesToTheMonitorItOverlapsMost)
{
    screens.screens = {{kPrimary, true}};
    host.ToggleButton();
    screens.screens = {{kPrimary, true}, {kSecondary, false}}; // plugged in meanwhile
    host.display()->setGeometry(QRect(1700, 100, 1000, 600));  // mostly on the secondary
    host.display()->showMaximized();
    settle();
    ASSERT_EQ(host.state(), State::FullScreen);
    EXPECT_EQ(host.display()->geometry(), kSecondary);
}

TEST_F(TimerDisplayHostTest, CloseBoxOnlyHidesTheWindow)
{
    screens.screens = {{kPrimary, true}};
    host.ToggleButton();
    CTimerDisplay* display = host.display();
    display->close();
    settle();
    EXPECT_EQ(host.state(), State::WindowedHidden);
    EXPECT_EQ(host.display(), display);
    EXPECT_EQ(host.ButtonText(), QStringLiteral("Timer Display"));
    // A hidden display keeps its values.
    display->SetTime(42000);
    host.ToggleButton();
    EXPECT_EQ(host.state(), State::WindowedVisible);
    EXPECT_EQ(host.display(), display);
    EXPECT_EQ(host.ButtonText(), QStringLiteral("Close Timer"));
    EXPECT_EQ(fills, 1);
    host.ToggleButton();
    EXPECT_EQ(host.state(), State::WindowedHidden);
}

TEST(ScreenChoice, LargestOverlapAndTies)
{
    const QList<ScreenList::Screen> screens = {{{0, 0, 100, 100}, true}, {{100, 0, 100, 100}, false}};
    EXPECT_EQ(FirstSecondaryScreen(screens), 1);
    EXPECT_EQ(LargestOverlapScreen(screens, {50, 0, 100, 100}), 0);  // a tie: the earlier
    EXPECT_EQ(LargestOverlapScreen(screens, {80, 0, 100, 100}), 1);
    EXPECT_EQ(LargestOverlapScreen(screens, {500, 500, 10, 10}), -1);
    EXPECT_EQ(FirstSecondaryScreen({{{0, 0, 100, 100}, true}}), -1);
}

}
