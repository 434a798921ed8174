#pragma once

// Real peers on 127.0.0.1 for the Go request tests.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

inline quint16 FreeLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

// A raw listener that never accepts. With backlog 0 and one connection already
// queued, the kernel drops every further SYN: connects hang until they time out.
class SilentListener
{
public:
    explicit SilentListener(int backlog, int fillers)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        if (::bind(m_fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0
            || ::listen(m_fd, backlog) != 0)
            return;
        socklen_t len = sizeof addr;
        ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        for (int i = 0; i < fillers; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
            ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
            m_fillers.append(fd);
        }
    }
    ~SilentListener()
    {
        for (int fd : m_fillers)
            ::close(fd);
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SilentListener(const SilentListener &) = delete;
    SilentListener &operator=(const SilentListener &) = delete;

    quint16 port() const { return m_port; }

    // Makes room for exactly one more connection: the fillers still waiting
    // give up, the queued one is taken off.
    void makeRoom()
    {
        for (int i = 1; i < m_fillers.size(); ++i)
            ::close(m_fillers[i]);
        m_fillers.resize(qMin<qsizetype>(1, m_fillers.size()));
        const int fd = ::accept(m_fd, nullptr, nullptr);
        if (fd >= 0)
            m_fillers.append(fd);
    }
    bool hasPending() const
    {
        pollfd p{m_fd, POLLIN, 0};
        return ::poll(&p, 1, 0) == 1;
    }
    // A connection that got through (the caller closes it), or -1.
    int accept() { return ::accept(m_fd, nullptr, nullptr); }

private:
    int m_fd = -1;
    quint16 m_port = 0;
    QList<int> m_fillers;
};

// socat writing everything one connection carries into a file, then exiting.
class SocatSink
{
public:
    bool start()
    {
        m_port = FreeLoopbackPort();
        m_file = m_dir.filePath(QStringLiteral("received"));
        m_process.start(QStringLiteral("socat"),
                        {QStringLiteral("-d"), QStringLiteral("-d"), QStringLiteral("-u"),
                         QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr").arg(m_port),
                         QStringLiteral("OPEN:%1,creat,trunc").arg(m_file)});
        if (!m_process.waitForStarted(5000))
            return false;
        QByteArray err;
        QDeadlineTimer deadline(10000);
        while (!err.contains("listening on") && !deadline.hasExpired()) {
            m_process.waitForReadyRead(200);
            err += m_process.readAllStandardError();
        }
        return err.contains("listening on");
    }
    quint16 port() const { return m_port; }
    // What the connection carried, once socat has seen it closed.
    QByteArray received(int timeoutMs = 10000)
    {
        if (!m_process.waitForFinished(timeoutMs))
            return QByteArray("<socat still running>");
        QFile f(m_file);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray("<no file>");
        return f.readAll();
    }
    ~SocatSink()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_file;
    QProcess m_process;
    quint16 m_port = 0;
};

// The DNC server stand-in as a real process.
class DncdProcess
{
public:
    // Listens on one free port, plus whatever `extraArgs` add.
    bool start(const QStringList &extraArgs = {})
    {
        m_port = FreeLoopbackPort();
        return start(extraArgs, {m_port});
    }
    // Listens on `ports` (none: `args` must name them, e.g. --db).
    bool start(const QStringList &args, const QList<quint16> &ports)
    {
        QStringList all = args;
        for (quint16 port : ports)
            all << QStringLiteral("--port") << QString::number(port);
        m_process.start(qEnvironmentVariable("QS_BIN_DIR") + QStringLiteral("/qspindrel-dncd"), all);
        if (!m_process.waitForStarted(5000))
            return false;
        for (quint16 port : ports) {
            if (waitForLine(QStringLiteral("listening on %1").arg(port)).isEmpty())
                return false;
        }
        return true;
    }
    quint16 port() const { return m_port; }
    // The next log line containing `needle`, or an empty string.
    QString waitForLine(const QString &needle, int timeoutMs = 10000)
    {
        QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                if (line.contains(needle))
                    return line;
            }
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return QString();
            m_process.waitForReadyRead(100);
        }
    }
    // The bytes of the next request line.
    QByteArray nextRequest(int timeoutMs = 10000)
    {
        const QString line =
            waitForLine(QStringLiteral(" port %1 peer ").arg(m_port), timeoutMs);
        static const QRegularExpression re(QStringLiteral("(\\d+) bytes \"(.*)\"(?: -> .*)?$"));
        const QRegularExpressionMatch m = re.match(line);
        if (!m.hasMatch())
            return QByteArray("<no request logged>");
        const QByteArray bytes = Unescape(m.captured(2));
        if (bytes.size() != m.captured(1).toInt())
            return QByteArray("<count mismatch>");
        return bytes;
    }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    ~DncdProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000)) {
                m_process.kill();
                m_process.waitForFinished(2000);
            }
        }
    }

    static QByteArray Unescape(const QString &text)
    {
        QByteArray out;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != QLatin1Char('\\')) {
                out += char(text[i].unicode());
            } else if (text.mid(i + 1, 1) == QLatin1String("x")) {
                out += char(text.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else {
                out += char(text[++i].unicode());
            }
        }
        return out;
    }

private:
    QProcess m_process;
    quint16 m_port = 0;
};
