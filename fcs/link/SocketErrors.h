#pragma once

#include <array>
#include <cerrno>

// The connection errors that end a stream link, as this platform's errno values.
// The read loop asks this one table: a stream socket ends on any of them, a
// datagram socket only when its socket is gone or the network is down.
namespace SocketErrors {

enum class ConnectionError {
    NotSocket,
    NetworkDown,
    NetworkUnreachable,
    NetworkReset,
    ConnectionAborted,
    ConnectionReset,
    ShutDown,
    HostDown,
    HostUnreachable,
};

struct Mapping {
    ConnectionError error;
    int code;
};

inline constexpr std::array<Mapping, 9> kConnectionErrors{{
    {ConnectionError::NotSocket, ENOTSOCK},
    {ConnectionError::NetworkDown, ENETDOWN},
    {ConnectionError::NetworkUnreachable, ENETUNREACH},
    {ConnectionError::NetworkReset, ENETRESET},
    {ConnectionError::ConnectionAborted, ECONNABORTED},
    {ConnectionError::ConnectionReset, ECONNRESET},
    {ConnectionError::ShutDown, ESHUTDOWN},
    {ConnectionError::HostDown, EHOSTDOWN},
    {ConnectionError::HostUnreachable, EHOSTUNREACH},
}};

constexpr int codeOf(ConnectionError error)
{
    for (const Mapping& m : kConnectionErrors)
        if (m.error == error)
            return m.code;
    return 0;
}

constexpr bool isConnectionError(int code)
{
    for (const Mapping& m : kConnectionErrors)
        if (m.code == code)
            return true;
    return false;
}

// Opening an endpoint that already holds a socket.
inline constexpr int kAccessDenied = EACCES;
// A missing argument.
inline constexpr int kInvalidParameter = EINVAL;
// A host name longer than the 260-character buffer.
inline constexpr int kInsufficientBuffer = ENAMETOOLONG;

// The stream/datagram rule of the read loop: true when the loop ends with
// PeerLost, false when it reports SocketFailed and reads on.
constexpr bool endsReadLoop(int code, bool stream)
{
    if (!isConnectionError(code))
        return false;
    if (stream)
        return true;
    return code == codeOf(ConnectionError::NotSocket) || code == codeOf(ConnectionError::NetworkDown);
}

}
