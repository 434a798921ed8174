#include "PortAcceptor.h"

#include <QTcpServer>
#include <QTcpSocket>

// QTcpServer accepts here and reports its failures.
void PortAcceptor::watch()
{
    connect(m_server, &QTcpServer::newConnection, this, &PortAcceptor::acceptAll);
    connect(m_server, &QTcpServer::acceptError, this, [this] { backOff(m_server->errorString()); });
}

void PortAcceptor::setAccepting(bool accepting)
{
    if (!accepting) {
        m_server->pauseAccepting();
        return;
    }
    m_server->resumeAccepting();
    acceptAll();  // taken by QTcpServer meanwhile
}

QTcpSocket *PortAcceptor::nextConnection(QString *)
{
    return m_server->nextPendingConnection();
}
