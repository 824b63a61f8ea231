#pragma once

#include "fcs/joystick/JoystickState.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>

// The NXT commands of the control channel, byte for byte, and what their
// replies look like.
namespace NxtProtocol {

// Request and state bits of a team entry's flag word.
enum Flag : quint32 {
    WANT_DEVICE_INFO = 0x0001,
    WANT_FIRMWARE = 0x0002,
    WANT_BATTERY = 0x0004,
    WANT_CONFIG_FILE = 0x0008,
    WANT_START_TELEOP = 0x0010,
    WANT_STOP_PROGRAM = 0x0020,
    WANT_PROGRAM_NAME = 0x0040,
    STOP_BURST = 0x0080,
    AWAITING_REPLY = 0x0100,
    RESET_REQUESTED = 0x0800,
    CONTROL_PENDING = 0x1000,
    BRICK_EXTRA_COMMAND = 0x2000, // stays idle: nothing fills the value it depends on
    // Module web-page requests.
    WANT_EXCLUSIVE = 0x10000,
    WANT_RESULT = 0x20000,
    WANT_EXCLUSIVE_FORCE = 0x40000,
    WANT_LOGO = 0x80000,
    WANT_DEVICE_PAGE = 0x100000,
    HTTP_BUSY = 0x200000,
    WANT_RESULT_FORCE = 0x400000,
    WANT_PARTIAL_INFO = 0x800000,
};

// The reply each command expects, and the two connection events.
enum ReplyCode : int {
    RC_NONE = 0,
    RC_CONFIG_OPEN = 101,
    RC_CONFIG_READ = 102,
    RC_BATTERY = 103,
    RC_PROGRAM_NAME = 104,
    RC_CONNECTED = 105,
    RC_DISCONNECTED = 106,
    RC_CONFIG_CLOSE = 107,
    RC_DEVICE_INFO = 108,
    RC_CONTROL = 109,
    RC_FIRMWARE = 113,
    RC_START_PROGRAM = 115,
    RC_STOP_PROGRAM = 116,
};

inline constexpr int kControlMessageSize = 22;
inline constexpr int kReplySize = 256;
inline constexpr int kMaxReadChunk = 58;
inline constexpr char kConfigFileName[] = "JRVConfig.txt";

QByteArray GetBatteryLevel();
QByteArray GetCurrentProgramName();
QByteArray StopProgram();
// The name cut to 20 characters, each taken as its low 8 bits, zero-filled.
QByteArray StartProgram(const QString& name);
QByteArray GetDeviceInfo();
QByteArray GetFirmwareVersion();
QByteArray OpenRead(const char* fileName = kConfigFileName);
QByteArray Read(quint8 handle, quint16 count);
QByteArray Close(quint8 handle);

// Writes the seven payload bytes of a driver, or the neutral block
// 0,0,0,0,0,0,255 when there is no readable record.
void WriteDriverBlock(quint8* block, const JoystickState* state);
// The control message around two driver blocks (bytes 7-13 and 14-20 are left
// as they are); byte 0 is chosen when the message is sent.
void WriteControlFrame(std::array<quint8, kControlMessageSize>& message, int autonomousFlag,
                       int stopFlag);

// Length of the reply to a command of this code in the published protocol, or
// 0 for codes without a reply. A read reply's length depends on its count
// (bytes 4-5): with fewer than 6 bytes at hand it is -1 (not yet known).
// Never more than kReplySize.
int ReplyLength(int code, const quint8* partial, int have);

quint16 le16(const quint8* p);
quint32 le32(const quint8* p);

}
