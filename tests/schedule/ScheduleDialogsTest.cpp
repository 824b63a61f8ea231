#include "fcs/schedule/AllianceAssignment.h"
#include "fcs/schedule/Match.h"
#include "fcs/schedule/MatchAllocation.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QRadioButton* radio(QDialog& dialog, QWidget* control)
{
    (void)dialog;
    return qobject_cast<QRadioButton*>(control);
}

struct Allocation {
    CMatchAllocation dialog;
    QRadioButton* count(int n) { return radio(dialog, dialog.control(246 + n)); }
    QRadioButton* field(int f) { return radio(dialog, dialog.control(250 + f)); }
    QString explanation() { return qobject_cast<QLabel*>(dialog.control(255))->text(); }
};

TEST(MatchAllocation, OpensWithTwoFieldsAndFieldOne)
{
    Allocation a;
    a.dialog.show();
    EXPECT_TRUE(a.count(2)->isChecked());
    EXPECT_TRUE(a.field(1)->isChecked());
    EXPECT_EQ(a.explanation(), "This field will start with Matches 1,3,5,7,...");
    EXPECT_TRUE(a.dialog.control(256)->isEnabled());
    EXPECT_TRUE(a.field(2)->isVisible());
    EXPECT_FALSE(a.field(3)->isVisible());
}

TEST(MatchAllocation, FewerFieldsResetTheFieldChoice)
{
    Allocation a;
    a.dialog.show();
    QTest::mouseClick(a.count(4), Qt::LeftButton);
    QTest::mouseClick(a.field(4), Qt::LeftButton);
    EXPECT_EQ(a.dialog.m_nFieldCount, 3);
    EXPECT_EQ(a.dialog.m_nField, 3);
    EXPECT_EQ(a.explanation(), "This field will start with Matches 4,8,12,16,...");
    QTest::mouseClick(a.count(1), Qt::LeftButton);
    EXPECT_EQ(a.dialog.m_nField, 0);
    EXPECT_TRUE(a.field(1)->isChecked());
    EXPECT_FALSE(a.dialog.control(256)->isEnabled());
    EXPECT_FALSE(a.field(1)->isEnabled());
    for (int f = 2; f <= 4; ++f)
        EXPECT_FALSE(a.field(f)->isVisible()) << f;
    EXPECT_EQ(a.explanation(), "All Matches will be on this field in order");
}

TEST(MatchAllocation, ThreeFieldsHideOnlyTheFourthAndEscKeepsTheChoice)
{
    Allocation a;
    QTimer::singleShot(0, [&a] {
        QTest::mouseClick(a.count(3), Qt::LeftButton);
        EXPECT_TRUE(a.field(3)->isVisible());
        EXPECT_FALSE(a.field(4)->isVisible());
        QTest::mouseClick(a.field(2), Qt::LeftButton);
        EXPECT_EQ(a.explanation(), "This field will start with Matches 2,5,8,11,...");
        QTest::keyClick(&a.dialog, Qt::Key_Escape);
    });
    a.dialog.exec();
    EXPECT_EQ(a.dialog.m_nFieldCount + 1, 3);
    EXPECT_EQ(a.dialog.m_nField, 1);
}

CMatch threeTeamMatch(bool blueThird = true)
{
    CMatch m;
    m.m_strNumber = "5";
    m.m_strRed1 = "0001";
    m.m_strRed2 = "0002";
    m.m_strRed3 = "0003";
    m.m_strBlue1 = "0004";
    m.m_strBlue2 = "0005";
    m.m_strBlue3 = blueThird ? "0006" : "";
    return m;
}

TEST(AllianceAssignment, LabelsNameEachPair)
{
    const CMatch match = threeTeamMatch();
    CAllianceAssignment dialog;
    dialog.m_pMatch = &match;
    dialog.m_nBlue = 2;
    dialog.show();
    const char* red[] = {"Red1:0001\nRed2:0002", "Red1:0001\nRed2:0003", "Red1:0002\nRed2:0003"};
    const char* blue[] = {"Blue1: 0004\nBlue2: 0005", "Blue1: 0004\nBlue2: 0006", "Blue1: 0005\nBlue2: 0006"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(radio(dialog, dialog.control(257 + i))->text(), red[i]);
        EXPECT_EQ(radio(dialog, dialog.control(263 + i))->text(), blue[i]);
    }
    EXPECT_TRUE(radio(dialog, dialog.control(257))->isChecked());
    EXPECT_TRUE(radio(dialog, dialog.control(265))->isChecked());
}

TEST(AllianceAssignment, OkStoresAndCancelKeepsTheChoices)
{
    const CMatch match = threeTeamMatch();
    CAllianceAssignment dialog;
    dialog.m_pMatch = &match;
    dialog.show();
    QTest::mouseClick(dialog.control(259), Qt::LeftButton);
    QTest::mouseClick(dialog.control(2), Qt::LeftButton);
    EXPECT_EQ(dialog.m_nRed, 0);
    dialog.show();
    QTest::mouseClick(dialog.control(258), Qt::LeftButton);
    QTest::mouseClick(dialog.control(264), Qt::LeftButton);
    QTest::mouseClick(dialog.control(1), Qt::LeftButton);
    EXPECT_EQ(dialog.m_nRed, 1);
    EXPECT_EQ(dialog.m_nBlue, 1);
}

TEST(AllianceAssignment, PairsOfAMatchWithOnlyARedThirdTeam)
{
    const CMatch match = threeTeamMatch(false);
    EXPECT_EQ(CAllianceAssignment::RedPair(match, 2), (std::array<QString, 2>{"0002", "0003"}));
    EXPECT_EQ(CAllianceAssignment::BluePair(match, 0), (std::array<QString, 2>{"0004", "0005"}));
    EXPECT_EQ(CAllianceAssignment::BluePair(match, 1), (std::array<QString, 2>{"0004", ""}));
    EXPECT_EQ(CAllianceAssignment::BluePair(match, 2), (std::array<QString, 2>{"0005", ""}));
    CAllianceAssignment dialog;
    dialog.show(); // no match: the placeholders stay
    EXPECT_EQ(radio(dialog, dialog.control(258))->text(), "Red1 / Red3");
}

}
