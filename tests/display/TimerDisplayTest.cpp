#include "fcs/controls/FrameControlButton.h"
#include "fcs/controls/TeamLabel.h"
#include "fcs/controls/TeamLogo.h"
#include "fcs/display/DigitTimer.h"
#include "fcs/display/FontFitting.h"
#include "fcs/display/PictureBox.h"
#include "fcs/display/TimerDisplay.h"
#include "tests/support/CountingPrompt.h"
#include "tests/support/ProgramFolder.h"

#include <QApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class TimerDisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        display.SetStatusColours(0x3C3CFF, 0x00FFFF);
        display.Create(false, QRect(100, 100, 1280, 720));
    }
    GeneratedPictures pictures;
    PictureFailures failures;
    CTimerDisplay display;
};

TEST_F(TimerDisplayTest, AllPicturesLoadWithoutMessages)
{
    EXPECT_TRUE(failures.prompt.asked.isEmpty()) << failures.prompt.asked.join(u'\n').toStdString();
    EXPECT_EQ(display.windowTitle(), QStringLiteral("Timer"));
    EXPECT_EQ(display.minimumSize(), QSize(800, 550));
}

TEST_F(TimerDisplayTest, PeriodPictureFollowsTheIndicators)
{
    using P = PeriodIndicator;
    struct Case {
        P endGame, teleop, autonomous;
        int state;
    };
    const Case cases[] = {
        {P::Pending, P::Pending, P::Pending, 0},  {P::Pending, P::Pending, P::Running, 1},
        {P::Pending, P::Running, P::Pending, 2},  {P::Running, P::Running, P::Pending, 3},
        {P::Disabled, P::Next, P::Disabled, 0},   {P::Pending, P::Next, P::Running, 1},
    };
    for (const Case& c : cases) {
        display.SetIndicators(c.endGame, c.teleop, c.autonomous);
        EXPECT_EQ(display.periodBox()->GetState(), c.state);
    }
}

TEST_F(TimerDisplayTest, TeamStatusSetsColoursBatteryAndWifi)
{
    struct Case {
        int level, battery, wifi;
        int batteryState, wifiState;
        QColor back, text;
    };
    const QColor error(0xFF, 0x3C, 0x3C);
    const QColor caution(0xFF, 0xFF, 0x00);
    const Case cases[] = {
        {3, 3, 0, 1, 1, Qt::black, Qt::white},  // good: BattOK, WifiOk
        {3, 3, 1, 4, 2, Qt::black, Qt::white},  // good but link failed: BattUnk, WifiErr
        {3, 3, 2, 4, 3, Qt::black, Qt::white},  // frozen link
        {2, 2, 0, 2, 1, caution, Qt::black},    // warning
        {1, 1, 0, 3, 1, error, Qt::black},      // error
        {0, 3, 0, 0, 2, Qt::black, Qt::white},  // no level: battery none, Wi-Fi as failed
        {3, 0, 0, 0, 1, Qt::black, Qt::white},
    };
    for (const Case& c : cases) {
        for (int slot = 0; slot < 4; ++slot) {
            display.SetTeamStatus(slot, c.level, c.battery, c.wifi);
            SCOPED_TRACE(testing::Message() << "level " << c.level << " battery " << c.battery << " wifi " << c.wifi);
            EXPECT_EQ(display.batteryBox(slot)->GetState(), c.batteryState);
            EXPECT_EQ(display.wifiBox(slot)->GetState(), c.wifiState);
            EXPECT_EQ(display.nameLabel(slot)->backColour(), c.back);
            EXPECT_EQ(display.nameLabel(slot)->textColour(), c.text);
        }
    }
    // Unknown Wi-Fi and battery values leave the pictures alone.
    display.SetTeamStatus(0, 3, 2, 0);
    display.SetTeamStatus(0, 3, 7, 9);
    EXPECT_EQ(display.batteryBox(0)->GetState(), 2);
    EXPECT_EQ(display.wifiBox(0)->GetState(), 1);
    display.SetTeamStatus(4, 1, 1, 1); // no such slot
    display.SetTeamStatus(-1, 1, 1, 1);
}

TEST_F(TimerDisplayTest, JoystickIconsByDriverPosition)
{
    for (int p = 0; p < 8; ++p)
        display.SetJoystickIcon(p, p % 4);
    for (int p = 0; p < 8; ++p)
        EXPECT_EQ(display.joystickBox(p)->GetState(), p % 4) << p;
    display.SetJoystickIcon(8, 1);
    display.SetJoystickIcon(-1, 1);
    EXPECT_EQ(display.joystickBox(0)->GetState(), 0);
    // Driver 1 and driver 2 pictures differ; blank and error are shared.
    EXPECT_FALSE(display.joystickBox(0)->picture(0).isEmpty());
    EXPECT_EQ(display.joystickBox(0)->picture(2).GetSize(), display.joystickBox(1)->picture(2).GetSize());
}

TEST_F(TimerDisplayTest, TeamNamesFromBrickNames)
{
    struct Case {
        const char* brick;
        const char* shown;
    };
    const Case cases[] = {{"NXT7", "   7"}, {"JRV12345", "12345"}, {"nxt42", "  42"}, {"Robo", "Robo"},
                          {"NXT", ""},     {"", ""}};
    for (const Case& c : cases) {
        const DisplayTeam team{QString::fromLatin1(c.brick), false};
        display.SetTeam(1, &team);
        EXPECT_EQ(display.nameLabel(1)->text(), QString::fromLatin1(c.shown)) << c.brick;
    }
    const DisplayTeam team{QStringLiteral("JRV12345"), false};
    display.SetTeam(2, &team);
    EXPECT_TRUE(display.logo(2)->hasLogo()); // the default team icon
    EXPECT_FALSE(display.logo(2)->isVisible());
    display.SetTeam(2, nullptr);
    EXPECT_EQ(display.nameLabel(2)->text(), QString());
    EXPECT_FALSE(display.logo(2)->hasLogo());
    EXPECT_EQ(CTimerDisplay::LogoKey(QStringLiteral("JRV12345")), QStringLiteral("1234"));
    EXPECT_EQ(CTimerDisplay::LogoKey(QStringLiteral("Robot9")), QStringLiteral("Robo"));
}

TEST_F(TimerDisplayTest, OwnLogoMissingLeavesTheSlotWithoutLogo)
{
    QTemporaryDir logos;
    display.SetLogoFolder(logos.path());
    const DisplayTeam team{QStringLiteral("NXT1234"), true};
    display.SetTeam(0, &team);
    EXPECT_FALSE(display.logo(0)->hasLogo());
    EXPECT_EQ(display.nameLabel(0)->text(), QStringLiteral("1234"));
}

bool textInside(const CTeamLabel* label)
{
    const QSizeF size = FontFitting::TextSize(label->font(), label->text());
    return size.width() <= label->contentsRect().width() && size.height() <= label->contentsRect().height();
}

TEST_F(TimerDisplayTest, LongNamesShrinkAllFourTogetherAndStayInside)
{
    const DisplayTeam shortName{QStringLiteral("NXT7"), false};
    for (int slot = 0; slot < 4; ++slot)
        display.SetTeam(slot, &shortName);
    const double before = display.nameLabel(0)->font().pointSizeF();
    const DisplayTeam longName{QStringLiteral("JRVWWWWWWWWWWWWWWWWWWWW"), false};
    display.SetTeam(3, &longName);
    const double after = display.nameLabel(0)->font().pointSizeF();
    EXPECT_LT(after, before);
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(display.nameLabel(slot)->font().pointSizeF(), after);
        EXPECT_TRUE(textInside(display.nameLabel(slot))) << slot;
    }
    EXPECT_LE(before, 24.0);
}

TEST_F(TimerDisplayTest, MatchTextAndPromptFitTheirLabels)
{
    display.SetMatchText(QStringLiteral("No Active Match"));
    EXPECT_TRUE(textInside(display.matchLabel()));
    EXPECT_LE(display.matchLabel()->font().pointSizeF(), 24.0);

    display.ShowPrompt(443);
    EXPECT_FALSE(display.clock()->isVisible());
    EXPECT_TRUE(display.promptLabel()->isVisible());
    EXPECT_EQ(display.promptLabel()->text(), QStringLiteral("All Joysticks\nConfigured"));
    EXPECT_TRUE(textInside(display.promptLabel()));
    display.ShowPrompt(-1);
    EXPECT_TRUE(display.clock()->isVisible());
    EXPECT_FALSE(display.promptLabel()->isVisible());

    // A smaller window refits both.
    const double big = display.matchLabel()->font().pointSizeF();
    display.resize(800, 550);
    QApplication::processEvents();
    EXPECT_TRUE(textInside(display.matchLabel()));
    EXPECT_LE(display.matchLabel()->font().pointSizeF(), big);
}

TEST_F(TimerDisplayTest, PanelsKeepTheirCornersAndPictureSizes)
{
    for (const QSize size : {QSize(800, 550), QSize(1920, 1080), QSize(1280, 720)}) {
        display.resize(size);
        QApplication::processEvents();
        SCOPED_TRACE(size.width());
        const QSize joystick = display.joystickBox(0)->picture(0).GetSize();
        // Blue 2 top left, Red 2 top right, Blue 1 bottom left, Red 1 bottom right.
        EXPECT_EQ(display.joystickBox(6)->geometry().topLeft(), QPoint(8, 8));
        EXPECT_EQ(display.wifiBox(1)->geometry().right(), size.width() - 9);
        EXPECT_EQ(display.nameLabel(2)->geometry().bottom(), size.height() - 9);
        EXPECT_EQ(display.wifiBox(0)->geometry().right(), size.width() - 9);
        EXPECT_EQ(display.joystickBox(0)->size(), joystick);
        EXPECT_EQ(display.nameLabel(0)->width(), 2 * joystick.width());
        // Red 1's name sits under its driver 1 joystick.
        EXPECT_EQ(display.nameLabel(0)->geometry().left(), display.joystickBox(0)->geometry().left());
        EXPECT_EQ(display.nameLabel(0)->geometry().top(), display.joystickBox(0)->geometry().bottom() + 1);
        // Clock and prompt share the middle; the period picture is centred at the bottom.
        EXPECT_EQ(display.clock()->geometry(), display.promptLabel()->geometry());
        EXPECT_EQ(display.clock()->geometry(), QRect(8, 142, size.width() - 16, size.height() - 284));
        EXPECT_EQ(display.periodBox()->geometry().bottom(), size.height() - 9);
        EXPECT_EQ(display.periodBox()->size(), display.periodBox()->picture(0).GetSize());
        EXPECT_GT(display.clock()->layout().digitWidth(), 0);
        // Nothing of the clock's digits runs into the corner panels.
        const QRect digits = display.clock()->layout().digits[0].translated(display.clock()->pos());
        EXPECT_GT(digits.top(), display.batteryBox(3)->geometry().bottom());
        EXPECT_LT(digits.bottom(), display.batteryBox(2)->geometry().top());
    }
}

TEST_F(TimerDisplayTest, BackgroundIsBlack)
{
    display.resize(800, 550);
    QApplication::processEvents();
    const QImage image = display.grab().toImage();
    EXPECT_EQ(image.pixelColor(400, 130), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(3, 300), QColor(Qt::black));
}

TEST(TimerDisplayCreate, FullScreenIsBorderlessWithCornerButtons)
{
    GeneratedPictures pictures;
    CTimerDisplay display;
    display.Create(true, QRect(1920, 0, 1280, 1024));
    EXPECT_TRUE(display.isFullScreenDisplay());
    EXPECT_TRUE(display.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(display.geometry(), QRect(1920, 0, 1280, 1024));
    ASSERT_TRUE(display.closeButton()->isVisible());
    ASSERT_TRUE(display.restoreButton()->isVisible());
    EXPECT_EQ(display.restoreButton()->glyph(), CFrameControlButton::Glyph::Restore);
    EXPECT_EQ(display.closeButton()->geometry().topRight(), QPoint(1279, 0));
    EXPECT_EQ(display.restoreButton()->geometry().right() + 1, display.closeButton()->geometry().left());

    QSignalSpy requests(&display, &CTimerDisplay::displayRequest);
    display.closeButton()->click();
    display.restoreButton()->click();
    EXPECT_EQ(requests.count(), 0); // queued
    QApplication::processEvents();
    ASSERT_EQ(requests.count(), 2);
    EXPECT_EQ(requests[0][0].toInt(), 1);
    EXPECT_EQ(requests[1][0].toInt(), 2);
}

TEST(TimerDisplayCreate, WindowedHasNoCornerButtons)
{
    GeneratedPictures pictures;
    CTimerDisplay display;
    display.Create(false, QRect());
    EXPECT_FALSE(display.isFullScreenDisplay());
    EXPECT_FALSE(display.closeButton()->isVisible());
    EXPECT_FALSE(display.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_GE(display.width(), 800);
    EXPECT_GE(display.height(), 550);
}

}
