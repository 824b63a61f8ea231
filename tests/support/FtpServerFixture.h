#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// A real FTP server (Debian's pyftpdlib) on 127.0.0.1 with a free port, a
// temporary root and one user. It stops when the fixture goes, and on its own
// after lifeSeconds in case a test dies first.
class FtpServerFixture {
public:
    // perm: pyftpdlib's permission letters ("elradfmw" full, "elr" read only).
    FtpServerFixture(QString user, QString password, QString perm = QStringLiteral("elradfmw"),
                     int lifeSeconds = 60)
        : m_user(std::move(user)), m_password(std::move(password))
    {
        static const char* script = R"PY(
import logging, os, sys, threading
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
logging.basicConfig(level=logging.CRITICAL)
root, user, password, perm, life = sys.argv[1:6]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm=perm)
class Handler(FTPHandler):
    pass
Handler.authorizer = authorizer
Handler.auth_failed_timeout = 0.05
server = FTPServer(("127.0.0.1", 0), Handler)
print(server.address[1], flush=True)
threading.Timer(float(life), lambda: os._exit(0)).start()
server.serve_forever(timeout=0.1)
)PY";
        m_process.setProgram(QStringLiteral("/usr/bin/python3"));
        m_process.setArguments({QStringLiteral("-c"), QString::fromLatin1(script), m_root.path(),
                                m_user, m_password, perm, QString::number(lifeSeconds)});
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return;
        QByteArray line;
        while (!line.contains('\n') && m_process.waitForReadyRead(5000))
            line += m_process.readAllStandardOutput();
        m_port = static_cast<quint16>(line.trimmed().toUInt());
    }
    ~FtpServerFixture()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    FtpServerFixture(const FtpServerFixture&) = delete;
    FtpServerFixture& operator=(const FtpServerFixture&) = delete;

    bool running() const { return m_port != 0 && m_process.state() == QProcess::Running; }
    quint16 port() const { return m_port; }
    QString root() const { return m_root.path(); }
    QString path(const QString& relative) const { return QDir(m_root.path()).filePath(relative); }
    QByteArray read(const QString& relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool write(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir m_root;
    QString m_user;
    QString m_password;
    QProcess m_process;
    quint16 m_port = 0;
};

// A loopback TCP port that takes connections (the kernel completes them) but
// never says a word: a server that has hung.
class SilentTcpListener {
public:
    SilentTcpListener()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) != 0
            || ::listen(m_fd, 8) != 0
            || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~SilentTcpListener()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SilentTcpListener(const SilentTcpListener&) = delete;
    SilentTcpListener& operator=(const SilentTcpListener&) = delete;
    quint16 port() const { return m_port; }

private:
    int m_fd = -1;
    quint16 m_port = 0;
};

// A loopback port with nothing listening: bound once to learn a free number, then closed.
inline quint16 ClosedLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

// Captures datagrams on a loopback UDP port.
class UdpCapture {
public:
    UdpCapture()
    {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) != 0
            || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~UdpCapture()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    UdpCapture(const UdpCapture&) = delete;
    UdpCapture& operator=(const UdpCapture&) = delete;
    quint16 port() const { return m_port; }
    // The next datagram, or empty after waitMs.
    QByteArray next(int waitMs = 2000)
    {
        pollfd wait{m_fd, POLLIN, 0};
        if (::poll(&wait, 1, waitMs) <= 0)
            return QByteArray();
        char buffer[2048];
        const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, 0);
        return got < 0 ? QByteArray() : QByteArray(buffer, static_cast<qsizetype>(got));
    }

private:
    int m_fd = -1;
    quint16 m_port = 0;
};
