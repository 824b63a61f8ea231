#include "fcs/link/ControlLinkHandler.h"

#include "fcs/link/TeamEntry.h"
#include "platform/UiQueue.h"

void ControlLinkHandler::SocketReady(SocketEndpoint&)
{
    TeamEntry* entry = m_entry;
    const quint32 connection = m_connection;
    postToUi(m_receiver, [entry, connection] { entry->onLinkReady(connection); });
}

void ControlLinkHandler::DataArrived(SocketEndpoint&, const char* bytes, int count, const sockaddr_in&)
{
    TeamEntry* entry = m_entry;
    const quint32 connection = m_connection;
    QByteArray copy(bytes, count);
    postToUi(m_receiver, [entry, connection, copy] { entry->onLinkData(connection, copy); });
}

void ControlLinkHandler::PeerLost(SocketEndpoint&)
{
    TeamEntry* entry = m_entry;
    const quint32 connection = m_connection;
    postToUi(m_receiver, [entry, connection] { entry->onLinkLost(connection); });
}

void ControlLinkHandler::SocketFailed(SocketEndpoint&, int error)
{
    TeamEntry* entry = m_entry;
    const quint32 connection = m_connection;
    postToUi(m_receiver, [entry, connection, error] { entry->onLinkFailed(connection, error); });
}

void ControlLinkHandler::ThreadEnding(SocketEndpoint&)
{
    TeamEntry* entry = m_entry;
    const quint32 connection = m_connection;
    postToUi(m_receiver, [entry, connection] { entry->onLinkEnded(connection); });
}
