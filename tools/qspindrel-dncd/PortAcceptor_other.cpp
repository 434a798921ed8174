#include "PortAcceptor.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr int FirstRetryMs = 50;
constexpr int LastRetryMs = 2000;
}

// Here QTcpServer accepts; its reported failures are backed off from.
PortAcceptor::PortAcceptor(QTcpServer *server) : QObject(server), m_server(server)
{
    connect(server, &QTcpServer::newConnection, this, &PortAcceptor::acceptAll);
    connect(server, &QTcpServer::acceptError, this, [this] { backOff(m_server->errorString()); });
}

void PortAcceptor::acceptAll()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        if (m_retryMs != 0) {
            m_retryMs = 0;
            emit recovered();
        }
        emit accepted(socket);
    }
}

void PortAcceptor::backOff(const QString &why)
{
    if (m_retryMs == 0)
        emit failed(why);
    m_retryMs = qBound(FirstRetryMs, m_retryMs * 2, LastRetryMs);
    m_server->pauseAccepting();
    QTimer::singleShot(m_retryMs, m_server, [server = m_server] { server->resumeAccepting(); });
}
