#include "fcs/schedule/MatchArray.h"
#include "fcs/schedule/MatchFile.h"
#include "fcs/schedule/MatchTable.h"
#include "fcs/schedule/TextLineReader.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return QDir(qEnvironmentVariable("TERVANA_SOURCE_DIR")).filePath(QStringLiteral("tests/schedule/data/") + QLatin1String(name));
}

class MatchFile : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes, const char* name = "matches.csv")
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    LoadOutcome load(const QString& path, FieldAllocation fields = {})
    {
        MatchFileContext context{prompt, settings, [this, fields] {
                                     ++questions;
                                     return fields;
                                 }};
        return LoadMatchFile(path, table, context);
    }
    QStringList column(int c) const
    {
        QStringList cells;
        for (int r = 0; r < table.rowCount(); ++r)
            cells << table.cell(r, c);
        return cells;
    }
    void preset()
    {
        table.AddMatchRow("old", 0, "1", "2", {}, "3", "4", {}, {}, MatchTable::kAtEnd);
        table.currentRow = 0;
        table.modified = false;
    }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    MatchFileSettings settings{30, 120, 30, QStringLiteral("pw")};
    MatchTable table;
    int questions = 0;
};

TEST_F(MatchFile, SpreadsheetFileWithUnquotedHeaderAndLfLineEnds)
{
    EXPECT_EQ(load(fixture("spreadsheet.csv")), LoadOutcome::Loaded);
    EXPECT_TRUE(prompt.asked.isEmpty()) << prompt.asked.join('|').toStdString();
    EXPECT_EQ(questions, 1);
    ASSERT_EQ(table.rowCount(), 7);
    EXPECT_EQ(table.row(0), (MatchTable::Row{"1", "0007", "0023", "0456", "1234", "", "Practice"}));
    EXPECT_EQ(table.row(4), (MatchTable::Row{"5", "0001+0002+0003", "0001+0002+0003", "0004+0005+0006",
                                             "0004+0005+0006", "", "SemiFinal"}));
    EXPECT_TRUE(table.modified);
    EXPECT_EQ(table.currentRow, -1);
}

TEST_F(MatchFile, ScoringServerBarFile)
{
    EXPECT_EQ(load(fixture("scoring-server.txt")), LoadOutcome::Loaded);
    EXPECT_TRUE(prompt.asked.isEmpty()) << prompt.asked.join('|').toStdString();
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.row(0), (MatchTable::Row{"1", "0011", "0022", "0033", "0044", "", "Qualification"}));
    EXPECT_EQ(table.row(2), (MatchTable::Row{"3", "0001+0002+0003", "0001+0002+0003", "0004+0005+0006",
                                             "0004+0005+0006", "", "SemiFinal"}));
}

TEST_F(MatchFile, HeaderAcceptance)
{
    struct Case {
        QByteArray header;
        QString message; // empty: accepted
    };
    const Case cases[] = {
        {"match,RED TEAM 1,red team 2,Blue team 1,BLUE TEAM 2", {}},
        {"Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2,Notes", {}},
        {"Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2,Match Type,Red Team 3,Blue Team 3", {}},
        {"Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2,a,b,c,d", {}},
        {"Match #,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2",
         "Expected 'Match,Red Team1, ...' but found 'Match #,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2,,,'"},
        {"Match, Red Team 1, Red Team 2, Blue Team 1, Blue Team 2",
         "Expected 'Match,Red Team1, ...' but found 'Match, Red Team 1, Red Team 2, Blue Team 1, Blue Team 2,,,'"},
        {"Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2,Type,Red Team 3,Blue Team 3",
         "Expected 'Match,Red Team1, ...' but found 'Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2,Type,Red Team 3,Blue Team 3'"},
        {"Match,Red Team 1,Red Team 2", "Expected 'Match,Red Team1, ...' but found 'Match,Red Team 1,Red Team 2,,,,,'"},
        {"1|Type|Number|RED 1|RED 2|RED 3|BLUE 1|BLUE 2|BLUE 3|x",
         "Expected 'Match,Red Team1, ...' but found 'Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2,Type,Red Team 3,Blue Team 3'"},
        {"\"5\",\"1+2+3\",\"1+2+3\",\"4+5+6\",\"4+5+6\"", "Expected 5 Columns but found 8 in file"},
        {"Match,Red Team 1", "Encountered an improper argument."},
    };
    for (const Case& c : cases) {
        table = MatchTable();
        preset();
        prompt.asked.clear();
        const LoadOutcome outcome = load(write(c.header + "\r\n1,2,3,4,5\r\n"));
        if (c.message.isEmpty()) {
            EXPECT_EQ(outcome, LoadOutcome::Loaded) << c.header.constData();
            EXPECT_TRUE(prompt.asked.isEmpty()) << c.header.constData();
            EXPECT_EQ(table.rowCount(), 1) << c.header.constData();
        } else {
            EXPECT_EQ(outcome, LoadOutcome::Unchanged) << c.header.constData();
            EXPECT_EQ(prompt.asked, QStringList{c.message}) << c.header.constData();
            EXPECT_EQ(table.cell(0, 0), "old") << c.header.constData();
            EXPECT_FALSE(table.modified);
            EXPECT_EQ(table.currentRow, 0);
        }
    }
}

TEST_F(MatchFile, EmptyFileChangesNothingSilently)
{
    preset();
    EXPECT_EQ(load(write("")), LoadOutcome::Unchanged);
    EXPECT_TRUE(prompt.asked.isEmpty());
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_FALSE(table.modified);
}

TEST_F(MatchFile, HeaderOnlyEmptiesTheTable)
{
    preset();
    EXPECT_EQ(load(write("Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\r\n")), LoadOutcome::Loaded);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_TRUE(table.modified);
    EXPECT_EQ(table.currentRow, -1);
}

TEST_F(MatchFile, RecordsOfEveryShape)
{
    load(write("Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\n"
               "1,7,23,456,1234\n"
               "2,1,2\n"
               ",3,4,5,6\n"
               "x,1,2,3,4,2x,9\n"
               "\"q\"\"1\",1,2,3,4,abc,9,10\n"
               "9|4|9|1|2|0|3|4|0|x\n"
               "9|4|10|1|2|0|3|4|0|f\n"));
    EXPECT_TRUE(prompt.asked.isEmpty()) << prompt.asked.join('|').toStdString();
    ASSERT_EQ(table.rowCount(), 7);
    EXPECT_EQ(column(0), (QStringList{"1", "2", "3", "x", "q\"1", "9", "10"}));
    EXPECT_EQ(table.row(1), (MatchTable::Row{"2", "0001", "0002", "", "", "", "Practice"}));
    EXPECT_EQ(table.row(3), (MatchTable::Row{"x", "0001+0002+0009", "0001+0002+0009", "0003+0004+",
                                             "0003+0004+", "", "Not Used"}));
    EXPECT_EQ(table.row(4), (MatchTable::Row{"q\"1", "0001+0002+0009", "0001+0002+0009", "0003+0004+0010",
                                             "0003+0004+0010", "", "Practice"}));
    EXPECT_EQ(table.row(6), (MatchTable::Row{"10", "0001", "0002", "0003", "0004", "", "Final"}));
}

TEST_F(MatchFile, BadLineStopsTheLoadAndKeepsTheRowsBeforeIt)
{
    for (const QByteArray& bad : {QByteArray("5,1+2+3,,4+5+6"), QByteArray(""), QByteArray("7,8"),
                                 QByteArray(TextLineReader::kDefaultMaxLineBytes + 1, ',')}) {
        table = MatchTable();
        prompt.asked.clear();
        EXPECT_EQ(load(write("Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\n1,1,2,3,4\n2,5,6,7,8\n"
                             + bad + "\n3,1,2,3,4\n")),
                  LoadOutcome::Stopped);
        EXPECT_EQ(prompt.asked, QStringList{"Encountered an improper argument."});
        EXPECT_EQ(column(0), (QStringList{"1", "2"}));
        EXPECT_TRUE(table.modified);
    }
}

TEST_F(MatchFile, BarLineEndingAtItsNinthFieldEndsTheLoadSilently)
{
    load(write("1|Match Type|Number|RED 1|RED 2|RED 3|BLUE 1|BLUE 2|BLUE 3|x\n"
               "1|1|1|1|2|0|3|4|0|x\n1|1|2|1|2|0|3|4|0|\n1|1|3|1|2|0|3|4|0|x\n"));
    EXPECT_TRUE(prompt.asked.isEmpty());
    EXPECT_EQ(column(0), QStringList{"1"});
}

TEST_F(MatchFile, FileThatCannotBeOpened)
{
    preset();
    const QString missing = dir.filePath(QStringLiteral("none.csv"));
    EXPECT_EQ(load(missing), LoadOutcome::Unchanged);
    EXPECT_EQ(prompt.asked, QStringList{"Unable to open file " + missing + " because 2"});
    EXPECT_EQ(table.rowCount(), 1);

    prompt.asked.clear();
    EXPECT_FALSE(SaveMatchFile(dir.filePath(QStringLiteral("no/such/dir.csv")), table, prompt));
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_TRUE(prompt.asked[0].startsWith("Unable to open file " + dir.filePath(QStringLiteral("no/such/dir.csv")) + " because "));
}

TEST_F(MatchFile, BinaryFilesNeverCrash)
{
    QByteArray noise;
    quint32 seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.append(static_cast<char>(seed >> 16));
    }
    for (const QByteArray& header :
         {QByteArray(), QByteArray("Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\n")}) {
        table = MatchTable();
        const LoadOutcome outcome = load(write(header + noise));
        EXPECT_NE(outcome, LoadOutcome::Loaded);
        EXPECT_LE(prompt.asked.size(), 2 * 2);
    }
}

TEST_F(MatchFile, ConfigurationBlockInTheFile)
{
    load(write("MajorVersion 1\r\nAutonomousPeriod 20\r\nTeleopPeriod 100\r\nEndOfMatchWarning 15\r\n"
               "Password   field 7 \r\nEndConfig\r\n"
               "Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\r\n1,1,2,3,4\r\n"));
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(settings.autonomousSeconds, 20);
    EXPECT_EQ(settings.teleopSeconds, 100);
    EXPECT_EQ(settings.warningSeconds, 15);
    EXPECT_EQ(settings.password, "field 7");
}

TEST_F(MatchFile, SaveThenLoadGivesTheSameTable)
{
    table.AddMatchRow("x\"y", 1, "0001", "0002", {}, "0003", "0004", {}, "Played", MatchTable::kAtEnd);
    table.AddMatchRow("", 0, "\"qq\"", "", {}, "a,bc", "0005", {}, {}, MatchTable::kAtEnd);
    table.AddMatchRow("SF-1", 3, "0011", "0012", "0013", "0014", "0015", "0016", {}, MatchTable::kAtEnd);
    const QString path = dir.filePath(QStringLiteral("saved.csv"));
    ASSERT_TRUE(SaveMatchFile(path, table, prompt));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes,
              "\"Match\",\"Red Team 1\",\"Red Team 2\",\"Blue Team 1\",\"Blue Team 2\"\r\n"
              "\"x\"\"y\",\"0001\",\"0002\",\"0003\",\"0004\"\r\n"
              "\"1\",\"\"\"qq\"\"\",\"\",\"a,bc\",\"0005\"\r\n"
              "\"SF-1\",\"0011+0012+0013\",\"0011+0012+0013\",\"0014+0015+0016\",\"0014+0015+0016\"\r\n");

    const MatchTable saved = table;
    table = MatchTable();
    EXPECT_EQ(load(path), LoadOutcome::Loaded);
    ASSERT_EQ(table.rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c <= MatchTable::Blue2; ++c)
            EXPECT_EQ(table.cell(r, c), saved.cell(r, c)) << r << "," << c;
    EXPECT_EQ(table.cell(0, MatchTable::Type), "Practice"); // type and status are not saved
    EXPECT_EQ(table.cell(2, MatchTable::Type), "SemiFinal");
}

TEST_F(MatchFile, FieldAllocationRegroupsIntoBlocks)
{
    struct Case {
        int fields;
        int field;
        int matches;
        QStringList order;
        int current;
    };
    const Case cases[] = {
        {1, 0, 5, {"1", "2", "3", "4", "5"}, -1},
        {2, 0, 8, {"1", "3", "5", "7", "2", "4", "6", "8"}, -1},
        {2, 0, 7, {"1", "3", "5", "7", "2", "4", "6"}, -1},
        {2, 1, 7, {"1", "3", "5", "7", "2", "4", "6"}, 4},
        {3, 2, 9, {"1", "4", "7", "2", "5", "8", "3", "6", "9"}, 6},
        {3, 1, 10, {"1", "4", "7", "10", "2", "5", "8", "3", "6", "9"}, 4},
        {4, 3, 10, {"1", "5", "9", "2", "6", "10", "3", "7", "4", "8"}, 8},
        {4, 3, 3, {"1", "2", "3"}, -1},
        {4, 2, 3, {"1", "2", "3"}, 2},
    };
    for (const Case& c : cases) {
        QByteArray text = "Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\n";
        for (int m = 1; m <= c.matches; ++m)
            text += QByteArray::number(m) + ",1,2,3,4\n";
        table = MatchTable();
        load(write(text), {c.fields, c.field});
        EXPECT_EQ(column(0), c.order) << c.fields << " fields, field " << c.field;
        EXPECT_EQ(table.currentRow, c.current) << c.fields << " fields, field " << c.field;
        EXPECT_EQ(CurrentRowAfterLoad(c.field, c.fields, c.matches), c.current);
    }
}

TEST_F(MatchFile, EmptyLabelsAreNumberedAfterTheRowAboveInTheirBlock)
{
    load(write("Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\n"
               "7,1,2,3,4\n20,1,2,3,4\n,1,2,3,4\n,1,2,3,4\n"),
         {2, 0});
    EXPECT_EQ(column(0), (QStringList{"7", "8", "20", "21"}));
}

TEST_F(MatchFile, StartupScheduleMakesTheEarliestMatchCurrent)
{
    CMatchArray schedule;
    schedule.SetStatusTexts("Played", "Halted");
    ASSERT_TRUE(LoadScheduleFile(fixture("spreadsheet.csv"), schedule, prompt, settings));
    EXPECT_EQ(schedule.GetCount(), 7);
    EXPECT_EQ(schedule.GetCurrentIndex(), 0);
    const CMatch& semi = *schedule.GetMatch(4);
    EXPECT_EQ(semi.m_strRed3, "0003");
    EXPECT_EQ(semi.m_strBlue3, "0006");
    EXPECT_EQ(semi.m_nType, 3);
    EXPECT_FALSE(LoadScheduleFile(dir.filePath("missing.csv"), schedule, prompt, settings));
    EXPECT_EQ(schedule.GetCount(), 7);
}

}
