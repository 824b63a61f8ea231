#include "fcs/resources/StringTable.h"
#include "platform/Text8.h"

#include <gtest/gtest.h>

namespace {

TEST(StringTable, NumberedTexts)
{
    EXPECT_EQ(Str(202), QStringLiteral("No Teams defined.  Ok to start?"));
    EXPECT_EQ(Str(102), QStringLiteral("VANTO"));
    EXPECT_TRUE(Str(99999).isEmpty());
    EXPECT_FALSE(HasStr(99999));
    EXPECT_TRUE(StringIdsUnique()) << "a number is given twice across the subsystem files";
    EXPECT_EQ(Str(111), QStringLiteral("selred21"));
}

TEST(StringTable, Placeholders)
{
    struct Case {
        const char* format;
        std::vector<QVariant> args;
        const char* expected;
    };
    const Case cases[] = {
        {"Match %1 Complete", {QStringLiteral("12")}, "Match 12 Complete"},
        {"%1!d!:%2!02d!", {2, 5}, "2:05"},
        {"%2!02d! before %1", {QStringLiteral("a"), 7}, "07 before a"},
        {"0x%1!02x!", {10}, "0x0a"},
        {"%1!02x!", {255}, "ff"},
        {"%1!d!", {-3}, "-3"},
        {"%1!03d!", {-3}, "-03"},
        {"100%% of %1", {QStringLiteral("x")}, "100% of x"},
        {"%3 missing", {1}, "%3 missing"},
        {"trailing %", {}, "trailing %"},
        {"%1%2", {QStringLiteral("a"), QStringLiteral("b")}, "ab"},
        {"Send Fail: %1!d!", {13}, "Send Fail: 13"},
    };
    for (const Case& c : cases) {
        QString result;
        switch (c.args.size()) {
        case 0: result = FormatMessage(QString::fromLatin1(c.format), {}); break;
        case 1: result = FormatMessage(QString::fromLatin1(c.format), {c.args[0]}); break;
        default: result = FormatMessage(QString::fromLatin1(c.format), {c.args[0], c.args[1]}); break;
        }
        EXPECT_EQ(result, QString::fromLatin1(c.expected)) << c.format;
    }
}

TEST(StringTable, SummaryTextsWithFourArguments)
{
    EXPECT_EQ(FormatMessage(207, {0, 30, 2, 0}), QStringLiteral("Autonomous: 0:30\r\nTeleop: 2:00"));
    EXPECT_EQ(FormatMessage(210, {0, 30, 2, 5}), QStringLiteral("Teleop Only: 2:05"));
}

TEST(Text8, BytesRoundTripAndFilesGetCrLf)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(Text8::encode(Text8::decode(all)), all);
    EXPECT_EQ(Text8::encode(QStringLiteral("a\u20ACb")), QByteArray("a?b"));
    EXPECT_EQ(Text8::encodeForFile(QStringLiteral("a\nb\r\nc")), QByteArray("a\r\nb\r\nc"));
}

} // namespace
