#include "PortAcceptor.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr int FirstRetryMs = 50;
constexpr int LastRetryMs = 2000;
}

PortAcceptor::PortAcceptor(QTcpServer *server) : QObject(server), m_server(server)
{
    watch();
}

void PortAcceptor::setPaused(bool paused)
{
    m_paused = paused;
    // A back-off under way resumes accepting itself when it ends.
    if (m_retryMs == 0 || paused)
        setAccepting(!paused);
}

void PortAcceptor::acceptAll()
{
    while (!m_paused) {
        QString failure;
        QTcpSocket *socket = nextConnection(&failure);
        if (!socket) {
            if (!failure.isEmpty())
                backOff(failure);
            return;
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
    setAccepting(false);
    QTimer::singleShot(m_retryMs, this, [this] { setAccepting(!m_paused); });
}
