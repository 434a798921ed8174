#pragma once

#include "SimulatedReceive.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class PortAcceptor;
class QTcpServer;
class QTcpSocket;
class QTimer;

struct DncOptions {
    // Beyond this a request is no request but a flood; also what one peer may cost.
    static constexpr qint64 LargestMaxLineBytes = 16 * 1024 * 1024;

    std::optional<SimulatedReceive> simulate;
    qint64 maxLineBytes = 64 * 1024;
    // Time a peer has from connecting to closing.
    int idleTimeoutMs = 30000;
    // Connections served at once, over all ports; further peers wait in the
    // system's queue until one ends.
    int maxConnections = 256;
};

// Listens on loopback ports and logs one line per connection: every byte the
// peer sent until it closed, escaped. Never answers.
class DncServer : public QObject
{
    Q_OBJECT
public:
    explicit DncServer(DncOptions options, QObject *parent = nullptr);

    // Starts listening on 127.0.0.1:port and prints "listening on PORT".
    bool listen(quint16 port, QString *error);

private:
    void onAccepted(QTcpSocket *socket, quint16 port);
    void onConnectionEnded();

    DncOptions m_options;
    QList<QTcpServer *> m_servers;
    QList<PortAcceptor *> m_acceptors;
    int m_open = 0;
};

// One peer: collects its bytes until it closes, resets, sends too much or
// has not finished in time, then logs and goes away.
class DncConnection : public QObject
{
    Q_OBJECT
public:
    DncConnection(QTcpSocket *socket, quint16 localPort, const DncOptions &options,
                  QObject *parent);

private:
    void onReadyRead();
    void onError();
    void onDeadline();
    void finish(const QString &outcome, bool abort);

    QTcpSocket *m_socket;
    QTimer *m_deadline;
    const DncOptions &m_options;
    quint16 m_port;
    QString m_peer;
    QByteArray m_bytes;
    bool m_done = false;
    bool m_flooded = false;
};
