#pragma once

#include "fcs/link/SocketEndpoint.h"
#include "fcs/link/SocketErrors.h"

#include <QString>
#include <array>
#include <atomic>
#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// One socket run on a watch thread of its own: the thread opens or connects the
// socket, reads until it is closed and reports to the handler.
//
// The thread waits in poll on the socket and on a wake-up descriptor, so Stop
// always ends it promptly and joins it; nothing is ever detached or killed.
template <class Handler, int BufferSize = 2048>
class SocketClientImpl {
    static_assert(BufferSize >= SocketEndpoint::kReadSize, "a read fills up to kReadSize bytes");

public:
    SocketClientImpl() = default;
    ~SocketClientImpl() { Stop(); }
    SocketClientImpl(const SocketClientImpl&) = delete;
    SocketClientImpl& operator=(const SocketClientImpl&) = delete;

    void SetHandler(Handler* handler) { m_handler.exchange(handler); }

    // False at once when the socket is open. A previous thread that ended on
    // its own is joined first.
    bool Start(const QString& localAddress, const QString& remoteHost, const QString& service,
               const QString& alternateService, int family, int type, int options)
    {
        if (endpoint.isOpen())
            return false;
        Stop();
        m_localAddress = localAddress;
        m_remoteHost = remoteHost;
        m_service = service;
        m_alternateService = alternateService;
        m_family = family;
        m_type = type;
        m_options = options;
        endpoint.localAddress = localAddress;
        m_wakeFd = ::eventfd(0, EFD_CLOEXEC);
        if (m_wakeFd < 0)
            return false;
        endpoint.BeginWatch(m_wakeFd);
        try {
            m_thread = std::thread([this] { Run(); });
        } catch (...) {
            endpoint.EndWatch();
            ::close(m_wakeFd);
            m_wakeFd = -1;
            errno = EAGAIN;
            return false;
        }
        return true;
    }

    // Closes the socket, wakes the thread and joins it. Any state to idle.
    void Stop()
    {
        endpoint.CloseSocket();
        if (m_wakeFd >= 0) {
            const eventfd_t one = 1;
            [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
        }
        if (m_thread.joinable())
            m_thread.join();
        endpoint.EndWatch();
        // A connect that finished just as the wake-up came may have stored its socket.
        endpoint.CloseSocket();
        if (m_wakeFd >= 0) {
            ::close(m_wakeFd);
            m_wakeFd = -1;
        }
    }

    bool IsRunning() const { return m_thread.joinable(); }

    SocketEndpoint endpoint;

private:
    bool Woken() const
    {
        pollfd pfd{m_wakeFd, POLLIN, 0};
        return ::poll(&pfd, 1, 0) > 0;
    }

    void Run()
    {
        // One buffer for the thread's whole life; reads never allocate.
        std::array<char, BufferSize> buffer{};
        sockaddr_in from{};
        Handler* handler = m_handler.load();
        if (handler)
            handler->ThreadStarted(endpoint);

        bool opened;
        if (m_type == SOCK_STREAM) {
            opened = endpoint.ConnectTo(m_localAddress, m_remoteHost, m_service, m_family, SOCK_STREAM,
                                        m_wakeFd);
        } else {
            opened = endpoint.CreateSocket(m_localAddress, m_service, m_family, m_type, m_options);
            if (!opened && !m_alternateService.isEmpty())
                opened = endpoint.CreateSocket(m_localAddress, m_alternateService, m_family, m_type,
                                               m_options);
        }
        if (!opened) {
            const int error = errno;
            if (handler) {
                handler->SocketFailed(endpoint, error);
                handler->ThreadEnding(endpoint);
            }
            return;
        }
        if (handler)
            handler->SocketReady(endpoint);
        const bool stream = endpoint.GetSocketType() == SOCK_STREAM;
        if (stream)
            endpoint.GetPeerAddress(from);

        while (endpoint.isOpen() && !Woken()) {
            pollfd fds[2] = {{endpoint.handle(), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
            if (fds[0].fd == -1)
                break;
            const int ready = ::poll(fds, 2, -1);
            if (ready < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (fds[1].revents != 0 || !endpoint.isOpen())
                break;
            const int count = endpoint.Read(buffer.data(), stream ? nullptr : &from, false);
            if (count > 0) {
                if (handler)
                    handler->DataArrived(endpoint, buffer.data(), count, from);
                continue;
            }
            const int error = errno;
            if (error == EAGAIN || error == EWOULDBLOCK || error == EINTR)
                continue;
            if (!handler)
                break;
            if (!SocketErrors::endsReadLoop(error, stream)) {
                handler->SocketFailed(endpoint, error);
                continue;
            }
            handler->PeerLost(endpoint);
            break;
        }
        buffer.fill(0);
        if (handler)
            handler->ThreadEnding(endpoint);
    }

    std::atomic<Handler*> m_handler{nullptr};
    std::thread m_thread;
    int m_wakeFd = -1;
    QString m_localAddress;
    QString m_remoteHost;
    QString m_service;
    QString m_alternateService;
    int m_family = AF_INET;
    int m_type = SOCK_STREAM;
    int m_options = 0;
};
