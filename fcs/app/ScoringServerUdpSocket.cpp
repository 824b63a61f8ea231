#include "fcs/app/ScoringServerUdpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

ScoringServerUdpSocket::~ScoringServerUdpSocket()
{
    Close();
}

bool ScoringServerUdpSocket::Open(quint32 address, quint16 port)
{
    Close();
    if (address == 0 || address == 0xFFFFFFFFu || port == 0) {
        errno = EADDRNOTAVAIL;
        return false;
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    m_fd = fd;
    return true;
}

void ScoringServerUdpSocket::Close()
{
    if (m_fd != -1) {
        ::close(m_fd);
        m_fd = -1;
    }
}

int ScoringServerUdpSocket::Send(const void* bytes, int length, int timeoutMs)
{
    if (m_fd == -1 || !bytes)
        return -1;
    pollfd wait{m_fd, POLLOUT, 0};
    const int ready = ::poll(&wait, 1, timeoutMs < 0 ? 0 : timeoutMs);
    if (ready < 0)
        return -1;
    if (ready == 0)
        return 0;
    const ssize_t sent = ::send(m_fd, bytes, static_cast<size_t>(length), MSG_DONTWAIT | MSG_NOSIGNAL);
    return sent < 0 ? -1 : static_cast<int>(sent);
}
