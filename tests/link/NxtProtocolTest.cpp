#include "fcs/link/NxtProtocol.h"
#include "fcs/link/ReplyAssembler.h"

#include <gtest/gtest.h>

using namespace NxtProtocol;

namespace {
QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

struct CommandCase {
    const char* name;
    QByteArray bytes;
    const char* expectedHex;
};

TEST(NxtCommands, AreByteExact)
{
    const CommandCase cases[] = {
        {"battery", GetBatteryLevel(), "000b"},
        {"program name", GetCurrentProgramName(), "0011"},
        {"stop program", StopProgram(), "0001"},
        {"device info", GetDeviceInfo(), "019b"},
        {"firmware", GetFirmwareVersion(), "0188"},
        {"open read", OpenRead(), "0180" "4a5256436f6e6669672e747874" "00000000000000"},
        {"read", Read(7, 58), "0182073a00"},
        {"read 300", Read(1, 300), "0182012c01"},
        {"close", Close(7), "018407"},
        {"start program", StartProgram(QStringLiteral("Teleop.rxe")),
         "0000" "54656c656f702e727865" "00000000000000000000"},
        // 25 characters: the leading 20 without a NUL.
        {"start long name", StartProgram(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY")),
         "0000" "4142434445464748494a4b4c4d4e4f5051525354"},
        // Each character is taken as its low 8 bits.
        {"start wide name", StartProgram(QString::fromUtf16(u"\u0141a")), "0000" "4161" "000000000000000000000000000000000000"},
    };
    for (const CommandCase& c : cases) {
        EXPECT_EQ(c.bytes.toHex(), QByteArray(c.expectedHex)) << c.name;
    }
    EXPECT_EQ(OpenRead().size(), 22);
    EXPECT_EQ(StartProgram(QString()).size(), 22);
}

struct ControlCase {
    const char* name;
    int autonomousFlag;
    int stopFlag;
    bool driver1;
    bool driver2;
    int driver1Status;
    const char* expectedHex; // bytes 1..21
};

TEST(ControlMessage, LayoutTable)
{
    const ControlCase cases[] = {
        {"autonomous, no drivers", 1, 0, false, false, JS_READ,
         "09" "00" "12" "00" "00" "00" "000000000000ff" "000000000000ff" "00"},
        {"teleop start, stop flag", 0, 1, false, false, JS_READ,
         "09" "00" "12" "00" "01" "01" "000000000000ff" "000000000000ff" "00"},
        {"teleop with drivers", 0, 0, true, true, JS_READ,
         "09" "00" "12" "00" "01" "00" "0102fd7f810a03" "0102fd7f810a03" "00"},
        {"unreadable driver 1 is neutral", 0, 0, true, true, JS_NOT_READ,
         "09" "00" "12" "00" "01" "00" "000000000000ff" "0102fd7f810a03" "00"},
    };
    JoystickState good;
    good.x1 = 1;
    good.y1 = 2;
    good.x2 = -3;
    good.y2 = 127;
    good.buttons = 0x81;
    good.buttonsHigh = 0x0A;
    good.hat = 3;
    for (const ControlCase& c : cases) {
        std::array<quint8, kControlMessageSize> message{};
        message.fill(0xEE);
        WriteControlFrame(message, c.autonomousFlag, c.stopFlag);
        JoystickState first = good;
        first.status = c.driver1Status;
        WriteDriverBlock(message.data() + 7, c.driver1 ? &first : nullptr);
        WriteDriverBlock(message.data() + 14, c.driver2 ? &good : nullptr);
        const QByteArray body(reinterpret_cast<const char*>(message.data()) + 1, 21);
        EXPECT_EQ(body.toHex(), QByteArray(c.expectedHex)) << c.name;
        EXPECT_EQ(message[0], 0xEE) << "byte 0 is chosen when sending";
    }
}

struct LengthCase {
    int code;
    int length;
};

TEST(ReplyLength, FollowsThePublishedLayouts)
{
    const LengthCase cases[] = {
        {RC_BATTERY, 5},       {RC_PROGRAM_NAME, 23}, {RC_START_PROGRAM, 3}, {RC_STOP_PROGRAM, 3},
        {RC_DEVICE_INFO, 33},  {RC_FIRMWARE, 7},      {RC_CONFIG_OPEN, 8},   {RC_CONFIG_CLOSE, 4},
        {RC_CONTROL, 3},       {RC_NONE, 0},          {RC_CONNECTED, 0},
    };
    for (const LengthCase& c : cases)
        EXPECT_EQ(ReplyLength(c.code, nullptr, 0), c.length) << c.code;
    const quint8 read[6] = {0x02, 0x82, 0x00, 0x01, 14, 0};
    EXPECT_EQ(ReplyLength(RC_CONFIG_READ, read, 5), -1);
    EXPECT_EQ(ReplyLength(RC_CONFIG_READ, read, 6), 20);
    const quint8 huge[6] = {0x02, 0x82, 0x00, 0x01, 0xFF, 0xFF};
    EXPECT_EQ(ReplyLength(RC_CONFIG_READ, huge, 6), kReplySize);
}

TEST(ReplyAssembler, CompletesASplitReply)
{
    ReplyAssembler assembler;
    ReplyAssembler::Reply reply{};
    assembler.Expect(RC_BATTERY);
    auto first = assembler.Feed(hex("020b00"), reply);
    EXPECT_FALSE(first.complete);
    EXPECT_TRUE(assembler.waiting());
    auto second = assembler.Feed(hex("1c20"), reply);
    ASSERT_TRUE(second.complete);
    EXPECT_EQ(second.length, 5);
    EXPECT_EQ(le16(reply.data() + 3), 0x201c);
    EXPECT_FALSE(assembler.waiting());
}

TEST(ReplyAssembler, SplitReadReplyWaitsForItsCount)
{
    ReplyAssembler assembler;
    ReplyAssembler::Reply reply{};
    assembler.Expect(RC_CONFIG_READ);
    EXPECT_FALSE(assembler.Feed(hex("02820001"), reply).complete);
    EXPECT_FALSE(assembler.Feed(hex("0300"), reply).complete);
    EXPECT_FALSE(assembler.Feed(hex("4142"), reply).complete);
    const auto done = assembler.Feed(hex("43"), reply);
    ASSERT_TRUE(done.complete);
    EXPECT_EQ(done.length, 9);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(reply.data()) + 6, 3), QByteArray("ABC"));
}

TEST(ReplyAssembler, DropsWhatFollowsTheReply)
{
    ReplyAssembler assembler;
    ReplyAssembler::Reply reply{};
    assembler.Expect(RC_STOP_PROGRAM);
    // Two replies in one read: the second is not the answer to anything.
    const auto result = assembler.Feed(hex("020100" "020100"), reply);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.length, 3);
    EXPECT_EQ(result.discarded, 3);
    EXPECT_FALSE(assembler.waiting());
    EXPECT_EQ(assembler.Feed(hex("0201"), reply).discarded, 2);
}

TEST(ReplyAssembler, OversizedReadIsCutToTheReplyBuffer)
{
    ReplyAssembler assembler;
    ReplyAssembler::Reply reply{};
    assembler.Expect(RC_CONFIG_READ);
    QByteArray flood = hex("02820001ffff");
    flood.append(QByteArray(2000, 'x'));
    const auto result = assembler.Feed(flood, reply);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.length, kReplySize);
    EXPECT_EQ(result.discarded, 2006 - kReplySize);
}
}
