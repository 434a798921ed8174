#include "SingleInstance.h"

#include "AppInfo.h"
#include "InstanceTestHook.h"
#include "Messages.h"
#include "SystemApi.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <QWidget>

namespace {

const QByteArray kActivate = QByteArrayLiteral("ACTIVATE\n");
constexpr qint64 kRetryMs = 50;

// A lock whose process looks alive but holds no instance here: one written on
// another computer (a home folder shared between them), or one naming this
// very process: a power cut left it in the home folder, and this boot, running
// as the last one did, handed this start the same process id.
bool HeldByNobodyHere(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host, application;
    return lock.getLockInfo(&pid, &host, &application)
        && ((!host.isEmpty() && host != QSysInfo::machineHostName()) || pid == QCoreApplication::applicationPid());
}

} // namespace

QString InstanceUnreachableText()
{
    return GetMessageText(MessageId::InstanceNotAnswering, ApplicationTitle());
}

SingleInstance::SingleInstance(const QString &serverName, const QString &lockPath, QObject *parent)
    : QObject(parent),
      m_serverName(serverName.isEmpty() ? SystemInstanceServerName() : serverName),
      m_lock(lockPath.isEmpty() ? SystemInstanceLockPath() : lockPath)
{
    // Held for the whole life of the program; a crashed holder is noticed by
    // its process id, never by the lock's age.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

bool SingleInstance::Claim()
{
    const auto taken = [this] { return !m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError; };
    // A lock that cannot be made at all (folder not writable) is not taken:
    // better one station too many than none.
    if (taken() && (!HeldByNobodyHere(m_lock) || !m_lock.removeStaleLockFile() || taken()))
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a crashed instance; we hold the lock, so it is
    // nobody's now.
    QLocalServer::removeServer(m_serverName);
    if (m_server->listen(m_serverName))
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

bool SingleInstance::ActivatePrevInstance(int timeoutMs)
{
    SystemAllowForegroundActivation();
    // One budget for connecting and writing, so a slow peer cannot double it.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_serverName, QIODevice::WriteOnly);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        // The running instance takes the lock a moment before it listens.
        if (deadline.hasExpired())
            return false;
        QThread::msleep(quint64(qMin<qint64>(kRetryMs, deadline.remainingTime())));
    }
    socket.write(kActivate);
    const bool written = socket.waitForBytesWritten(int(deadline.remainingTime()));
    socket.disconnectFromServer();
    return written;
}

bool SingleInstance::HandOverToPrevInstance(int timeoutMs)
{
    if (ActivatePrevInstance(timeoutMs))
        return true;
    ShowMessage(InstanceUnreachableText());
    return false;
}

void SingleInstance::SetMainWindow(QWidget *window)
{
    m_window = window;
    InstanceTestHook::Attach(window);
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kActivate.size())
                    socket->abort();
                return;
            }
            // One request per connection; anything else is ignored.
            const QByteArray request = socket->readLine();
            socket->disconnectFromServer();
            if (request != kActivate)
                return;
            InstanceTestHook::Report("ACTIVATE");
            BringToFront(m_window);
            emit activationRequested();
        });
    }
}

void SingleInstance::BringToFront(QWidget *window)
{
    if (window && window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    QWidget *top = QApplication::activeModalWidget();
    if (!top)
        top = window;
    if (!top || !top->isVisible())
        return;
    top->raise();
    top->activateWindow();
}
