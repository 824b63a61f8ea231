#pragma once

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <netinet/in.h>

// The owner of one IPv4 socket. Every operation reports failure as false or -1
// with errno set; nothing throws.
//
// While a watch thread reads the socket (watch mode), closing it from another
// thread only shuts it down, wakes the thread and parks the descriptor; the
// descriptor is closed once the thread has been joined (EndWatch), so its
// number cannot be handed to another file while the thread may still use it.
class SocketEndpoint {
public:
    static constexpr int kReuseAddress = 0x04;
    static constexpr int kBroadcast = 0x20;
    static constexpr int kReadSize = 2048;
    static constexpr quint32 kInfinite = 0xFFFFFFFFu;

    SocketEndpoint() = default;
    ~SocketEndpoint();
    SocketEndpoint(const SocketEndpoint&) = delete;
    SocketEndpoint& operator=(const SocketEndpoint&) = delete;

    // Creates, binds and (for stream sockets) listens.
    bool CreateSocket(const QString& localHost, const QString& service, int family, int type,
                      int options);
    // Creates and connects. With a wake descriptor the connect waits in poll on
    // both, and a wake-up abandons it (errno ECANCELED).
    bool ConnectTo(const QString& localHost, const QString& remoteHost, const QString& service,
                   int family, int type, int wakeFd = -1);
    // Safe from any thread and more than once.
    void CloseSocket();
    // At most kReadSize bytes. A peer that closed gives -1 with ECONNRESET.
    // With wait false a read that would block gives -1 with EAGAIN.
    int Read(char* buffer, sockaddr_in* from = nullptr, bool wait = true);
    // Without a time-out the write never waits: a full send buffer fails at
    // once (EAGAIN) instead of stalling the caller. With a time-out, 0 means
    // the socket stayed unwritable and nothing was sent.
    int Write(const void* bytes, int length, const sockaddr_in* to = nullptr,
              quint32 timeoutMs = kInfinite);
    int GetSocketType() const;
    bool GetLocalAddress(sockaddr_in& address) const;
    bool GetPeerAddress(sockaddr_in& address) const;

    int handle() const { return m_socket.load(); }
    bool isOpen() const { return m_socket.load() != -1; }

    void BeginWatch(int wakeFd);
    void EndWatch();

    // The local address text the watch thread was started with.
    QString localAddress;

private:
    bool store(int fd);

    std::atomic<int> m_socket{-1};
    std::atomic<int> m_parked{-1};
    std::atomic<int> m_wakeFd{-1};
};
