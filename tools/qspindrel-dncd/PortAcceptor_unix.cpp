#include "PortAcceptor.h"

#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

// The server only listens; its descriptor is accepted from here, where every
// failure is seen.
void PortAcceptor::watch()
{
    m_server->pauseAccepting();
    m_notifier = new QSocketNotifier(m_server->socketDescriptor(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PortAcceptor::acceptAll);
    // Once while descriptors are free: a sanitizer build checks the type the
    // first time it is used, through a pipe it cannot open once they run out.
    m_notifier->setEnabled(true);
}

void PortAcceptor::setAccepting(bool accepting)
{
    m_notifier->setEnabled(accepting);
}

QTcpSocket *PortAcceptor::nextConnection(QString *failure)
{
    for (;;) {
        const int fd = ::accept(int(m_server->socketDescriptor()), nullptr, nullptr);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                *failure = QString::fromLocal8Bit(std::strerror(errno));
            return nullptr;
        }
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        auto *socket = new QTcpSocket;
        if (socket->setSocketDescriptor(fd))
            return socket;
        ::close(fd);
        delete socket;
    }
}
