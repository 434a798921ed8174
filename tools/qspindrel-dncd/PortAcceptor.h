#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;

// Accepts the connections of one listening QTcpServer and sees every
// failure: after a harmless "try again" QTcpServer takes running out of
// descriptors for one more "try again" and polls the port without pause.
// Out of descriptors this stops accepting, waits (50 ms, then twice as long
// each time, at most 2 s) and tries again; the peers wait in the queue.
class PortAcceptor : public QObject
{
    Q_OBJECT
public:
    explicit PortAcceptor(QTcpServer *server);

    // Paused, it accepts nothing (not even the rest of a burst under way);
    // the peers wait in the queue.
    void setPaused(bool paused);

signals:
    void accepted(QTcpSocket *socket);
    // The first failure of a run of them, and the end of the run.
    void failed(const QString &why);
    void recovered();

private:
    void acceptAll();
    void backOff(const QString &why);
    // The system's part (PortAcceptor_*.cpp): starts watching the server,
    // turns accepting on and off, and takes the next waiting connection
    // (null when there is none, or with *failure set when accepting failed).
    void watch();
    void setAccepting(bool accepting);
    QTcpSocket *nextConnection(QString *failure);

    QTcpServer *m_server;
    QSocketNotifier *m_notifier = nullptr; // Unix only
    int m_retryMs = 0; // 0: accepting normally
    bool m_paused = false;
};
