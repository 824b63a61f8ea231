#include "fcs/schedule/MatchArray.h"
#include "fcs/schedule/MatchTable.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(MatchTable, AddMatchRowNumbersAfterTheRowAbove)
{
    MatchTable table;
    for (int i = 0; i < 3; ++i)
        table.AddMatchRow({}, 0, {}, {}, {}, {}, {}, {}, {}, MatchTable::kAtEnd);
    table.AddMatchRow("12abc", 9, {}, {}, {}, {}, {}, {}, {}, MatchTable::kAtEnd);
    table.AddMatchRow({}, 0, {}, {}, {}, {}, {}, {}, {}, MatchTable::kAtEnd);
    table.AddMatchRow("New", 0, {}, {}, {}, {}, {}, {}, {}, 1);
    table.AddMatchRow({}, 0, {}, {}, {}, {}, {}, {}, {}, 2);
    table.AddMatchRow({}, 0, {}, {}, {}, {}, {}, {}, {}, 0);
    QStringList labels;
    for (int r = 0; r < table.rowCount(); ++r)
        labels << table.cell(r, 0);
    EXPECT_EQ(labels, (QStringList{"1", "1", "New", "1", "2", "3", "12abc", "13"}));
    EXPECT_EQ(table.cell(6, MatchTable::Type), ""); // type 9 has no text
    EXPECT_EQ(table.cell(0, MatchTable::Type), "Practice");
}

TEST(MatchTable, ScheduleRoundTripThroughTheTable)
{
    CMatchArray schedule;
    schedule.SetStatusTexts("Played", "Halted");
    schedule.AddMatch("1", 1, "a", "b", {}, "c", "d", {}, "Played");
    schedule.AddMatch("2", 3, "e", "f", "g", "h", "i", {}, "Halted");
    schedule.AddMatch("3", 4, "j", "k", {}, "l", "m", {}, {});
    schedule.SetCurrentIndex(1);

    MatchTable table;
    table.modified = true;
    table.FillFromSchedule(schedule);
    EXPECT_FALSE(table.modified);
    EXPECT_EQ(table.currentRow, 1);
    EXPECT_EQ(table.row(1), (MatchTable::Row{"2", "e+f+g", "e+f+g", "h+i+", "h+i+", "Halted", "SemiFinal"}));

    // A joined row's second columns are not read back.
    table.setCell(1, MatchTable::Red2, "ignored");
    table.setCell(2, MatchTable::Status, "PLAYED");
    table.setCell(2, MatchTable::Type, "final");
    table.RebuildSchedule(schedule);
    ASSERT_EQ(schedule.GetCount(), 3);
    EXPECT_EQ(schedule.GetCurrentIndex(), 1);
    const CMatch& joined = *schedule.GetMatch(1);
    EXPECT_EQ(joined.m_strRed2, "f");
    EXPECT_EQ(joined.m_strRed3, "g");
    EXPECT_EQ(joined.m_strBlue3, "");
    EXPECT_EQ(joined.m_nStatus, 2);
    EXPECT_EQ(schedule.GetMatch(2)->m_nStatus, 1);
    EXPECT_EQ(schedule.GetMatch(2)->m_nType, 4);

    table.currentRow = 3; // past the end after a delete: ignored
    table.RebuildSchedule(schedule);
    EXPECT_EQ(schedule.GetCurrentIndex(), -1);
}

}
