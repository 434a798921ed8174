#include "RemoteCommandClient.h"

#include "AppInfo.h"
#include "Messages.h"
#include "RemoteCommandLine.h"
#include "RequestSafety.h"
#include "WireEncoding.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

RemoteCommandClient::RemoteCommandClient(QObject *parent, int connectTimeoutMs, int sendTimeoutMs)
    : QObject(parent),
      m_connectTimeoutMs(connectTimeoutMs),
      m_sendTimeoutMs(sendTimeoutMs),
      m_encoding(DefaultWireEncoding()),
      timSocket(new QTimer(this))
{
    timSocket->setSingleShot(true);
    // A coarse timer may fire 5 % early; the operator is promised the full time.
    timSocket->setTimerType(Qt::PreciseTimer);
    connect(timSocket, &QTimer::timeout, this, &RemoteCommandClient::timSocket_Timer);
}

RemoteCommandClient::~RemoteCommandClient()
{
    discardSocket();
}

bool RemoteCommandClient::start(const RemoteCommandRequest &request)
{
    if (m_state != State::Idle)
        return false;

    // Whatever an earlier attempt that timed out left behind goes first.
    discardSocket();
    m_request = request;

    const QString line = BuildRemoteCommandLine(m_request.remoteCommand, m_request.fullPath);
    // A line-based server would read a second request after a line break.
    if (HasControlCharacter(line)) {
        fail(Outcome::NotEncodable, ControlCharacterRefusal(line), false);
        return true;
    }
    const std::optional<QByteArray> bytes = EncodeForWire(line, m_encoding);
    if (!bytes) {
        fail(Outcome::NotEncodable, WireEncodingRefusal(line), false);
        return true;
    }
    if (m_request.serverPort < 1 || m_request.serverPort > 65535) {
        fail(Outcome::Failed, {MessageId::InvalidPort, {QString::number(m_request.serverPort)}}, false);
        return true;
    }
    m_line = *bytes;

    m_connectTimedOut = false;
    m_state = State::Connecting;
    auto *socket = new QTcpSocket(this);
    // The DNC server sits on the plant network; an application-wide proxy
    // would only get in the way.
    socket->setProxy(QNetworkProxy::NoProxy);
    m_socket = socket;
    connect(socket, &QTcpSocket::connected, this, &RemoteCommandClient::onConnected);
    connect(socket, &QTcpSocket::bytesWritten, this, &RemoteCommandClient::onBytesWritten);
    connect(socket, &QTcpSocket::errorOccurred, this, &RemoteCommandClient::onSocketError);
    timSocket->start(m_connectTimeoutMs);
    socket->connectToHost(m_request.serverAddress, quint16(m_request.serverPort));
    return true;
}

void RemoteCommandClient::onConnected()
{
    if (sender() != m_socket)
        return;
    if (m_state != State::Connecting) {
        // An attempt already reported as failed got through late: end it at
        // once rather than hold an empty connection open at the server.
        m_socket->disconnectFromHost();
        discardSocket();
        return;
    }
    timSocket->stop();
    m_state = State::Sending;
    timSocket->start(m_sendTimeoutMs);
    if (m_socket->write(m_line) != m_line.size())
        fail(Outcome::Failed, m_socket->errorString(), true);
}

void RemoteCommandClient::onBytesWritten()
{
    if (m_state != State::Sending || sender() != m_socket)
        return;
    if (m_socket->bytesToWrite() == 0)
        succeed();
}

void RemoteCommandClient::onSocketError()
{
    if (sender() != m_socket)
        return;
    if (m_state == State::Connecting) {
        // A refusal or an unknown host is as final as the time-out; the
        // operator learns it at once.
        fail(Outcome::NotConnected, notConnected(), true);
    } else if (m_state == State::Sending) {
        fail(Outcome::Failed, m_socket->errorString(), true);
    }
}

void RemoteCommandClient::timSocket_Timer()
{
    if (m_state == State::Connecting) {
        m_connectTimedOut = true;
        // The attempt is left to go on; should it still get through, it is
        // closed at once, otherwise the next request closes it.
        fail(Outcome::NotConnected, notConnected(), false);
    } else if (m_state == State::Sending) {
        fail(Outcome::SendTimedOut,
             {MessageId::RequestNotSentInTime,
              {m_request.serverAddress, QString::number(m_request.serverPort),
               QString::number(m_sendTimeoutMs / 1000.0)}},
             true);
    }
}

Verdict RemoteCommandClient::notConnected() const
{
    return {MessageId::CannotConnect,
            {ApplicationTitle(), m_request.serverAddress, QString::number(m_request.serverPort)}};
}

void RemoteCommandClient::fail(Outcome outcome, const Verdict &why, bool abortSocket)
{
    report(outcome, why.message, why.text(), abortSocket);
}

void RemoteCommandClient::fail(Outcome outcome, const QString &socketError, bool abortSocket)
{
    report(outcome, MessageId::None, socketError, abortSocket);
}

void RemoteCommandClient::report(Outcome outcome, MessageId message, const QString &text,
                                 bool abortSocket)
{
    timSocket->stop();
    m_lastError = message;
    m_lastErrorText = text;
    m_failedAfterConnecting = m_state == State::Sending;
    if (abortSocket)
        discardSocket();
    // Busy while the box is open: the box is modal, but its event loop runs.
    m_state = State::Reporting;
    ShowMessage(text);
    m_state = State::Idle;
    emit finished(outcome);
}

void RemoteCommandClient::succeed()
{
    timSocket->stop();
    m_socket->disconnectFromHost();
    discardSocket();
    m_state = State::Idle;
    emit finished(Outcome::Sent);
}

void RemoteCommandClient::discardSocket()
{
    if (!m_socket)
        return;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
