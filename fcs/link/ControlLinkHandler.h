#pragma once

#include "fcs/link/SocketHandler.h"

#include <QtGlobal>

class QObject;
class TeamEntry;

// Carries a team entry's link events from the watch thread to the UI thread as
// queued calls. It touches nothing of the entry: each call takes a copy of the
// bytes and the number of the connection it belongs to, and the entry drops
// calls of a connection it has since closed or replaced.
class ControlLinkHandler : public SocketHandler {
public:
    ControlLinkHandler(QObject* receiver, TeamEntry* entry) : m_receiver(receiver), m_entry(entry) {}

    // Set only while no watch thread runs.
    void setConnection(quint32 connection) { m_connection = connection; }

    void SocketReady(SocketEndpoint&) override;
    void DataArrived(SocketEndpoint&, const char* bytes, int count, const sockaddr_in&) override;
    void PeerLost(SocketEndpoint&) override;
    void SocketFailed(SocketEndpoint&, int error) override;
    void ThreadEnding(SocketEndpoint&) override;

private:
    QObject* m_receiver;
    TeamEntry* m_entry;
    quint32 m_connection = 0;
};
