#include "tools/tervana-sim/NxtBrick.h"

#include <algorithm>

namespace {
void putLe16(QByteArray& out, quint32 v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void putLe32(QByteArray& out, quint32 v)
{
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

QByteArray header(quint8 op, quint8 status)
{
    QByteArray out;
    out.append(char(0x02));
    out.append(static_cast<char>(op));
    out.append(static_cast<char>(status));
    return out;
}

quint8 at(QByteArrayView v, int i)
{
    return static_cast<quint8>(v.at(i));
}
}

NxtBrick::NxtBrick(BrickConfig config) : m_config(std::move(config)), m_running(m_config.running) {}

int NxtBrick::CommandLength(QByteArrayView b)
{
    if (b.size() < 2)
        return -1;
    const quint8 type = at(b, 0) & 0x7F;
    const quint8 op = at(b, 1);
    int length = 0;
    if (type == 0x00) {
        switch (op) {
        case 0x0B: // get battery level
        case 0x11: // get current program name
        case 0x01: // stop program
            length = 2;
            break;
        case 0x00: // start program
            length = 22;
            break;
        case 0x1F: // four-byte direct command, answered generically
            length = 4;
            break;
        case 0x09: // message write: box, size, message
            if (b.size() < 4)
                return -1;
            length = 4 + at(b, 3);
            break;
        default: return 0;
        }
    } else if (type == 0x01) {
        switch (op) {
        case 0x9B: // get device info
        case 0x88: // get firmware version
            length = 2;
            break;
        case 0x80: // open read
            length = 22;
            break;
        case 0x82: // read
            length = 5;
            break;
        case 0x84: // close
            length = 3;
            break;
        default: return 0;
        }
    } else {
        return 0;
    }
    return b.size() >= length ? length : -1;
}

QByteArray NxtBrick::nameField(QByteArrayView command, int offset)
{
    QByteArray name = command.sliced(std::min<qsizetype>(offset, command.size())).first(std::min<qsizetype>(20, std::max<qsizetype>(0, command.size() - offset))).toByteArray();
    const qsizetype nul = name.indexOf('\0');
    if (nul >= 0)
        name.truncate(nul);
    return name;
}

QByteArray NxtBrick::Execute(QByteArrayView command)
{
    if (command.size() < 2)
        return {};
    const bool wantsReply = (at(command, 0) & 0x80) == 0;
    const quint8 type = at(command, 0) & 0x7F;
    const quint8 op = at(command, 1);
    QByteArray reply = type == 0x00 ? directCommand(op, command) : systemCommand(op, command);
    return wantsReply ? reply : QByteArray();
}

QByteArray NxtBrick::directCommand(quint8 op, QByteArrayView command)
{
    switch (op) {
    case 0x0B: {
        QByteArray out = header(op, kSuccess);
        putLe16(out, m_config.batteryMv);
        return out;
    }
    case 0x11: {
        QByteArray out = header(op, m_running.isEmpty() ? kNoActiveProgram : kSuccess);
        QByteArray field = m_running.left(19);
        field.resize(20, '\0');
        out.append(field);
        return out;
    }
    case 0x01: {
        const quint8 status = m_running.isEmpty() ? kNoActiveProgram : kSuccess;
        m_running.clear();
        return header(op, status);
    }
    case 0x00: {
        const QByteArray name = nameField(command, 2);
        if (m_config.programs.count(name) == 0)
            return header(op, kRequestFailed);
        m_running = name;
        return header(op, kSuccess);
    }
    case 0x09: {
        ++m_mailboxWrites;
        m_lastMessage = (command.size() > 4 ? command.sliced(4).toByteArray() : QByteArray());
        const quint8 box = command.size() > 2 ? at(command, 2) : 0xFF;
        return header(op, box <= 9 ? kSuccess : kIllegalSize);
    }
    default: return header(op, kUnknownCommand);
    }
}

QByteArray NxtBrick::systemCommand(quint8 op, QByteArrayView command)
{
    switch (op) {
    case 0x9B: {
        QByteArray out = header(op, kSuccess);
        QByteArray name = m_config.name.left(14);
        name.resize(15, '\0');
        out.append(name);
        for (const quint8 b : m_config.btAddress)
            out.append(static_cast<char>(b));
        putLe32(out, m_config.btSignal);
        putLe32(out, m_config.freeFlash);
        return out;
    }
    case 0x88: {
        QByteArray out = header(op, kSuccess);
        out.append(static_cast<char>(m_config.protocolMinor));
        out.append(static_cast<char>(m_config.protocolMajor));
        out.append(static_cast<char>(m_config.firmwareMinor));
        out.append(static_cast<char>(m_config.firmwareMajor));
        return out;
    }
    case 0x80: {
        const QByteArray name = nameField(command, 2);
        const auto file = m_config.files.find(name);
        if (file == m_config.files.end()) {
            QByteArray out = header(op, kFileNotFound);
            out.append(char(0));
            putLe32(out, 0);
            return out;
        }
        const quint8 handle = m_nextHandle++;
        m_open[handle] = OpenFile{file->second, 0};
        QByteArray out = header(op, kSuccess);
        out.append(static_cast<char>(handle));
        putLe32(out, static_cast<quint32>(file->second.size()));
        return out;
    }
    case 0x82: {
        const quint8 handle = at(command, 2);
        const int wanted = at(command, 3) | (at(command, 4) << 8);
        const auto open = m_open.find(handle);
        if (open == m_open.end()) {
            QByteArray out = header(op, kHandleInvalid);
            out.append(static_cast<char>(handle));
            putLe16(out, 0);
            return out;
        }
        OpenFile& f = open->second;
        const int n = std::min<int>(wanted, static_cast<int>(f.content.size()) - f.position);
        QByteArray out = header(op, n < wanted ? kEndOfFile : kSuccess);
        out.append(static_cast<char>(handle));
        putLe16(out, static_cast<quint32>(n));
        out.append(f.content.mid(f.position, n));
        f.position += n;
        return out;
    }
    case 0x84: {
        const quint8 handle = at(command, 2);
        const bool known = m_open.erase(handle) > 0;
        QByteArray out = header(op, known ? kSuccess : kHandleInvalid);
        out.append(static_cast<char>(handle));
        return out;
    }
    default: return header(op, kUnknownCommand);
    }
}
