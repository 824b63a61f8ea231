#include "fcs/link/SocketAddress.h"

#include "fcs/link/SocketErrors.h"
#include "platform/Text8.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <unistd.h>

namespace SocketAddress {
namespace {
constexpr int kMaxName = 260;

QByteArray toBytes(const QString& text)
{
    QByteArray bytes = Text8::encode(text);
    if (bytes.size() > kMaxName)
        bytes.truncate(kMaxName);
    return bytes;
}
}

bool BuildAddress(const QString& service, sockaddr_in& address, const QString& host, int family)
{
    std::memset(&address, 0, sizeof address);
    address.sin_family = static_cast<sa_family_t>(family);
    const quint32 ip = ResolveHost(host);
    const quint16 port = ResolvePort(service);
    address.sin_addr.s_addr = htonl(ip);
    address.sin_port = htons(port);
    return ip != 0 || port != 0;
}

quint32 ResolveHost(const QString& host)
{
    QString text = host;
    if (text.isEmpty() && !GetLocalHostName(text))
        return INADDR_NONE;
    const QByteArray bytes = toBytes(text);
    in_addr parsed{};
    if (inet_pton(AF_INET, bytes.constData(), &parsed) == 1)
        return ntohl(parsed.s_addr);
    if (bytes == "255.255.255.255")
        return INADDR_NONE;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(bytes.constData(), nullptr, &hints, &found) != 0 || found == nullptr)
        return INADDR_NONE;
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const quint32 ip = ntohl(in->sin_addr.s_addr);
    freeaddrinfo(found);
    return ip;
}

quint16 ResolvePort(const QString& service)
{
    if (service.isEmpty())
        return 0;
    if (service.at(0).isDigit() && service.at(0).unicode() < 128) {
        quint32 value = 0;
        for (const QChar c : service) {
            if (c.unicode() < '0' || c.unicode() > '9')
                break;
            value = value * 10 + static_cast<quint32>(c.unicode() - '0');
            if (value > 0xFFFFFFu)
                break; // far past any port; keep the arithmetic bounded
        }
        return static_cast<quint16>(value);
    }
    const QByteArray name = toBytes(service);
    servent entry{};
    servent* result = nullptr;
    char buffer[1024];
    if (getservbyname_r(name.constData(), nullptr, &entry, buffer, sizeof buffer, &result) != 0
        || result == nullptr)
        return 0;
    return ntohs(static_cast<quint16>(result->s_port));
}

bool GetLocalHostName(QString& name)
{
    char buffer[kMaxName + 2] = {};
    if (gethostname(buffer, sizeof buffer - 1) != 0)
        return false;
    if (std::strlen(buffer) > kMaxName) {
        errno = SocketErrors::kInsufficientBuffer;
        return false;
    }
    name = Text8::decode(QByteArrayView(buffer, static_cast<qsizetype>(std::strlen(buffer))));
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    if (getaddrinfo(buffer, nullptr, &hints, &found) == 0 && found != nullptr) {
        if (found->ai_canonname && std::strlen(found->ai_canonname) <= kMaxName)
            name = Text8::decode(QByteArrayView(found->ai_canonname));
        freeaddrinfo(found);
    }
    return true;
}

QString ToText(const sockaddr_in& address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return QStringLiteral("%1:%2").arg(QString::fromLatin1(text)).arg(ntohs(address.sin_port));
}

}
