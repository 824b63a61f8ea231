#include "fcs/schedule/ScoringConfig.h"
#include "fcs/schedule/TextLineReader.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

struct ConfigRun {
    bool result;
    ScoringConfig config;
    QString restOfFile;
};

ConfigRun read(const QByteArray& text, ScoringConfig start = {})
{
    QByteArray data = text;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TextLineReader reader(buffer);
    ConfigRun run{ReadScoringConfig(reader, start), start, {}};
    QString line;
    while (reader.readLine(line) == TextLineReader::Result::Line)
        run.restOfFile += line + QLatin1Char('/');
    return run;
}

TEST(ScoringConfig, PeriodRules)
{
    struct Case {
        const char* line;
        int seconds;
        bool enabled;
    };
    const Case cases[] = {
        {"AutonomousPeriod: 45", 45, true},   {"AutonomousPeriod 0", 30, false},
        {"AutonomousPeriod 4000", 30, true},  {"AutonomousPeriod 3599", 3599, true},
        {"autonomousperiod,-5", 30, false},   {"AutonomousPeriod", 30, false},
        {"AutonomousPeriod: abc", 30, false}, {"AutonomousPeriod 12s", 12, true},
    };
    for (const Case& c : cases) {
        const ConfigRun run = read(QByteArray(c.line) + "\r\n");
        EXPECT_TRUE(run.result) << c.line;
        EXPECT_EQ(run.config.autonomousSeconds, c.seconds) << c.line;
        EXPECT_EQ(run.config.autonomousEnabled, c.enabled) << c.line;
    }
}

TEST(ScoringConfig, EveryKey)
{
    ScoringConfig start;
    start.password = QStringLiteral("old");
    const ConfigRun run = read("MajorVersion 3\nMinorVersion: 7\nTelepPeriod 100\n"
                               "EndOfMatchWarning 0\nPauseBetweenPeriods 0\n"
                               "Password:   a  phrase here \nMessageKey 11, 22\n"
                               "IPAddr: 192.168.5.6\nFTPport 2121\nMessagePort 5005\n"
                               "EndConfig\nnext line\n",
                               start);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.config.majorVersion, 3);
    EXPECT_EQ(run.config.minorVersion, 7);
    EXPECT_EQ(run.config.teleopSeconds, 100);
    EXPECT_FALSE(run.config.endOfMatchWarning);
    EXPECT_FALSE(run.config.pauseBetweenPeriods);
    EXPECT_EQ(run.config.password, "a  phrase here");
    EXPECT_EQ(run.config.key1, 11);
    EXPECT_EQ(run.config.key2, 22);
    EXPECT_EQ(run.config.address, 0xC0A80506u);
    EXPECT_EQ(run.config.ftpPort, 2121);
    EXPECT_EQ(run.config.messagePort, 5005);
    EXPECT_EQ(run.restOfFile, "next line/"); // stops right after EndConfig
}

TEST(ScoringConfig, StopsOnUnknownKeyOrEmptyLineKeepingWhatWasRead)
{
    const ConfigRun unknown = read("FTPport 21\nColour red\nMessagePort 9\n");
    EXPECT_FALSE(unknown.result);
    EXPECT_EQ(unknown.config.ftpPort, 21);
    EXPECT_EQ(unknown.config.messagePort, 0);
    EXPECT_EQ(unknown.restOfFile, "MessagePort 9/");

    const ConfigRun empty = read("MinorVersion 1\r\n\r\nMessagePort 9\r\n");
    EXPECT_FALSE(empty.result);
    EXPECT_EQ(empty.config.minorVersion, 1);
}

TEST(ScoringConfig, EndOfFileIsSuccess)
{
    EXPECT_TRUE(read("FTPport 21").result);
    EXPECT_TRUE(read("").result);
}

TEST(ScoringConfig, DefaultsBeforeReading)
{
    const ScoringConfig config;
    EXPECT_EQ(config.ftpPort, 8721);
    EXPECT_EQ(config.messagePort, 0);
    EXPECT_EQ(config.address, 0u);
    EXPECT_EQ(ParseDottedIPv4(QStringLiteral("1.2.3")), 0xFFFFFFFFu);
    EXPECT_EQ(ParseDottedIPv4(QStringLiteral("1.2.3.256")), 0xFFFFFFFFu);
    EXPECT_EQ(ParseDottedIPv4(QStringLiteral("127.0.0.1")), 0x7F000001u);
}

}
