#pragma once

#include <QtGlobal>

// The message socket of the scoring-server link: a datagram socket connected
// to the server's message port. Sending waits for writability at most the
// given time and never longer; failures are the caller's to ignore.
class ScoringServerSocket {
public:
    virtual ~ScoringServerSocket() = default;
    // Opens and connects to address (host order) and port; false on failure.
    virtual bool Open(quint32 address, quint16 port) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // The count sent, 0 when the socket stayed unwritable for timeoutMs, -1 on failure.
    virtual int Send(const void* bytes, int length, int timeoutMs) = 0;
};
