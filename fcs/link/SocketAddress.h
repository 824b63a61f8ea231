#pragma once

#include <QString>
#include <netinet/in.h>

// Host and service texts to IPv4 socket addresses. Failures leave errno set.
namespace SocketAddress {

// Clears the address and fills family, host and port; true when the address
// or the port is not zero.
bool BuildAddress(const QString& service, sockaddr_in& address, const QString& host, int family = AF_INET);
// Host-order IPv4 address: a dotted number, "255.255.255.255", or a looked-up
// name; an empty text stands for this computer. Unresolvable names give all ones.
quint32 ResolveHost(const QString& host);
// Host-order port: the leading decimal digits, else a service-database name, else 0.
quint16 ResolvePort(const QString& service);
// This computer's name, canonical when a lookup of it succeeds. Fails with
// kInsufficientBuffer when the name has 261 or more characters.
bool GetLocalHostName(QString& name);

QString ToText(const sockaddr_in& address);

}
