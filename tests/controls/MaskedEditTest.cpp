#include "fcs/controls/TimeEdit.h"
#include "fcs/controls/VersionNumberEdit.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

template <typename Edit>
struct Fixture {
    Edit edit;
    Fixture(const QString& text, int caret)
    {
        edit.setText(text);
        edit.setCursorPosition(caret);
        edit.show();
    }
    void type(const QString& keys) { QTest::keyClicks(&edit, keys); }
    void key(Qt::Key k) { QTest::keyClick(&edit, k); }
};

TEST(TimeEdit, TypingOvertypesAndJumpsTheColon)
{
    Fixture<CTimeEdit> f(QStringLiteral("00:00"), 0);
    f.type(QStringLiteral("0"));
    f.type(QStringLiteral("2"));
    EXPECT_EQ(f.edit.cursorPosition(), 3); // over the colon
    f.type(QStringLiteral("30"));
    EXPECT_EQ(f.edit.text(), QStringLiteral("02:30"));
    EXPECT_EQ(f.edit.cursorPosition(), 5);
    EXPECT_EQ(f.edit.GetSeconds(), 150);
    f.type(QStringLiteral("9")); // at the very end: nothing
    EXPECT_EQ(f.edit.text(), QStringLiteral("02:30"));
}

TEST(TimeEdit, DigitBeforeTheColonReplacesTheDigitLeftOfIt)
{
    Fixture<CTimeEdit> f(QStringLiteral("12:34"), 2);
    f.type(QStringLiteral("7"));
    EXPECT_EQ(f.edit.text(), QStringLiteral("17:34"));
    EXPECT_EQ(f.edit.cursorPosition(), 3);
}

TEST(TimeEdit, OtherKeysChangeNothing)
{
    Fixture<CTimeEdit> f(QStringLiteral("12:34"), 1);
    f.type(QStringLiteral("a -x"));
    f.key(Qt::Key_Delete);
    f.key(Qt::Key_Insert);
    EXPECT_EQ(f.edit.text(), QStringLiteral("12:34"));
    EXPECT_EQ(f.edit.cursorPosition(), 1);
    f.key(Qt::Key_Backspace); // moves right, deletes nothing
    EXPECT_EQ(f.edit.cursorPosition(), 3);
    f.type(QStringLiteral("&"));
    EXPECT_EQ(f.edit.cursorPosition(), 1);
    f.type(QStringLiteral(":")); // only steps over a colon at the caret
    EXPECT_EQ(f.edit.cursorPosition(), 1);
    f.edit.setCursorPosition(2);
    f.type(QStringLiteral(":"));
    EXPECT_EQ(f.edit.cursorPosition(), 3);
    EXPECT_EQ(f.edit.text(), QStringLiteral("12:34"));
}

TEST(TimeEdit, ArrowsMoveOverTheColon)
{
    Fixture<CTimeEdit> f(QStringLiteral("12:34"), 1);
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.edit.cursorPosition(), 3);
    f.key(Qt::Key_Left);
    EXPECT_EQ(f.edit.cursorPosition(), 1);
    f.key(Qt::Key_Left);
    f.key(Qt::Key_Left);
    EXPECT_EQ(f.edit.cursorPosition(), 0);
}

TEST(TimeEdit, StepsCountLikeAClock)
{
    struct Case {
        const char* text;
        int caret;
        Qt::Key key;
        const char* result;
    };
    const Case cases[] = {
        {"00:59", 4, Qt::Key_Up, "01:00"},   {"59:59", 4, Qt::Key_Up, "00:00"},
        {"01:00", 4, Qt::Key_Down, "00:59"}, {"00:00", 4, Qt::Key_Down, "59:59"},
        {"00:00", 5, Qt::Key_Up, "00:01"},   // at the end: the last digit
        {"09:30", 1, Qt::Key_Up, "10:30"},   {"10:30", 2, Qt::Key_Down, "09:30"}, // before the colon
        {"50:00", 0, Qt::Key_Up, "00:00"},
    };
    for (const Case& c : cases) {
        Fixture<CTimeEdit> f(QString::fromLatin1(c.text), c.caret);
        f.key(c.key);
        EXPECT_EQ(f.edit.text(), QString::fromLatin1(c.result)) << c.text << " at " << c.caret;
    }
}

TEST(TimeEdit, SetAndGetSeconds)
{
    CTimeEdit edit;
    struct Case {
        int seconds;
        const char* text;
    };
    for (const Case& c : {Case{3600, "59:00"}, Case{-5, "00:00"}, Case{125, "02:05"}, Case{0, "00:00"},
                          Case{3599, "59:59"}}) {
        edit.SetSeconds(c.seconds);
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.text)) << c.seconds;
    }
    edit.setText(QStringLiteral("0230")); // the colon pasted away: the leading digits
    EXPECT_EQ(edit.GetSeconds(), 230);
    edit.setText(QStringLiteral("1:5"));
    EXPECT_EQ(edit.GetSeconds(), 65);
}

TEST(TimeEdit, SetSecondsKeepsTheSelection)
{
    Fixture<CTimeEdit> f(QStringLiteral("00:00"), 0);
    f.edit.setSelection(3, 2);
    f.edit.SetSeconds(75);
    EXPECT_EQ(f.edit.text(), QStringLiteral("01:15"));
    EXPECT_EQ(f.edit.selectedText(), QStringLiteral("15"));
}

TEST(VersionEdit, TypingAndStepping)
{
    Fixture<CVersionNumberEdit> f(QStringLiteral("0.00"), 0);
    f.type(QStringLiteral("205"));
    EXPECT_EQ(f.edit.text(), QStringLiteral("2.05"));
    const auto version = f.edit.GetVersion();
    ASSERT_TRUE(version.major && version.minor);
    EXPECT_EQ(*version.major, 2);
    EXPECT_EQ(*version.minor, 5);

    struct Case {
        const char* text;
        int caret;
        Qt::Key key;
        const char* result;
    };
    const Case cases[] = {
        {"2.09", 3, Qt::Key_Up, "2.00"},   // 9 wraps to 0, no carry
        {"2.00", 3, Qt::Key_Down, "2.00"}, // 0 stays
        {"2.10", 2, Qt::Key_Down, "2.00"},
        {"9.00", 0, Qt::Key_Up, "0.00"},
        {"3.00", 1, Qt::Key_Down, "2.00"}, // on the point: the digit left of it
    };
    for (const Case& c : cases) {
        Fixture<CVersionNumberEdit> g(QString::fromLatin1(c.text), c.caret);
        g.key(c.key);
        EXPECT_EQ(g.edit.text(), QString::fromLatin1(c.result)) << c.text;
    }
}

TEST(VersionEdit, SetVersionFormatsOneAndTwoDigits)
{
    CVersionNumberEdit edit;
    edit.SetVersion(2, 5);
    EXPECT_EQ(edit.text(), QStringLiteral("2.05"));
    edit.setText(QStringLiteral("3"));
    const auto version = edit.GetVersion();
    ASSERT_TRUE(version.major.has_value());
    EXPECT_EQ(*version.major, 3);
    EXPECT_FALSE(version.minor.has_value());
}

}
