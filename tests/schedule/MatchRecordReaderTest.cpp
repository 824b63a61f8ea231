#include "fcs/schedule/MatchRecordReader.h"
#include "fcs/schedule/TextLineReader.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

struct Records {
    explicit Records(const QByteArray& bytes) : data(bytes)
    {
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
    }
    RecordKind next(QStringList& fields) { return ReadMatchRecord(reader, fields, settings); }

    QByteArray data;
    QBuffer buffer;
    TextLineReader reader{buffer};
    MatchFileSettings settings{30, 120, 30, QStringLiteral("secret")};
};

struct LineCase {
    const char* line;
    RecordKind kind;
    QStringList fields;
};

class RecordLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(RecordLine, ReadsKindAndFields)
{
    const LineCase& c = GetParam();
    Records records(QByteArray(c.line) + "\r\n");
    QStringList fields{QStringLiteral("stale")};
    EXPECT_EQ(records.next(fields), c.kind) << c.line;
    if (c.kind != RecordKind::Malformed) {
        EXPECT_EQ(fields, c.fields) << c.line;
    }
}

const QStringList kHeader{"Match", "Red Team 1", "Red Team 2", "Blue Team 1", "Blue Team 2"};

INSTANTIATE_TEST_SUITE_P(
    Lines, RecordLine,
    ::testing::Values(
        LineCase{"\"Match\",\"Red Team 1\",\"Red Team 2\",\"Blue Team 1\",\"Blue Team 2\"",
                 RecordKind::Plain, kHeader},
        LineCase{"Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2", RecordKind::Plain, kHeader},
        LineCase{"1,7,23,456,1234", RecordKind::Plain, {"1", "7", "23", "456", "1234"}},
        LineCase{"\"a\"\"b\",x,y", RecordKind::Plain, {"a\"b", "x", "y"}},
        LineCase{"\"ab\"cd,e", RecordKind::Plain, {"ab", "cd", "e"}},
        LineCase{"\"x\"\"\",\"\",\"\"\"y\"", RecordKind::Plain, {"x\"", "", "\"y"}},
        LineCase{"a,,b", RecordKind::Plain, {"a", "", "b"}},
        LineCase{"a,b,c,", RecordKind::Plain, {"a", "b", "c"}},
        LineCase{",a,b", RecordKind::Plain, {"", "a", "b"}},
        LineCase{" 1 , 2 ,3", RecordKind::Plain, {" 1 ", " 2 ", "3"}},
        LineCase{"1,a|b,c", RecordKind::Plain, {"1", "a|b", "c"}},
        LineCase{"\"5\",\"1+2+3\",\"1+2+3\",\"4+5+6\",\"4+5+6\"", RecordKind::Joined,
                 {"5", "1", "2", "4", "5", "3", "3", "6"}},
        LineCase{"5,1+2+3,x,4,y", RecordKind::Joined, {"5", "1", "2", "4", "y", "3", "3", "???"}},
        LineCase{"5,1+2,x,4+5+6+7,y", RecordKind::Joined, {"5", "1", "2", "4", "5", "3", "", "6"}},
        LineCase{"5,a,1+2,b", RecordKind::Joined, {"5", "a", "1+2", "b", "3", "???", "???"}},
        LineCase{"5,1+2+3,,4+5+6", RecordKind::Malformed, {}},
        LineCase{"5,1+2+3,x", RecordKind::Malformed, {}},
        LineCase{"1,2", RecordKind::Malformed, {}},
        LineCase{"", RecordKind::Malformed, {}},
        LineCase{"1|Match Type|Number|RED 1|RED 2|RED 3|BLUE 1|BLUE 2|BLUE 3|Field", RecordKind::Bar,
                 {"Match", "Red Team 1", "Red Team 2", "Blue Team 1", "Blue Team 2", "Match Type",
                  "Red Team 3", "Blue Team 3"}},
        LineCase{"1|1|12|0001|0002|0|0004|0005|0|1", RecordKind::Bar,
                 {"12", "0001", "0002", "0004", "0005", "1", "", ""}},
        LineCase{"1|3|7|1|2|3|4|5|6||", RecordKind::Bar, {"7", "1", "2", "4", "5", "3", "3", "6"}},
        LineCase{"1|1|12|0001|0002|0|0004|0005|0|", RecordKind::None,
                 {"12", "0001", "0002", "0004", "0005", "1", "", ""}},
        LineCase{"1|1|12|0001|0002|0|0004|0005|0", RecordKind::None,
                 {"12", "0001", "0002", "0004", "0005", "1", "", ""}},
        LineCase{"1|1|12", RecordKind::None, {"12", "", "", "", "", "1", "", ""}}));

TEST(RecordReader, UnclosedQuoteTakesTheRestOfTheLine)
{
    // With no closing quote the field runs to the end of the line, commas included.
    QStringList fields;
    EXPECT_EQ(ParseMatchLine(QStringLiteral("1,\"a,b"), fields), RecordKind::Malformed);
    EXPECT_EQ(fields, (QStringList{"1", "a,b"}));
}

TEST(RecordReader, EndOfFileAndLineEnds)
{
    Records records("a,b,c\nd,e,f\r\ng,h,i");
    QStringList fields;
    ASSERT_EQ(records.next(fields), RecordKind::Plain);
    EXPECT_EQ(fields.last(), "c");
    ASSERT_EQ(records.next(fields), RecordKind::Plain);
    EXPECT_EQ(fields.last(), "f");
    ASSERT_EQ(records.next(fields), RecordKind::Plain);
    EXPECT_EQ(fields.last(), "i");
    EXPECT_EQ(records.next(fields), RecordKind::None);
    EXPECT_TRUE(fields.isEmpty());
    EXPECT_EQ(records.next(fields), RecordKind::None);
}

TEST(RecordReader, ConfigurationBlockSetsLengthsAndPasswordThenReadsOn)
{
    Records records("MajorVersion: 1\r\nMinorVersion 2\r\nAutonomousPeriod: 45\r\n"
                    "TeleopPeriod,90\r\nPassword:   two words  \r\nIPAddr 10.0.0.1\r\n"
                    "EndConfig\r\nMatch,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\r\n");
    QStringList fields;
    ASSERT_EQ(records.next(fields), RecordKind::Plain);
    EXPECT_EQ(fields, kHeader);
    EXPECT_EQ(records.settings.autonomousSeconds, 45);
    EXPECT_EQ(records.settings.teleopSeconds, 90);
    EXPECT_EQ(records.settings.warningSeconds, 30);
    EXPECT_EQ(records.settings.password, "two words");
}

TEST(RecordReader, ConfigurationBlockWithoutPasswordKeepsTheCurrentOne)
{
    Records records("\"MajorVersion\"\r\nEndOfMatchWarning 20\r\nAutonomousPeriod 0\r\n"
                    "EndConfig\r\n1,2,3\r\n");
    QStringList fields;
    ASSERT_EQ(records.next(fields), RecordKind::Plain);
    EXPECT_EQ(records.settings.password, "secret");
    EXPECT_EQ(records.settings.warningSeconds, 20);
    EXPECT_EQ(records.settings.autonomousSeconds, 30); // disabling keeps the length
}

TEST(RecordReader, VersionLineFollowedByEmptyLineEndsTheFile)
{
    Records records("MajorVersion 1\r\n\r\n1,2,3\r\n");
    QStringList fields;
    EXPECT_EQ(records.next(fields), RecordKind::None);
}

TEST(RecordReader, ConfigurationBlockAtTheEndOfTheFileIsNoRecord)
{
    Records records("MajorVersion 1\r\nEndConfig\r\n");
    QStringList fields;
    EXPECT_EQ(records.next(fields), RecordKind::None);
}

TEST(RecordReader, OverlongLineIsMalformedInsteadOfBuffered)
{
    QByteArray line(TextLineReader::kDefaultMaxLineBytes + 10, 'x');
    Records records("a,b,c\r\n" + line + "\r\n");
    QStringList fields;
    EXPECT_EQ(records.next(fields), RecordKind::Plain);
    EXPECT_EQ(records.next(fields), RecordKind::Malformed);
}

TEST(RecordReader, BinaryBytesAreTextNotACrash)
{
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(static_cast<char>((i * 37) & 0xff));
    Records records(bytes);
    QStringList fields;
    for (int i = 0; i < 10000; ++i) {
        const RecordKind kind = records.next(fields);
        if (kind == RecordKind::None)
            break;
    }
    SUCCEED();
}

}
