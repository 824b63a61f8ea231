#pragma once

#include "fcs/app/ScoringServerSocket.h"

// The message socket over a plain POSIX UDP socket. Refuses the broadcast
// address and port 0, so a missing setting never sprays datagrams.
class ScoringServerUdpSocket : public ScoringServerSocket {
public:
    ScoringServerUdpSocket() = default;
    ~ScoringServerUdpSocket() override;
    ScoringServerUdpSocket(const ScoringServerUdpSocket&) = delete;
    ScoringServerUdpSocket& operator=(const ScoringServerUdpSocket&) = delete;

    bool Open(quint32 address, quint16 port) override;
    void Close() override;
    bool IsOpen() const override { return m_fd != -1; }
    int Send(const void* bytes, int length, int timeoutMs) override;

private:
    int m_fd = -1;
};
