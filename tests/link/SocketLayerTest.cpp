#include "fcs/link/SocketAddress.h"
#include "fcs/link/SocketClientImpl.h"
#include "fcs/link/SocketEndpoint.h"
#include "fcs/link/SocketErrors.h"
#include "fcs/link/SocketHandler.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/socket.h>
#include <unistd.h>

namespace {
using namespace std::chrono_literals;

// Records the watch thread's notifications; waits for them with a bound.
class RecordingHandler : public SocketHandler {
public:
    void ThreadStarted(SocketEndpoint&) override { add("started"); }
    void ThreadEnding(SocketEndpoint&) override { add("ending"); }
    void DataArrived(SocketEndpoint&, const char* bytes, int count, const sockaddr_in&) override
    {
        add("data " + std::string(bytes, static_cast<size_t>(count)));
    }
    void PeerLost(SocketEndpoint&) override { add("lost"); }
    void SocketFailed(SocketEndpoint&, int error) override { add("failed " + std::to_string(error)); }
    void SocketReady(SocketEndpoint&) override { add("ready"); }

    bool waitFor(const std::string& event, std::chrono::milliseconds limit = 3000ms)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] {
            return std::find(m_events.begin(), m_events.end(), event) != m_events.end();
        });
    }
    std::vector<std::string> events()
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    int count(const std::string& event)
    {
        const auto all = events();
        return static_cast<int>(std::count(all.begin(), all.end(), event));
    }

private:
    void add(std::string event)
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(std::move(event));
        m_changed.notify_all();
    }
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_events;
};

const QString kHost = QStringLiteral("127.0.0.30");

// A plain listening socket for the far side of a test.
struct Listener {
    explicit Listener(const QString& host, int backlog = 4)
    {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        inet_pton(AF_INET, host.toLatin1().constData(), &address.sin_addr);
        const int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        ok = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
             && ::listen(fd, backlog) == 0;
        socklen_t length = sizeof address;
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        port = QString::number(ntohs(address.sin_port));
    }
    ~Listener() { ::close(fd); }
    int acceptOne() { return ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC); }
    int fd = -1;
    bool ok = false;
    QString port;
};

TEST(SocketEndpoint, ReopeningAnOpenEndpointIsRefusedWithAccessDenied)
{
    Listener listener(kHost);
    ASSERT_TRUE(listener.ok);
    SocketEndpoint endpoint;
    ASSERT_TRUE(endpoint.ConnectTo(QString(), kHost, listener.port, AF_INET, SOCK_STREAM));
    const int before = endpoint.handle();

    errno = 0;
    EXPECT_FALSE(endpoint.ConnectTo(QString(), kHost, listener.port, AF_INET, SOCK_STREAM));
    EXPECT_EQ(errno, SocketErrors::kAccessDenied);
    errno = 0;
    EXPECT_FALSE(endpoint.CreateSocket(kHost, QStringLiteral("0"), AF_INET, SOCK_DGRAM, 0));
    EXPECT_EQ(errno, SocketErrors::kAccessDenied);
    EXPECT_EQ(endpoint.handle(), before);
    EXPECT_EQ(endpoint.GetSocketType(), SOCK_STREAM);

    endpoint.CloseSocket();
    endpoint.CloseSocket();
    EXPECT_FALSE(endpoint.isOpen());
    EXPECT_EQ(endpoint.GetSocketType(), -1);
    char buffer[SocketEndpoint::kReadSize];
    EXPECT_EQ(endpoint.Read(buffer), -1);
    EXPECT_EQ(endpoint.Write("x", 1), -1);
}

TEST(SocketEndpoint, ReadOfAClosedPeerIsAConnectionReset)
{
    Listener listener(kHost);
    SocketEndpoint endpoint;
    ASSERT_TRUE(endpoint.ConnectTo(QString(), kHost, listener.port, AF_INET, SOCK_STREAM));
    const int peer = listener.acceptOne();
    ASSERT_GE(peer, 0);
    ASSERT_EQ(::send(peer, "hi", 2, 0), 2);
    ::close(peer);
    char buffer[SocketEndpoint::kReadSize];
    EXPECT_EQ(endpoint.Read(buffer), 2);
    errno = 0;
    EXPECT_EQ(endpoint.Read(buffer), -1);
    EXPECT_EQ(errno, ECONNRESET);
}

TEST(SocketEndpoint, TimedWriteOnAFullSocketSendsNothing)
{
    Listener listener(kHost);
    SocketEndpoint endpoint;
    ASSERT_TRUE(endpoint.ConnectTo(QString(), kHost, listener.port, AF_INET, SOCK_STREAM));
    const int peer = listener.acceptOne(); // never reads
    ASSERT_GE(peer, 0);
    int shrink = 4096;
    setsockopt(endpoint.handle(), SOL_SOCKET, SO_SNDBUF, &shrink, sizeof shrink);
    setsockopt(peer, SOL_SOCKET, SO_RCVBUF, &shrink, sizeof shrink);
    const QByteArray block(1024, 'z');
    int writes = 0;
    // The untimed write never waits: it fails once the buffers are full.
    while (endpoint.Write(block.constData(), static_cast<int>(block.size())) > 0 && writes < 100000)
        ++writes;
    EXPECT_TRUE(errno == EAGAIN || errno == EWOULDBLOCK);
    EXPECT_LT(writes, 100000);
    EXPECT_EQ(endpoint.Write(block.constData(), static_cast<int>(block.size()), nullptr, 20), 0);
    ::close(peer);
}

TEST(SocketEndpoint, DatagramListenerFallsBackToTheAlternatePort)
{
    SocketEndpoint first;
    ASSERT_TRUE(first.CreateSocket(kHost, QStringLiteral("0"), AF_INET, SOCK_DGRAM, SocketEndpoint::kBroadcast));
    sockaddr_in taken{};
    ASSERT_TRUE(first.GetLocalAddress(taken));
    const QString takenPort = QString::number(ntohs(taken.sin_port));

    RecordingHandler handler;
    SocketClientImpl<RecordingHandler> client;
    client.SetHandler(&handler);
    ASSERT_TRUE(client.Start(kHost, QString(), takenPort, QStringLiteral("0"), AF_INET, SOCK_DGRAM,
                             SocketEndpoint::kBroadcast));
    ASSERT_TRUE(handler.waitFor("ready"));
    sockaddr_in bound{};
    ASSERT_TRUE(client.endpoint.GetLocalAddress(bound));
    EXPECT_NE(bound.sin_port, taken.sin_port);
    EXPECT_EQ(client.endpoint.localAddress, kHost);

    // It receives, and keeps listening through errors that are not fatal to a datagram socket.
    EXPECT_EQ(first.Write("D", 1, &bound), 1);
    EXPECT_TRUE(handler.waitFor("data D"));
    client.Stop();
    EXPECT_FALSE(client.IsRunning());
    EXPECT_EQ(handler.count("lost"), 0);
    EXPECT_EQ(handler.count("ending"), 1);
}

struct RuleCase {
    SocketErrors::ConnectionError error;
    bool streamEnds;
    bool datagramEnds;
};

TEST(SocketErrors, StreamAndDatagramRule)
{
    using E = SocketErrors::ConnectionError;
    const RuleCase cases[] = {
        {E::NotSocket, true, true},          {E::NetworkDown, true, true},
        {E::NetworkUnreachable, true, false}, {E::NetworkReset, true, false},
        {E::ConnectionAborted, true, false}, {E::ConnectionReset, true, false},
        {E::ShutDown, true, false},          {E::HostDown, true, false},
        {E::HostUnreachable, true, false},
    };
    ASSERT_EQ(std::size(cases), SocketErrors::kConnectionErrors.size());
    for (const RuleCase& c : cases) {
        const int code = SocketErrors::codeOf(c.error);
        EXPECT_NE(code, 0);
        EXPECT_EQ(SocketErrors::endsReadLoop(code, true), c.streamEnds) << code;
        EXPECT_EQ(SocketErrors::endsReadLoop(code, false), c.datagramEnds) << code;
    }
    EXPECT_FALSE(SocketErrors::endsReadLoop(EINVAL, true));
    EXPECT_FALSE(SocketErrors::endsReadLoop(ECONNREFUSED, false));
}

TEST(SocketClientImpl, StreamPeerThatClosesIsLostOnce)
{
    Listener listener(kHost);
    RecordingHandler handler;
    SocketClientImpl<RecordingHandler> client;
    client.SetHandler(&handler);
    ASSERT_TRUE(client.Start(QString(), kHost, listener.port, QString(), AF_INET, SOCK_STREAM, 0));
    const int peer = listener.acceptOne();
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(handler.waitFor("ready"));
    EXPECT_FALSE(client.Start(QString(), kHost, listener.port, QString(), AF_INET, SOCK_STREAM, 0))
        << "a second start while open is refused";
    ::send(peer, "abc", 3, 0);
    ASSERT_TRUE(handler.waitFor("data abc"));
    ::close(peer);
    ASSERT_TRUE(handler.waitFor("ending"));
    EXPECT_EQ(handler.count("lost"), 1);
    client.Stop();
    const auto events = handler.events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "started");
    EXPECT_EQ(events.back(), "ending");
}

TEST(SocketClientImpl, RefusedConnectReportsTheErrorAndEnds)
{
    Listener listener(kHost);
    const QString port = listener.port;
    ::close(listener.fd);
    listener.fd = -1;
    RecordingHandler handler;
    SocketClientImpl<RecordingHandler> client;
    client.SetHandler(&handler);
    ASSERT_TRUE(client.Start(QString(), kHost, port, QString(), AF_INET, SOCK_STREAM, 0));
    ASSERT_TRUE(handler.waitFor("ending"));
    EXPECT_EQ(handler.count("failed " + std::to_string(ECONNREFUSED)), 1);
    EXPECT_EQ(handler.count("ready"), 0);
    client.Stop();
}

TEST(SocketClientImpl, StopEndsAThreadBlockedInARead)
{
    Listener listener(kHost);
    RecordingHandler handler;
    SocketClientImpl<RecordingHandler> client;
    client.SetHandler(&handler);
    ASSERT_TRUE(client.Start(QString(), kHost, listener.port, QString(), AF_INET, SOCK_STREAM, 0));
    const int peer = listener.acceptOne(); // stays silent
    ASSERT_TRUE(handler.waitFor("ready"));
    const int fd = client.endpoint.handle();
    client.Stop();
    EXPECT_FALSE(client.IsRunning());
    EXPECT_FALSE(client.endpoint.isOpen());
    EXPECT_EQ(handler.events().back(), "ending");
    EXPECT_EQ(handler.count("lost"), 0) << "a local close is no lost peer";
    // The descriptor is closed only now that the thread is gone.
    EXPECT_EQ(fcntl(fd, F_GETFD), -1);
    ::close(peer);
}

TEST(SocketClientImpl, StopEndsAThreadStillConnecting)
{
    // A listener whose queue is full drops further connection attempts, so the
    // next connect hangs until stopped.
    Listener listener(kHost, 0);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(listener.port.toUShort());
        inet_pton(AF_INET, "127.0.0.30", &address.sin_addr);
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(fd);
    }
    RecordingHandler handler;
    SocketClientImpl<RecordingHandler> client;
    client.SetHandler(&handler);
    ASSERT_TRUE(client.Start(QString(), kHost, listener.port, QString(), AF_INET, SOCK_STREAM, 0));
    ASSERT_TRUE(handler.waitFor("started"));
    EXPECT_FALSE(handler.waitFor("ready", 100ms)) << "the connect should still be pending";
    client.Stop();
    EXPECT_FALSE(client.IsRunning());
    EXPECT_FALSE(client.endpoint.isOpen());
    EXPECT_EQ(handler.events().back(), "ending");
    for (const int fd : fillers)
        ::close(fd);
}

TEST(SocketAddress, ResolvesHostsAndPorts)
{
    EXPECT_EQ(SocketAddress::ResolveHost(QStringLiteral("127.0.0.5")), 0x7F000005u);
    EXPECT_EQ(SocketAddress::ResolveHost(QStringLiteral("255.255.255.255")), 0xFFFFFFFFu);
    EXPECT_EQ(SocketAddress::ResolveHost(QStringLiteral("no-such-host.invalid")), 0xFFFFFFFFu);
    EXPECT_NE(SocketAddress::ResolveHost(QString()), 0u);
    EXPECT_EQ(SocketAddress::ResolvePort(QStringLiteral("2901")), 2901);
    EXPECT_EQ(SocketAddress::ResolvePort(QStringLiteral("2901x")), 2901);
    EXPECT_EQ(SocketAddress::ResolvePort(QStringLiteral("no-such-service")), 0);
    EXPECT_EQ(SocketAddress::ResolvePort(QString()), 0);
    if (QFile::exists(QStringLiteral("/etc/services"))) {
        EXPECT_EQ(SocketAddress::ResolvePort(QStringLiteral("http")), 80);
    }
    sockaddr_in address{};
    EXPECT_FALSE(SocketAddress::BuildAddress(QStringLiteral("0"), address, QStringLiteral("0.0.0.0")));
    EXPECT_TRUE(SocketAddress::BuildAddress(QStringLiteral("2901"), address, QStringLiteral("127.0.0.31")));
    EXPECT_EQ(address.sin_family, AF_INET);
    EXPECT_EQ(ntohs(address.sin_port), 2901);
    EXPECT_EQ(ntohl(address.sin_addr.s_addr), 0x7F00001Fu);
    QString name;
    EXPECT_TRUE(SocketAddress::GetLocalHostName(name));
    EXPECT_FALSE(name.isEmpty());
}
}
