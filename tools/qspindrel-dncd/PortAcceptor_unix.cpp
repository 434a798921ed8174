#include "PortAcceptor.h"

#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int FirstRetryMs = 50;
constexpr int LastRetryMs = 2000;
}

PortAcceptor::PortAcceptor(QTcpServer *server) : QObject(server), m_server(server)
{
    // The server only listens; its own accepting stays off.
    server->pauseAccepting();
    m_notifier = new QSocketNotifier(server->socketDescriptor(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PortAcceptor::acceptAll);
    // Once while descriptors are free: a sanitizer build checks the type the
    // first time it is used, through a pipe it cannot open once they run out.
    m_notifier->setEnabled(true);
}

void PortAcceptor::setPaused(bool paused)
{
    m_paused = paused;
    // A back-off under way enables the notifier itself when it ends.
    if (m_retryMs == 0 || paused)
        m_notifier->setEnabled(!paused);
}

void PortAcceptor::acceptAll()
{
    while (!m_paused) {
        const int fd = ::accept(int(m_server->socketDescriptor()), nullptr, nullptr);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                backOff(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        auto *socket = new QTcpSocket;
        if (!socket->setSocketDescriptor(fd)) {
            ::close(fd);
            delete socket;
            continue;
        }
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
    m_notifier->setEnabled(false);
    QTimer::singleShot(m_retryMs, this, [this] { m_notifier->setEnabled(!m_paused); });
}
