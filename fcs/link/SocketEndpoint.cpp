#include "fcs/link/SocketEndpoint.h"

#include "fcs/link/SocketAddress.h"
#include "fcs/link/SocketErrors.h"

#include <cerrno>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
void closeKeepingErrno(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

void wake(int wakeFd)
{
    if (wakeFd < 0)
        return;
    const eventfd_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd, &one, sizeof one);
}

bool setOption(int fd, int level, int option)
{
    const int on = 1;
    return setsockopt(fd, level, option, &on, sizeof on) == 0;
}

// Connects a non-blocking socket, waiting on it and on the wake descriptor.
bool connectWaking(int fd, const sockaddr_in& remote, int wakeFd)
{
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0)
        return false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) != 0) {
        if (errno != EINPROGRESS)
            return false;
        for (;;) {
            pollfd fds[2] = {{fd, POLLOUT, 0}, {wakeFd, POLLIN, 0}};
            const int ready = ::poll(fds, 2, -1);
            if (ready < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            if (fds[1].revents != 0) {
                errno = ECANCELED;
                return false;
            }
            if (fds[0].revents != 0)
                break;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            return false;
        if (error != 0) {
            errno = error;
            return false;
        }
    }
    return fcntl(fd, F_SETFL, flags) == 0;
}
}

SocketEndpoint::~SocketEndpoint()
{
    m_wakeFd.store(-1);
    CloseSocket();
    EndWatch();
}

bool SocketEndpoint::store(int fd)
{
    int expected = -1;
    if (m_socket.compare_exchange_strong(expected, fd))
        return true;
    ::close(fd);
    errno = SocketErrors::kAccessDenied;
    return false;
}

bool SocketEndpoint::CreateSocket(const QString& localHost, const QString& service, int family,
                                  int type, int options)
{
    if (isOpen()) {
        errno = SocketErrors::kAccessDenied;
        return false;
    }
    const int fd = ::socket(family, type | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool ok = true;
    if (options & kReuseAddress)
        ok = setOption(fd, SOL_SOCKET, SO_REUSEADDR);
    if (ok && type == SOCK_DGRAM && (options & kBroadcast))
        ok = setOption(fd, SOL_SOCKET, SO_BROADCAST);
    sockaddr_in address{};
    if (ok) {
        SocketAddress::BuildAddress(service, address, localHost, family);
        ok = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    if (ok && type == SOCK_STREAM)
        ok = ::listen(fd, SOMAXCONN) == 0;
    if (!ok) {
        closeKeepingErrno(fd);
        return false;
    }
    return store(fd);
}

bool SocketEndpoint::ConnectTo(const QString& localHost, const QString& remoteHost,
                               const QString& service, int family, int type, int wakeFd)
{
    if (isOpen()) {
        errno = SocketErrors::kAccessDenied;
        return false;
    }
    const int fd = ::socket(family, type | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool ok = true;
    // Bind only when a local address is configured: the link leaves from that interface.
    if (!localHost.isEmpty()) {
        sockaddr_in local{};
        if (!SocketAddress::BuildAddress(QStringLiteral("0"), local, localHost, family)) {
            errno = EADDRNOTAVAIL;
            ok = false;
        } else {
            ok = ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
        }
    }
    sockaddr_in remote{};
    if (ok) {
        SocketAddress::BuildAddress(service, remote, remoteHost, AF_INET);
        if (type == SOCK_STREAM)
            setOption(fd, IPPROTO_TCP, TCP_NODELAY); // control messages go out as they are made
        if (wakeFd >= 0)
            ok = connectWaking(fd, remote, wakeFd);
        else
            ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == 0;
    }
    if (!ok) {
        closeKeepingErrno(fd);
        return false;
    }
    return store(fd);
}

void SocketEndpoint::CloseSocket()
{
    const int fd = m_socket.exchange(-1);
    if (fd == -1)
        return;
    const int saved = errno;
    ::shutdown(fd, SHUT_RDWR);
    const int wakeFd = m_wakeFd.load();
    if (wakeFd >= 0) {
        const int older = m_parked.exchange(fd);
        if (older != -1)
            ::close(older);
        wake(wakeFd);
    } else {
        ::close(fd);
    }
    errno = saved;
}

void SocketEndpoint::BeginWatch(int wakeFd)
{
    m_wakeFd.store(wakeFd);
}

void SocketEndpoint::EndWatch()
{
    m_wakeFd.store(-1);
    const int parked = m_parked.exchange(-1);
    if (parked != -1)
        ::close(parked);
}

int SocketEndpoint::Read(char* buffer, sockaddr_in* from, bool wait)
{
    const int fd = m_socket.load();
    if (fd == -1) {
        errno = SocketErrors::codeOf(SocketErrors::ConnectionError::NotSocket);
        return -1;
    }
    if (!buffer) {
        errno = SocketErrors::kInvalidParameter;
        return -1;
    }
    const int flags = wait ? 0 : MSG_DONTWAIT;
    ssize_t n;
    if (from) {
        socklen_t length = sizeof *from;
        n = ::recvfrom(fd, buffer, kReadSize, flags, reinterpret_cast<sockaddr*>(from), &length);
    } else {
        n = ::recv(fd, buffer, kReadSize, flags);
    }
    if (n == 0) {
        errno = SocketErrors::codeOf(SocketErrors::ConnectionError::ConnectionReset);
        return -1;
    }
    return n < 0 ? -1 : static_cast<int>(n);
}

int SocketEndpoint::Write(const void* bytes, int length, const sockaddr_in* to, quint32 timeoutMs)
{
    const int fd = m_socket.load();
    if (fd == -1) {
        errno = SocketErrors::codeOf(SocketErrors::ConnectionError::NotSocket);
        return -1;
    }
    if (!bytes || length < 0) {
        errno = SocketErrors::kInvalidParameter;
        return -1;
    }
    if (timeoutMs != kInfinite) {
        pollfd pfd{fd, POLLOUT, 0};
        const int ready = ::poll(&pfd, 1, timeoutMs > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(timeoutMs));
        if (ready == 0)
            return 0;
        if (ready < 0)
            return -1;
    }
    const int flags = MSG_NOSIGNAL | MSG_DONTWAIT;
    ssize_t n;
    if (to)
        n = ::sendto(fd, bytes, static_cast<size_t>(length), flags,
                     reinterpret_cast<const sockaddr*>(to), sizeof *to);
    else
        n = ::send(fd, bytes, static_cast<size_t>(length), flags);
    return n < 0 ? -1 : static_cast<int>(n);
}

int SocketEndpoint::GetSocketType() const
{
    const int fd = m_socket.load();
    if (fd == -1) {
        errno = SocketErrors::codeOf(SocketErrors::ConnectionError::NotSocket);
        return -1;
    }
    int type = 0;
    socklen_t length = sizeof type;
    if (getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) != 0)
        return -1;
    return type;
}

bool SocketEndpoint::GetLocalAddress(sockaddr_in& address) const
{
    const int fd = m_socket.load();
    socklen_t length = sizeof address;
    return fd != -1 && getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
}

bool SocketEndpoint::GetPeerAddress(sockaddr_in& address) const
{
    const int fd = m_socket.load();
    socklen_t length = sizeof address;
    return fd != -1 && getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
}
