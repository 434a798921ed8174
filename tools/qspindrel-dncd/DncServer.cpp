#include "DncServer.h"

#include "PortAcceptor.h"
#include "RequestLog.h"

#include <QDateTime>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr qsizetype LoggedFloodBytes = 200;
}

DncServer::DncServer(DncOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options))
{
}

bool DncServer::listen(quint16 port, QString *error)
{
    auto *server = new QTcpServer(this);
    if (!server->listen(QHostAddress::LocalHost, port)) {
        *error = QStringLiteral("port %1: %2").arg(port).arg(server->errorString());
        delete server;
        return false;
    }
    const quint16 listening = server->serverPort();
    auto *acceptor = new PortAcceptor(server);
    connect(acceptor, &PortAcceptor::accepted, this,
            [this, listening](QTcpSocket *socket) { onAccepted(socket, listening); });
    connect(acceptor, &PortAcceptor::failed, this, [listening](const QString &why) {
        LogLine(QStringLiteral("port %1: accept failed: %2; retrying").arg(listening).arg(why));
    });
    connect(acceptor, &PortAcceptor::recovered, this, [listening] {
        LogLine(QStringLiteral("port %1: accepting again").arg(listening));
    });
    m_servers.append(server);
    m_acceptors.append(acceptor);
    acceptor->setPaused(m_open >= m_options.maxConnections);
    LogLine(QStringLiteral("listening on %1").arg(server->serverPort()));
    return true;
}

void DncServer::onAccepted(QTcpSocket *socket, quint16 port)
{
    auto *connection = new DncConnection(socket, port, m_options, this);
    connect(connection, &QObject::destroyed, this, &DncServer::onConnectionEnded);
    if (++m_open < m_options.maxConnections)
        return;
    LogLine(QStringLiteral("%1 connections open, the most allowed (--max-connections); further peers wait")
                .arg(m_open));
    for (PortAcceptor *acceptor : std::as_const(m_acceptors))
        acceptor->setPaused(true);
}

void DncServer::onConnectionEnded()
{
    if (m_open-- < m_options.maxConnections)
        return;
    LogLine(QStringLiteral("accepting again"));
    for (PortAcceptor *acceptor : std::as_const(m_acceptors))
        acceptor->setPaused(false);
}

DncConnection::DncConnection(QTcpSocket *socket, quint16 localPort, const DncOptions &options,
                             QObject *parent)
    : QObject(parent),
      m_socket(socket),
      m_deadline(new QTimer(this)),
      m_options(options),
      m_port(localPort),
      m_peer(QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort()))
{
    socket->setParent(this);
    // Never more than one byte past the cap in memory.
    socket->setReadBufferSize(options.maxLineBytes + 1);
    // One deadline for the whole request: a peer that trickles bytes does
    // not keep its connection for ever.
    m_deadline->setSingleShot(true);
    m_deadline->setInterval(options.idleTimeoutMs);
    connect(m_deadline, &QTimer::timeout, this, &DncConnection::onDeadline);
    connect(socket, &QTcpSocket::readyRead, this, &DncConnection::onReadyRead);
    connect(socket, &QTcpSocket::errorOccurred, this, &DncConnection::onError);
    connect(socket, &QTcpSocket::disconnected, this, [this] { finish(QString(), false); });
    m_deadline->start();
    // Data may have arrived with the connection.
    if (socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &DncConnection::onReadyRead);
}

void DncConnection::onReadyRead()
{
    if (m_done)
        return;
    m_bytes += m_socket->read(m_options.maxLineBytes + 1 - m_bytes.size());
    if (m_bytes.size() > m_options.maxLineBytes) {
        m_bytes.truncate(m_options.maxLineBytes);
        m_flooded = true;
        finish(QStringLiteral("dropped: longer than %1 bytes").arg(m_options.maxLineBytes), true);
    }
}

void DncConnection::onError()
{
    if (m_done)
        return;
    switch (m_socket->error()) {
    case QAbstractSocket::RemoteHostClosedError:
        finish(QString(), false);
        break;
    case QAbstractSocket::SocketTimeoutError:
        break;
    default:
        finish(QStringLiteral("dropped: ") + m_socket->errorString(), true);
        break;
    }
}

void DncConnection::onDeadline()
{
    finish(QStringLiteral("dropped: not finished within %1 ms").arg(m_options.idleTimeoutMs), true);
}

void DncConnection::finish(const QString &outcome, bool abort)
{
    if (m_done)
        return;
    m_done = true;
    m_deadline->stop();
    QString result = outcome;
    if (result.isEmpty()) {
        // The peer closed: whatever is still buffered belongs to the request.
        const qint64 room = m_options.maxLineBytes - m_bytes.size();
        if (room > 0)
            m_bytes += m_socket->read(room);
        m_flooded = m_socket->bytesAvailable() > 0;
        if (m_flooded)
            result = QStringLiteral("dropped: longer than %1 bytes").arg(m_options.maxLineBytes);
        else if (m_options.simulate)
            result = m_options.simulate->handle(m_bytes);
    }
    // A request is logged whole; of a flood only its beginning.
    const QByteArray shown = m_flooded ? m_bytes.left(LoggedFloodBytes) : m_bytes;
    QString line = QStringLiteral("%1 port %2 peer %3 %4 bytes \"%5\"%6")
                       .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs))
                       .arg(m_port)
                       .arg(m_peer)
                       .arg(m_bytes.size())
                       .arg(EscapeBytes(shown), m_flooded ? QStringLiteral("...") : QString());
    // The result may quote the request's path: escaped like the request.
    if (!result.isEmpty())
        line += QStringLiteral(" -> ") + EscapeBytes(result.toUtf8());
    LogLine(line);
    m_socket->disconnect(this);
    if (abort)
        m_socket->abort();
    else
        m_socket->close();
    deleteLater();
}
