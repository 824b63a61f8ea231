#include "fcs/display/DigitTimer.h"
#include "fcs/display/TimerLayout.h"
#include "tests/support/ProgramFolder.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(DigitTimerTime, ShowsWholeSecondsRoundedUp)
{
    GeneratedPictures pictures;
    CTinyTimer timer;
    struct Case {
        qint32 ms;
        const char* shown;
    };
    const Case cases[] = {
        {0, "00:00"},       {1, "00:01"},       {1000, "00:01"},      {1001, "00:02"},
        {-500, "00:00"},    {-1001, "00:00"},   {90000, "01:30"},     {3599000, "59:59"},
        {600000, "10:00"},  {599001, "10:00"},  {29999, "00:30"},
    };
    for (const Case& c : cases) {
        timer.SetTime(c.ms);
        EXPECT_EQ(timer.ShownText(), QString::fromLatin1(c.shown)) << c.ms;
    }
}

TEST(DigitTimerTime, BlankForgetsTheShownSeconds)
{
    GeneratedPictures pictures;
    CTinyTimer timer;
    EXPECT_EQ(timer.shownSeconds(), -1); // blank after construction
    timer.SetTime(65000);
    const int repaints = timer.repaintRequests();
    timer.SetTime(-1);
    EXPECT_EQ(timer.digits(), (std::array<int, 4>{10, 10, 10, 10}));
    EXPECT_EQ(timer.ShownText(), QString());
    EXPECT_EQ(timer.repaintRequests(), repaints); // the blank shows at the next repaint
    timer.SetTime(65000);
    EXPECT_EQ(timer.ShownText(), QStringLiteral("01:05"));
    EXPECT_EQ(timer.repaintRequests(), repaints + 1);
}

TEST(DigitTimerTime, RepaintsOnlyWhenTheShownSecondsChange)
{
    GeneratedPictures pictures;
    CLargeTimer timer;
    timer.SetTime(30000);
    const int repaints = timer.repaintRequests();
    for (qint32 ms = 29999; ms > 29000; ms -= 33)
        timer.SetTime(ms);
    EXPECT_EQ(timer.repaintRequests(), repaints);
    timer.SetTime(29000);
    EXPECT_EQ(timer.repaintRequests(), repaints + 1);
    EXPECT_EQ(timer.ShownText(), QStringLiteral("00:29"));
}

TEST(DigitTimerStyle, SameStyleDoesNothingNewStyleRepaints)
{
    GeneratedPictures pictures;
    CTinyTimer timer;
    EXPECT_EQ(timer.style(), TimerStyle::Neutral);
    const int repaints = timer.repaintRequests();
    EXPECT_EQ(timer.SetStyle(TimerStyle::Neutral), TimerStyle::Neutral);
    EXPECT_EQ(timer.repaintRequests(), repaints);
    EXPECT_EQ(timer.SetStyle(TimerStyle::Teleop), TimerStyle::Neutral);
    EXPECT_EQ(timer.style(), TimerStyle::Teleop);
    EXPECT_EQ(timer.repaintRequests(), repaints + 1);
}

TEST(LargeTimerLayout, FillsTheHeightOrTheWidthWhicheverIsTighter)
{
    // Digit 160 x 260, colon 60 x 260: natural group width 740.
    struct Case {
        QRect client;
        int left, top, w, h, cw, gap;
    };
    const Case cases[] = {
        // Height-limited: 0.95 * 301 / 260 scales to 285 high, group 800 wide fits in 1900.
        {{0, 0, 2000, 301}, 596, 8, 175, 285, 65, 10},
        // Width-limited: the group is cut down to 95 % of 800.
        {{0, 0, 800, 301}, 21, 17, 164, 267, 61, 10},
        // Client offset is kept.
        {{10, 20, 800, 301}, 31, 37, 164, 267, 61, 10},
    };
    for (const Case& c : cases) {
        const TimerLayout layout = LargeTimerLayout({160, 260}, {60, 260}, c.client);
        SCOPED_TRACE(c.client.width());
        EXPECT_EQ(layout.digits[0], QRect(c.left, c.top, c.w, c.h));
        EXPECT_EQ(layout.digits[1].x(), c.left + c.w + c.gap);
        EXPECT_EQ(layout.colon, QRect(c.left + 2 * c.w + 2 * c.gap, c.top, c.cw, c.h));
        EXPECT_EQ(layout.digits[2].x(), layout.colon.x() + c.cw + c.gap);
        EXPECT_EQ(layout.digits[3].x(), layout.digits[2].x() + c.w + c.gap);
        EXPECT_LE(layout.digits[3].x() + c.w - c.left, c.client.width());
    }
}

TEST(LargeTimerLayout, ColonIsCentredOnTheDigits)
{
    const TimerLayout layout = LargeTimerLayout({160, 260}, {60, 130}, {0, 0, 2000, 301});
    EXPECT_EQ(layout.colon.height(), 142);
    EXPECT_EQ(layout.colon.y(), layout.digits[0].y() + (layout.digits[0].height() - 142) / 2);
}

TEST(LargeTimerLayout, MissingZeroDigitLeavesItEmpty)
{
    const TimerLayout layout = LargeTimerLayout({0, 0}, {60, 260}, {0, 0, 800, 300});
    EXPECT_EQ(layout.digitWidth(), 0);
    EXPECT_EQ(LargeTimerLayout({160, 260}, {60, 260}, {0, 0, 800, 0}).digitWidth(), 0);
}

TEST(TinyTimerLayout, NaturalSizeCentredWhenItFits)
{
    const TimerLayout layout = TinyTimerLayout({26, 44}, {10, 44}, {0, 0, 200, 60});
    EXPECT_EQ(layout.digits[0], QRect(39, 8, 26, 44));
    EXPECT_EQ(layout.digits[1], QRect(67, 8, 26, 44));
    EXPECT_EQ(layout.colon, QRect(95, 8, 10, 44));
    EXPECT_EQ(layout.digits[2], QRect(107, 8, 26, 44));
    EXPECT_EQ(layout.digits[3], QRect(135, 8, 26, 44));
}

TEST(TinyTimerLayout, ShrinksOnlyWhenTooSmall)
{
    // Too narrow: scaled to (60 - 8) / 114 of the natural size.
    TimerLayout layout = TinyTimerLayout({26, 44}, {10, 44}, {0, 0, 60, 100});
    EXPECT_EQ(layout.digits[0], QRect(2, 40, 11, 20));
    EXPECT_EQ(layout.colon.width(), 4);
    // Too low: the height decides.
    layout = TinyTimerLayout({26, 44}, {10, 44}, {0, 0, 400, 24});
    EXPECT_EQ(layout.digits[0], QRect(167, 1, 13, 22));
    // A missing picture gives zero sizes and no division by zero.
    layout = TinyTimerLayout({0, 0}, {0, 0}, {0, 0, 5, 5});
    EXPECT_EQ(layout.digitWidth(), 0);
}

int litPixels(const QImage& image)
{
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += image.pixelColor(x, y).value() > 200 ? 1 : 0;
    return lit;
}

TEST(DigitTimerPaint, LargeTimerWithoutPicturesStaysBlack)
{
    ProgramFolder empty;
    empty.use();
    CLargeTimer timer;
    timer.resize(400, 200);
    timer.SetTime(125000);
    EXPECT_EQ(timer.layout().digitWidth(), 0);
    const QImage image = timer.grab().toImage();
    EXPECT_EQ(litPixels(image), 0);
    EXPECT_EQ(image.pixelColor(200, 100), QColor(Qt::black));
}

TEST(DigitTimerPaint, DrawsTheDigitsOfTheStyle)
{
    GeneratedPictures pictures;
    CLargeTimer timer;
    timer.resize(800, 300);
    timer.SetTime(-1);
    const int blank = litPixels(timer.grab().toImage());
    timer.SetTime(88000);
    timer.SetStyle(TimerStyle::Teleop);
    const QImage image = timer.grab().toImage();
    EXPECT_GT(litPixels(image), blank);
    // Teleop is green.
    const QRect d = timer.layout().digits[3];
    const QColor middle = image.pixelColor(d.center().x(), d.center().y());
    EXPECT_GT(middle.green(), 150);
    EXPECT_LT(middle.red(), 120);
}

}
