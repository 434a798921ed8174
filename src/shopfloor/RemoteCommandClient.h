#pragma once

#include "Verdict.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringConverter>

class QTcpSocket;
class QTimer;

// One request to the DNC server: what Go sends. Copied when the request
// starts, so that a change of machine or action meanwhile does not touch it.
struct RemoteCommandRequest {
    QString serverAddress;  // dotted address or host name, used unchanged
    int serverPort = 0;
    QString remoteCommand;  // may be empty: the line then begins with the blank
    QString fullPath;
};

// Sends one command line per request over a fresh TCP connection:
// connect (bounded by the connect time-out), write exactly the bytes of the
// line, wait until they have left (bounded by the send time-out), close.
// Nothing is read. All waiting is signals and the one-shot timer timSocket;
// the caller's event loop keeps running.
//
// Failures are shown with ShowMessage and then reported by finished():
// - no connection (time-out, refused, unknown host): CannotConnect;
// - a path or command that the wire encoding cannot carry exactly, an invalid
//   port, a send that does not complete, a connection lost while sending:
//   the error's description. Nothing is shown on success.
//
// Typical use in the window:
//     if (remote->isBusy()) return;            // a Go during a request is ignored
//     (the checks of RemoteCommandChecks.h give the full path)
//     remote->start({ServerAddress, ServerPort, RemoteCommand, path});
class RemoteCommandClient : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Sent,           // the line has left and the connection is closed
        NotConnected,   // CannotConnect shown
        NotEncodable,   // nothing was sent, not even a connection made
        SendTimedOut,   // the bytes did not leave in time; connection aborted
        Failed,         // any other error; its description was shown
    };
    Q_ENUM(Outcome)

    static constexpr int DefaultConnectTimeoutMs = 10000;
    static constexpr int DefaultSendTimeoutMs = 10000;

    explicit RemoteCommandClient(QObject *parent = nullptr,
                                 int connectTimeoutMs = DefaultConnectTimeoutMs,
                                 int sendTimeoutMs = DefaultSendTimeoutMs);
    ~RemoteCommandClient() override;

    void setConnectTimeout(int ms) { m_connectTimeoutMs = ms; }
    void setSendTimeout(int ms) { m_sendTimeoutMs = ms; }
    int connectTimeout() const { return m_connectTimeoutMs; }
    int sendTimeout() const { return m_sendTimeoutMs; }
    // Defaults to DefaultWireEncoding().
    void setWireEncoding(QStringConverter::Encoding encoding) { m_encoding = encoding; }

    // True from start() until finished().
    bool isBusy() const { return m_state != State::Idle; }
    // True while the line is handed to the socket and has not all left.
    bool SendPending() const { return m_state == State::Sending; }
    // Set when the last connection attempt ran out of time; cleared when the
    // next one starts.
    bool ConnectTimedOut() const { return m_connectTimedOut; }
    // The message shown for the last failed request (None for the socket's
    // own description), and whether it failed after the connection was made
    // (the line then may have partly left).
    MessageId lastError() const { return m_lastError; }
    QString lastErrorText() const { return m_lastErrorText; }
    bool failedAfterConnecting() const { return m_failedAfterConnecting; }

    // Starts `request`. Returns false and does nothing while a request is under
    // way. An attempt that timed out is left to go on until this call closes
    // it; if it gets through meanwhile it is closed at once, sending nothing.
    // Returns true when the request was taken (finished() follows, possibly
    // before start() returns for a request refused at once).
    bool start(const RemoteCommandRequest &request);

signals:
    // Emitted once per taken request, after any message has been closed.
    void finished(RemoteCommandClient::Outcome outcome);

private:
    enum class State { Idle, Connecting, Sending, Reporting };

    void onConnected();
    void onBytesWritten();
    void onSocketError();
    void timSocket_Timer();
    Verdict notConnected() const;
    void fail(Outcome outcome, const Verdict &why, bool abortSocket);
    void fail(Outcome outcome, const QString &socketError, bool abortSocket);
    void report(Outcome outcome, MessageId message, const QString &text, bool abortSocket);
    void succeed();
    void discardSocket();

    State m_state = State::Idle;
    bool m_connectTimedOut = false;
    bool m_failedAfterConnecting = false;
    MessageId m_lastError = MessageId::None;
    QString m_lastErrorText;
    int m_connectTimeoutMs;
    int m_sendTimeoutMs;
    QStringConverter::Encoding m_encoding;
    RemoteCommandRequest m_request;
    QByteArray m_line;
    QPointer<QTcpSocket> m_socket;
    QTimer *timSocket = nullptr;
};
