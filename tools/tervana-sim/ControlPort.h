#pragma once

#include "tools/tervana-sim/NxtBrick.h"
#include "tools/tervana-sim/WireLog.h"

#include <QString>
#include <deque>
#include <thread>

// Misbehaviours of the simulated module, for tests.
struct ControlPortFaults {
    bool silent = false;  // answers nothing at all
    int delayMs = 0;      // every reply waits this long
    bool split = false;   // every reply leaves in two TCP segments
    int closeAfter = 0;   // the connection is closed after this many commands (0 never)
    bool doubled = false; // every reply is sent twice in one segment
};

// The module's control port: TCP, one client at a time, every command handed
// to the brick and its reply sent back unchanged. Runs on a thread of its own
// that Stop wakes and joins.
class ControlPort {
public:
    ControlPort(NxtBrick& brick, WireLog& wireLog, ControlPortFaults faults = {});
    ~ControlPort();
    ControlPort(const ControlPort&) = delete;
    ControlPort& operator=(const ControlPort&) = delete;

    // Binds and listens on the calling thread, then serves on the port's thread.
    bool Start(const QString& address, quint16 port, QString* error = nullptr);
    void Stop();
    quint16 port() const { return m_port; }

private:
    struct PendingReply {
        long long due;
        QByteArray bytes;
    };

    void Run();
    void Accept();
    void Receive();
    void DropClient(const char* why);
    void SendReply(const QByteArray& reply);
    int NextTimeoutMs() const;

    NxtBrick& m_brick;
    WireLog& m_wireLog;
    ControlPortFaults m_faults;
    int m_listen = -1;
    int m_client = -1;
    int m_wake = -1;
    quint16 m_port = 0;
    int m_commands = 0;
    QByteArray m_buffer;
    std::deque<PendingReply> m_pending;
    std::thread m_thread;
};
