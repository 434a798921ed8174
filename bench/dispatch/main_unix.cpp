// Costs of one Go request: the round trip on loopback, the same request of a
// 1 MB program with and without the journal, and what the station spends
// while it waits through a connect time-out.
//
//   bench_dispatch [--rounds N] [--journal-rounds N] [--timeout-ms MS]

#include "Messages.h"
#include "RemoteCommandClient.h"
#include "RequestJournal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>
#include <arpa/inet.h>
#include <cstdio>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <fcntl.h>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A loopback peer that reads each connection to its end, as the DNC server does.
class Sink : public QObject
{
public:
    Sink()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                auto *bytes = new QByteArray;
                connect(s, &QTcpSocket::readyRead, s, [s, bytes] { *bytes += s->readAll(); });
                connect(s, &QTcpSocket::disconnected, s, [this, s, bytes] {
                    *bytes += s->readAll();
                    m_last = *bytes;
                    delete bytes;
                    s->deleteLater();
                    ++m_completed;
                    if (onCompleted)
                        onCompleted();
                });
            }
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    int completed() const { return m_completed; }
    QByteArray last() const { return m_last; }
    std::function<void()> onCompleted;

private:
    QTcpServer m_server;
    int m_completed = 0;
    QByteArray m_last;
};

void RoundTrip(int rounds)
{
    Sink sink;
    RemoteCommandClient client;
    std::vector<double> clientMs, serverMs;
    const RemoteCommandRequest request{QStringLiteral("127.0.0.1"), sink.port(),
                                       QStringLiteral("LOAD"),
                                       QStringLiteral("/srv/nc/MILL1/O1234.NC")};
    for (int i = 0; i < rounds; ++i) {
        QEventLoop loop;
        QElapsedTimer t;
        double clientDone = -1;
        const int before = sink.completed();
        auto done = [&] {
            if (clientDone >= 0 && sink.completed() > before)
                loop.quit();
        };
        auto c = QObject::connect(&client, &RemoteCommandClient::finished, &loop, [&] {
            clientDone = double(t.nsecsElapsed()) / 1e6;
            done();
        });
        sink.onCompleted = done;
        t.start();
        client.start(request);
        loop.exec();
        sink.onCompleted = nullptr;
        serverMs.push_back(double(t.nsecsElapsed()) / 1e6);
        clientMs.push_back(clientDone);
        QObject::disconnect(c);
    }
    std::printf("round trip, %d requests on loopback (\"%s\", %d bytes)\n", rounds,
                sink.last().constData(), int(sink.last().size()));
    std::printf("  Go to connection closed (client): median %.3f ms, p90 %.3f ms\n",
                Median(clientMs), Percentile(clientMs, 0.9));
    std::printf("  Go to whole line read by server:  median %.3f ms, p90 %.3f ms\n",
                Median(serverMs), Percentile(serverMs, 0.9));
}

// Go to the request's end (the line sent and the connection closed),
// alternating rounds without and with the journal, so that both see the same
// machine load. With the journal, Go notes the time (counted in the request)
// and the entry is recorded once the request is done, as the station does;
// the time the caller's thread spends on it, and the fingerprint and line on
// the journal's threads, are reported apart.
void JournalCost(int rounds)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("O1001.NC"));
    {
        QFile f(program);
        f.open(QIODevice::WriteOnly);
        QByteArray line("N0010 G01 X100.000 Y50.000 F300\n");
        for (qint64 written = 0; written < (1 << 20); written += line.size())
            f.write(line);
    }
    Sink sink;
    RemoteCommandClient client;
    RequestJournal journal;
    journal.configure(JournalSettings(), dir.filePath(QStringLiteral("journal")));
    const RemoteCommandRequest request{QStringLiteral("127.0.0.1"), sink.port(), QStringLiteral("LOAD"), program};
    std::vector<double> plainMs, journaledMs, writtenMs, callerMs;
    for (int i = 0; i < 2 * rounds; ++i) {
        const bool withJournal = i % 2;
        QEventLoop loop;
        QElapsedTimer t;
        double requestMs = -1;
        bool clientDone = false;
        qint64 startedAt = 0;
        double stampMs = 0;
        const int before = sink.completed();
        auto done = [&] {
            if (clientDone && sink.completed() > before)
                loop.quit();
        };
        auto c = QObject::connect(&client, &RemoteCommandClient::finished, &loop, [&] {
            requestMs = double(t.nsecsElapsed()) / 1e6;
            if (withJournal) {
                QElapsedTimer own;
                own.start();
                JournalEntry e = NewJournalEntry(QDateTime::fromMSecsSinceEpoch(startedAt));
                e.command = request.remoteCommand;
                e.path = program;
                journal.record(e);
                callerMs.push_back(stampMs + double(own.nsecsElapsed()) / 1e6);
            }
            clientDone = true;
            done();
        });
        sink.onCompleted = done;
        t.start();
        if (withJournal) {
            // All the journal asks of Go itself: the time.
            startedAt = QDateTime::currentMSecsSinceEpoch();
            stampMs = double(t.nsecsElapsed()) / 1e6;
        }
        client.start(request);
        loop.exec();
        QObject::disconnect(c);
        sink.onCompleted = nullptr;
        (withJournal ? journaledMs : plainMs).push_back(requestMs);
        // Both kinds of rounds end alike and last as long, so that the next
        // starts from the same state: the fingerprint back on this thread, the
        // line written, the processor as idle.
        double lineMs = -1;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (withJournal && lineMs < 0 && journal.pendingCount() == 0) {
                RequestJournal::waitForWrites(10000);
                lineMs = double(t.nsecsElapsed()) / 1e6;
            }
            if ((!withJournal || lineMs >= 0) && t.elapsed() >= 25)
                loop.quit();
        });
        poll.start(1);
        loop.exec();
        if (withJournal)
            writtenMs.push_back(lineMs);
    }
    const double plain = Median(plainMs), journaled = Median(journaledMs);
    std::printf("journal, %d requests of a 1 MB program each way on loopback, alternating\n", rounds);
    std::printf("  Go to request done, without journal: median %.3f ms, p90 %.3f ms\n", plain,
                Percentile(plainMs, 0.9));
    std::printf("  Go to request done, with journal:    median %.3f ms, p90 %.3f ms\n", journaled,
                Percentile(journaledMs, 0.9));
    std::printf("  ratio with/without (median): %.3f\n", journaled / plain);
    std::printf("  caller's thread for the journal (time at Go, entry and record() after): median %.3f ms, p90 %.3f ms\n", Median(callerMs),
                Percentile(callerMs, 0.9));
    std::printf("  Go to journal line written (fingerprint and line, off the caller's thread; 1 ms steps): median %.3f ms\n",
                Median(writtenMs));
}

void WaitCost(int timeoutMs)
{
    // A listener with backlog 0 and one queued connection drops further SYNs.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::listen(fd, 0);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
    int fillers[3];
    for (int &f : fillers) {
        f = ::socket(AF_INET, SOCK_STREAM, 0);
        ::fcntl(f, F_SETFL, O_NONBLOCK);
        ::connect(f, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    }

    RemoteCommandClient client(nullptr, timeoutMs);
    QEventLoop loop;
    RemoteCommandClient::Outcome outcome{};
    QObject::connect(&client, &RemoteCommandClient::finished, &loop,
                     [&](RemoteCommandClient::Outcome o) {
                         outcome = o;
                         loop.quit();
                     });
    const double cpu0 = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    client.start({QStringLiteral("127.0.0.1"), ntohs(addr.sin_port), QStringLiteral("LOAD"),
                  QStringLiteral("/srv/nc/O1.NC")});
    loop.exec();
    const double wallMs = double(wall.nsecsElapsed()) / 1e6;
    const double cpuMs = (CpuSeconds() - cpu0) * 1000.0;
    std::printf("connect time-out of %d ms against a listener that accepts nothing (%s)\n",
                timeoutMs,
                outcome == RemoteCommandClient::Outcome::NotConnected ? "message 180" : "UNEXPECTED");
    std::printf("  wall %.1f ms, CPU %.3f ms (user+system), CPU/wall %.5f (%.3f%%)\n", wallMs,
                cpuMs, cpuMs / wallMs, 100.0 * cpuMs / wallMs);
    for (int f : fillers)
        ::close(f);
    ::close(fd);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int rounds = 1000;
    int journalRounds = 200;
    int timeoutMs = 2000;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--rounds"))
            rounds = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--journal-rounds"))
            journalRounds = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--timeout-ms"))
            timeoutMs = std::max(1, args[i + 1].toInt());
    }
    SetMessagePresenter([](const QString &, int) { return int(MsgResultOk); });
    RoundTrip(rounds);
    JournalCost(journalRounds);
    WaitCost(timeoutMs);
    return 0;
}
