#pragma once

// Real peers on 127.0.0.1 for the Go request tests.

#include <QtNetwork>
#include <QtTest>

#include "TestSupport.h"
#include "XSession.h"

#include <QOperatingSystemVersion>
#include <optional>

inline quint16 FreeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

// A raw listener that never accepts. With backlog 0 and one connection already
// queued, the kernel drops every further SYN: connects hang until they time out.
class SilentListener
{
public:
    explicit SilentListener(int backlog, int fillers)
    {
        m_fd = RawListen(backlog, &m_port);
        for (int i = 0; m_fd != NoRawSocket && i < fillers; ++i)
            m_fillers.append(RawConnectPending(m_port));
    }
    ~SilentListener()
    {
        for (RawSocket fd : m_fillers)
            RawClose(fd);
        RawClose(m_fd);
    }
    Q_DISABLE_COPY(SilentListener)

    quint16 port() const { return m_port; }
    RawSocket fd() const { return m_fd; }
    // Room for exactly one more connection: the waiting fillers give up, the queued one is taken off.
    void makeRoom()
    {
        while (m_fillers.size() > 1)
            RawClose(m_fillers.takeLast());
        const RawSocket fd = RawAccept(m_fd);
        if (fd != NoRawSocket)
            m_fillers.append(fd);
    }

private:
    RawSocket m_fd = NoRawSocket;
    quint16 m_port = 0;
    QList<RawSocket> m_fillers;
};

// The DNC server stand-in, listening on `ports` (none: `args` name them, e.g. --db).
class DncdProcess
{
public:
    ~DncdProcess() { StopProcess(m_process); }
    bool start(QStringList args = {}, const QList<quint16> &ports = {FreeLoopbackPort()})
    {
        m_port = ports.value(0);
        for (quint16 port : ports)
            args << "--port" << QString::number(port);
        m_process.start(qEnvironmentVariable("QS_BIN_DIR") + "/qspindrel-dncd", args);
        bool ok = m_process.waitForStarted(5000);
        for (quint16 port : ports)
            ok = ok && !waitForLine(QString("listening on %1").arg(port)).isEmpty();
        return ok;
    }
    quint16 port() const { return m_port; }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    // The next log line containing `needle`, or an empty string.
    QString waitForLine(const QString &needle)
    {
        for (QDeadlineTimer deadline(10000);; m_process.waitForReadyRead(100)) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                if (line.contains(needle))
                    return line;
            }
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return QString();
        }
    }
    // The next request's log line on `port` (default: the first one listened on).
    QString nextLine(quint16 port = 0) { return waitForLine(QString(" port %1 peer ").arg(port ? port : m_port)); }
    // The bytes of the next request, from its escaped log line.
    QByteArray nextRequest()
    {
        static const QRegularExpression re(R"re((\d+) bytes "(.*)"(?: -> .*)?$)re");
        const QRegularExpressionMatch m = re.match(nextLine());
        const QString text = m.captured(2);
        QByteArray out;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool hex = text[i] == '\\' && text[++i] == 'x';
            out += hex ? char(text.mid(i + 1, 2).toInt(nullptr, 16)) : char(text[i].unicode());
            i += hex ? 2 : 0;
        }
        return m.hasMatch() && out.size() == m.captured(1).toInt() ? out : "<no request or count mismatch>";
    }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

// socat taking one connection; where socat is no program of the system
// (Windows), the DNC stand-in.
class SocatSink
{
public:
    bool start()
    {
        if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
            return m_dncd.emplace().start();
        return m_socat.start(m_dir.filePath("received"));
    }
    quint16 port() const { return m_dncd ? m_dncd->port() : m_socat.port(); }
    QByteArray received()
    {
        if (m_dncd)
            return m_dncd->nextRequest();
        return m_socat.waitForRequest(10000) ? m_socat.received() : "<nothing or still running>";
    }

private:
    QTemporaryDir m_dir;
    SocatPeer m_socat;
    std::optional<DncdProcess> m_dncd;
};
