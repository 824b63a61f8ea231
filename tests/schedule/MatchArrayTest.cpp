#include "fcs/schedule/MatchArray.h"
#include "fcs/schedule/MatchLabels.h"

#include <gtest/gtest.h>

namespace {

class Schedule : public ::testing::Test {
protected:
    void SetUp() override { matches.SetStatusTexts(QStringLiteral("Played"), QStringLiteral("Halted")); }
    int add(const QString& label, const QString& status = {})
    {
        return matches.AddMatch(label, 1, "0001", "0002", {}, "0003", "0004", {}, status);
    }
    CMatchArray matches;
};

TEST_F(Schedule, AddMatchStatusFromText)
{
    EXPECT_EQ(add("1", "played"), 0);
    EXPECT_EQ(add("2", "HALTED"), 1);
    EXPECT_EQ(add("3", "Skipped"), 2);
    EXPECT_EQ(add("4"), 3);
    EXPECT_EQ(matches.GetMatch(0)->m_nStatus, 1);
    EXPECT_EQ(matches.GetMatch(1)->m_nStatus, 2);
    EXPECT_EQ(matches.GetMatch(2)->m_nStatus, 0);
    EXPECT_EQ(matches.GetMatch(3)->m_nStatus, 0);
    EXPECT_EQ(matches.GetMatch(4), nullptr);
    EXPECT_EQ(matches.GetMatch(-1), nullptr);
}

TEST_F(Schedule, NextIndexAndCurrent)
{
    EXPECT_EQ(matches.GetNextIndex(), -1);
    EXPECT_EQ(matches.GetCurrentType(), 0);
    add("1");
    add("2");
    add("3");
    EXPECT_EQ(matches.GetCurrentIndex(), -1);
    EXPECT_EQ(matches.GetNextIndex(), 0);
    matches.SetCurrentIndex(1);
    EXPECT_EQ(matches.GetNextIndex(), 2);
    EXPECT_EQ(matches.GetCurrentType(), 1);
    matches.SetCurrentIndex(2);
    EXPECT_EQ(matches.GetNextIndex(), 3);
    EXPECT_EQ(matches.GetMatch(matches.GetNextIndex()), nullptr);
    // Load On Deck after the last match leaves the current match where it is.
    matches.SetCurrentIndex(matches.GetNextIndex());
    EXPECT_EQ(matches.GetCurrentIndex(), 2);
    matches.SetCurrentIndex(-1);
    EXPECT_EQ(matches.GetCurrentIndex(), 2);
    matches.RemoveAllMatches();
    EXPECT_EQ(matches.GetCount(), 0);
    EXPECT_EQ(matches.GetCurrentIndex(), -1);
}

TEST_F(Schedule, RecordActualTeamsSameTeamsInOtherCaseChangesNothing)
{
    matches.AddMatch("12-SUB9x", 3, "ab", "cd", "ef", "gh", "ij", "kl", {});
    matches.SetCurrentIndex(0);
    EXPECT_EQ(matches.RecordActualTeams(0, 1, "AB", "Cd", "EF", "gH", "IJ", "kl"), 0);
    EXPECT_EQ(matches.GetCount(), 1);
    EXPECT_EQ(matches.GetCurrentIndex(), 0);
}

TEST_F(Schedule, RecordActualTeamsInsertsSubstituteAfterTheMatch)
{
    add("1");
    matches.AddMatch("12-SUB9x", 3, "0005", "0006", "0007", "0008", "0009", "0010", "Played");
    add("3");
    matches.SetCurrentIndex(1);
    EXPECT_EQ(matches.RecordActualTeams(1, 4, "0005", "0007", {}, "0008", "0009", {}), 2);
    ASSERT_EQ(matches.GetCount(), 4);
    EXPECT_EQ(matches.GetCurrentIndex(), 2);
    const CMatch& sub = *matches.GetMatch(2);
    EXPECT_EQ(sub.m_strNumber, "12-SUB10x");
    EXPECT_EQ(sub.m_nType, 4);
    EXPECT_EQ(sub.m_nStatus, 0);
    EXPECT_EQ(sub.m_strRed2, "0007");
    EXPECT_TRUE(sub.m_strRed3.isEmpty());
    EXPECT_EQ(matches.GetMatch(1)->m_strRed3, "0007"); // the scheduled match stays
    EXPECT_EQ(matches.GetMatch(1)->m_nStatus, 1);
    EXPECT_EQ(matches.GetMatch(3)->m_strNumber, "3");
}

TEST_F(Schedule, RecordActualTeamsWithoutCurrentMatchAppends)
{
    add("1");
    add("2");
    EXPECT_EQ(matches.RecordActualTeams(-1, 0, "9", "8", {}, "7", "6", {}), 2);
    EXPECT_EQ(matches.GetMatch(2)->m_strNumber, "3");
    EXPECT_EQ(matches.GetCurrentIndex(), 2);
    EXPECT_EQ(matches.RecordActualTeams(17, 0, "9", "8", {}, "7", "6", {}), 3);
    EXPECT_EQ(matches.GetMatch(3)->m_strNumber, "4");
}

TEST(MatchLabels, SubstituteLabels)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12", "12-SUB"},          {"12-SUB", "12-SUB2"},   {"12-SUB2", "12-SUB3"},
        {"12-SUB9x", "12-SUB10x"}, {"12-sub", "12-sub-SUB"}, {"", "-SUB"},
        {"1-SUB-SUB", "1-SUB2-SUB"}, {"7-SUB099", "7-SUB100"},
        {"5-SUB99999999999999999999", "5-SUB100000000000000000000"},
    };
    for (const auto& [label, expected] : cases)
        EXPECT_EQ(SubstituteLabel(QString::fromLatin1(label)), QString::fromLatin1(expected)) << label;
}

TEST(MatchLabels, TeamNumbersAndTypes)
{
    EXPECT_EQ(NormalizeTeamNumber("7"), "0007");
    EXPECT_EQ(NormalizeTeamNumber("123"), "0123");
    EXPECT_EQ(NormalizeTeamNumber(""), "");
    EXPECT_EQ(NormalizeTeamNumber("1234"), "1234");
    EXPECT_EQ(NormalizeTeamNumber("12345"), "12345");
    EXPECT_EQ(NormalizeTeamNumber("ab"), "00ab");
    EXPECT_EQ(MatchTypeText(3), "SemiFinal");
    EXPECT_EQ(MatchTypeText(5), "");
    EXPECT_EQ(MatchTypeText(-1), "");
    EXPECT_EQ(MatchTypeFromText("final"), 4);
    EXPECT_EQ(MatchTypeFromText("NOT USED"), 2);
    EXPECT_EQ(MatchTypeFromText("Finals"), 0);
    EXPECT_EQ(LeadingInteger(u"12abc"), 12);
    EXPECT_EQ(LeadingInteger(u"x12"), 0);
    EXPECT_EQ(LeadingInteger(u"99999999999"), INT_MAX);
}

}
