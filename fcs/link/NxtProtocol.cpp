#include "fcs/link/NxtProtocol.h"

#include <cstring>

namespace NxtProtocol {
namespace {
constexpr int kNameField = 20;

QByteArray bytes(std::initializer_list<quint8> list)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(list.size()));
    for (const quint8 b : list)
        out.append(static_cast<char>(b));
    return out;
}

void appendNameField(QByteArray& out, const QByteArray& name)
{
    for (int i = 0; i < kNameField; ++i)
        out.append(i < name.size() ? name.at(i) : '\0');
}
}

QByteArray GetBatteryLevel() { return bytes({0x00, 0x0B}); }
QByteArray GetCurrentProgramName() { return bytes({0x00, 0x11}); }
QByteArray StopProgram() { return bytes({0x00, 0x01}); }
QByteArray GetDeviceInfo() { return bytes({0x01, 0x9B}); }
QByteArray GetFirmwareVersion() { return bytes({0x01, 0x88}); }

QByteArray StartProgram(const QString& name)
{
    QByteArray out = bytes({0x00, 0x00});
    QByteArray field;
    for (const QChar c : name.left(kNameField))
        field.append(static_cast<char>(c.unicode() & 0xFF));
    appendNameField(out, field);
    return out;
}

QByteArray OpenRead(const char* fileName)
{
    QByteArray out = bytes({0x01, 0x80});
    appendNameField(out, QByteArray(fileName).left(kNameField - 1));
    return out;
}

QByteArray Read(quint8 handle, quint16 count)
{
    return bytes({0x01, 0x82, handle, static_cast<quint8>(count & 0xFF),
                  static_cast<quint8>(count >> 8)});
}

QByteArray Close(quint8 handle) { return bytes({0x01, 0x84, handle}); }

void WriteDriverBlock(quint8* block, const JoystickState* state)
{
    if (!state || state->status == JS_NOT_READ) {
        std::memset(block, 0, 6);
        block[6] = 255;
        return;
    }
    block[0] = static_cast<quint8>(state->x1);
    block[1] = static_cast<quint8>(state->y1);
    block[2] = static_cast<quint8>(state->x2);
    block[3] = static_cast<quint8>(state->y2);
    block[4] = state->buttons;
    block[5] = state->buttonsHigh;
    block[6] = state->hat;
}

void WriteControlFrame(std::array<quint8, kControlMessageSize>& message, int autonomousFlag,
                       int stopFlag)
{
    message[1] = 0x09; // message write
    message[2] = 0;    // mailbox 0
    message[3] = 18;   // message size with its NUL
    message[4] = 0;
    message[5] = autonomousFlag == 0 ? 1 : 0;
    message[6] = static_cast<quint8>(stopFlag);
    message[21] = 0;
}

int ReplyLength(int code, const quint8* partial, int have)
{
    switch (code) {
    case RC_BATTERY: return 5;
    case RC_PROGRAM_NAME: return 23;
    case RC_START_PROGRAM:
    case RC_STOP_PROGRAM:
    case RC_CONTROL: return 3;
    case RC_DEVICE_INFO: return 33;
    case RC_FIRMWARE: return 7;
    case RC_CONFIG_OPEN: return 8;
    case RC_CONFIG_CLOSE: return 4;
    case RC_CONFIG_READ: {
        if (have < 6)
            return -1;
        const int length = 6 + le16(partial + 4);
        return length > kReplySize ? kReplySize : length;
    }
    default: return 0;
    }
}

quint16 le16(const quint8* p) { return static_cast<quint16>(p[0] | (p[1] << 8)); }

quint32 le32(const quint8* p)
{
    return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8)
           | (static_cast<quint32>(p[2]) << 16) | (static_cast<quint32>(p[3]) << 24);
}

}
