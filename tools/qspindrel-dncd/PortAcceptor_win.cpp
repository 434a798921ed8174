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

void PortAcceptor::setPaused(bool paused)
{
    m_paused = paused;
    if (paused)
        m_server->pauseAccepting();
    else if (m_retryMs == 0)
        m_server->resumeAccepting();
    if (!paused)
        acceptAll();  // taken by QTcpServer meanwhile
}

void PortAcceptor::acceptAll()
{
    while (!m_paused) {
        QTcpSocket *socket = m_server->nextPendingConnection();
        if (!socket)
            return;
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
    QTimer::singleShot(m_retryMs, this, [this] {
        if (!m_paused)
            m_server->resumeAccepting();
    });
}
