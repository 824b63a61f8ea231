#include "tools/tervana-sim/ControlPort.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// More than any command; a peer that sends this much unframed gets cut off.
constexpr int kMaxBuffered = 4096;
constexpr int kSplitPauseMs = 30;
}

ControlPort::ControlPort(NxtBrick& brick, WireLog& wireLog, ControlPortFaults faults)
    : m_brick(brick), m_wireLog(wireLog), m_faults(faults)
{
}

ControlPort::~ControlPort()
{
    Stop();
}

bool ControlPort::Start(const QString& address, quint16 port, QString* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
        if (m_listen >= 0)
            ::close(m_listen);
        m_listen = -1;
        return false;
    };
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (inet_pton(AF_INET, address.toLatin1().constData(), &addr.sin_addr) != 1) {
        errno = EINVAL;
        return fail("address");
    }
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listen < 0)
        return fail("socket");
    const int on = 1;
    setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        return fail("bind");
    if (::listen(m_listen, 4) != 0)
        return fail("listen");
    socklen_t length = sizeof addr;
    getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &length);
    m_port = ntohs(addr.sin_port);
    m_wake = ::eventfd(0, EFD_CLOEXEC);
    if (m_wake < 0)
        return fail("eventfd");
    m_thread = std::thread([this] { Run(); });
    return true;
}

void ControlPort::Stop()
{
    if (m_wake >= 0) {
        const eventfd_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wake, &one, sizeof one);
    }
    if (m_thread.joinable())
        m_thread.join();
    for (int* fd : {&m_client, &m_listen, &m_wake}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

int ControlPort::NextTimeoutMs() const
{
    if (m_pending.empty())
        return -1;
    const long long wait = m_pending.front().due - WireLog::NowMs();
    return wait < 0 ? 0 : static_cast<int>(wait);
}

void ControlPort::Run()
{
    for (;;) {
        pollfd fds[3] = {{m_wake, POLLIN, 0}, {m_listen, POLLIN, 0}, {m_client, POLLIN, 0}};
        const int ready = ::poll(fds, m_client >= 0 ? 3 : 2, NextTimeoutMs());
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[0].revents)
            return;
        while (!m_pending.empty() && m_pending.front().due <= WireLog::NowMs()) {
            SendReply(m_pending.front().bytes);
            m_pending.pop_front();
        }
        if (fds[1].revents & POLLIN)
            Accept();
        if (m_client >= 0 && fds[2].fd == m_client && fds[2].revents)
            Receive();
    }
}

void ControlPort::Accept()
{
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int fd = ::accept4(m_listen, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    if (m_client >= 0)
        DropClient("replaced by a new connection");
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    m_client = fd;
    m_commands = 0;
    m_buffer.clear();
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
    m_wireLog.Note(QStringLiteral("connected %1:%2").arg(QLatin1String(text)).arg(ntohs(peer.sin_port)));
}

void ControlPort::DropClient(const char* why)
{
    if (m_client < 0)
        return;
    ::close(m_client);
    m_client = -1;
    m_buffer.clear();
    m_pending.clear();
    m_wireLog.Note(QStringLiteral("closed: %1").arg(QLatin1String(why)));
}

void ControlPort::Receive()
{
    char chunk[2048];
    const ssize_t n = ::recv(m_client, chunk, sizeof chunk, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        DropClient("peer closed");
        return;
    }
    if (n < 0)
        return;
    m_buffer.append(chunk, n);
    for (;;) {
        const int length = NxtBrick::CommandLength(m_buffer);
        if (length < 0) {
            if (m_buffer.size() > kMaxBuffered)
                DropClient("too much unframed data");
            return;
        }
        if (length == 0) {
            m_wireLog.Note(QStringLiteral("unknown bytes %1").arg(QString::fromLatin1(m_buffer.toHex(' '))));
            m_buffer.clear();
            return;
        }
        const QByteArray command = m_buffer.left(length);
        m_buffer.remove(0, length);
        m_wireLog.Command(command);
        ++m_commands;
        const QByteArray reply = m_brick.Execute(command);
        if (!reply.isEmpty() && !m_faults.silent) {
            if (m_faults.delayMs > 0)
                m_pending.push_back({WireLog::NowMs() + m_faults.delayMs, reply});
            else
                SendReply(reply);
        }
        if (m_faults.closeAfter > 0 && m_commands >= m_faults.closeAfter) {
            DropClient("command limit reached");
            return;
        }
        if (m_client < 0)
            return;
    }
}

void ControlPort::SendReply(const QByteArray& reply)
{
    if (m_client < 0)
        return;
    auto sendAll = [this](const char* data, qsizetype size) {
        while (size > 0) {
            const ssize_t n = ::send(m_client, data, static_cast<size_t>(size), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            data += n;
            size -= n;
        }
        return true;
    };
    if (m_faults.split && reply.size() > 1) {
        const qsizetype half = reply.size() / 2;
        if (!sendAll(reply.constData(), half)) {
            DropClient("send failed");
            return;
        }
        // Long enough that the two halves reach the peer as two reads.
        ::usleep(kSplitPauseMs * 1000);
        if (!sendAll(reply.constData() + half, reply.size() - half))
            DropClient("send failed");
        return;
    }
    const QByteArray bytes = m_faults.doubled ? reply + reply : reply;
    if (!sendAll(bytes.constData(), bytes.size()))
        DropClient("send failed");
}
