#pragma once

#include <netinet/in.h>

class SocketEndpoint;

// What a watch thread reports, called on that thread. Each has an empty default.
class SocketHandler {
public:
    virtual ~SocketHandler() = default;
    virtual void ThreadStarted(SocketEndpoint&) {}
    virtual void ThreadEnding(SocketEndpoint&) {}
    virtual void DataArrived(SocketEndpoint&, const char* /*bytes*/, int /*count*/,
                             const sockaddr_in& /*from*/) {}
    virtual void PeerLost(SocketEndpoint&) {}
    virtual void SocketFailed(SocketEndpoint&, int /*error*/) {}
    virtual void SocketReady(SocketEndpoint&) {}
};
