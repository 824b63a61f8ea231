#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <array>
#include <map>
#include <set>

// What the simulated brick holds.
struct BrickConfig {
    QByteArray name = "NXT";
    std::array<quint8, 7> btAddress{0x00, 0x16, 0x53, 0x0A, 0x0B, 0x0C, 0x00};
    quint32 btSignal = 0;
    quint32 freeFlash = 52000;
    quint16 batteryMv = 8200;
    quint8 protocolMajor = 1;
    quint8 protocolMinor = 124;
    quint8 firmwareMajor = 1;
    quint8 firmwareMinor = 29;
    std::map<QByteArray, QByteArray> files; // file name to content
    std::set<QByteArray> programs;          // names start program accepts
    QByteArray running;                     // program running at power-on
};

// An NXT brick as its direct and system commands see it: one whole command in,
// the reply of the published protocol out. Used by one thread at a time.
class NxtBrick {
public:
    // Reply status bytes.
    static constexpr quint8 kSuccess = 0x00;
    static constexpr quint8 kNoActiveProgram = 0xEC;
    static constexpr quint8 kRequestFailed = 0xBD;
    static constexpr quint8 kFileNotFound = 0x87;
    static constexpr quint8 kHandleInvalid = 0x80;
    static constexpr quint8 kEndOfFile = 0x85;
    static constexpr quint8 kUnknownCommand = 0xBE;
    static constexpr quint8 kIllegalSize = 0xED;

    explicit NxtBrick(BrickConfig config);

    // Length of the command at the head of the buffer: > 0 its length, -1 when
    // more bytes are needed, 0 when the head is no command this brick knows.
    static int CommandLength(QByteArrayView buffered);

    // Executes one whole command; the reply, or empty when none was asked for.
    QByteArray Execute(QByteArrayView command);

    const QByteArray& currentProgram() const { return m_running; }
    int mailboxWrites() const { return m_mailboxWrites; }
    const QByteArray& lastMessage() const { return m_lastMessage; }

private:
    QByteArray directCommand(quint8 op, QByteArrayView command);
    QByteArray systemCommand(quint8 op, QByteArrayView command);
    static QByteArray nameField(QByteArrayView command, int offset);

    struct OpenFile {
        QByteArray content;
        int position = 0;
    };

    BrickConfig m_config;
    QByteArray m_running;
    std::map<quint8, OpenFile> m_open;
    quint8 m_nextHandle = 0;
    int m_mailboxWrites = 0;
    QByteArray m_lastMessage;
};
