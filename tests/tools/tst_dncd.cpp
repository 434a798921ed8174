#include <QtTest>

#include <QOperatingSystemVersion>

#include "ConfigSchema.h"
#include "FileBytes.h"
#include "clsAccessDBConnection.h"
#include "../shopfloor/tst_dispatch_peers.h"

#include <atomic>
#include <cstdio>
#include <thread>

// A connection to `port` that has sent `bytes` and, with `close`, was closed; null on failure.
static std::unique_ptr<QTcpSocket> Open(quint16 port, const QByteArray &bytes = {}, bool close = false)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, port);
    bool ok = socket->waitForConnected(5000) && socket->write(bytes) == bytes.size();
    while (ok && socket->bytesToWrite() > 0)
        ok = socket->waitForBytesWritten(5000);
    if (ok && close)
        socket->disconnectFromHost();
    ok = ok && (!close || socket->state() == QAbstractSocket::UnconnectedState || socket->waitForDisconnected(5000));
    return ok ? std::move(socket) : nullptr;
}

// A request sent on `port` and logged as it was sent.
static bool RoundTrip(DncdProcess &dncd, quint16 port, const QByteArray &bytes)
{
    return Open(port, bytes, true) && dncd.nextLine(port).endsWith('"' + bytes + '"');
}

class tst_Dncd : public QObject
{
    Q_OBJECT
private slots:
    // Ports from the command line and from the machines of a database, each listened on once;
    // many connections open at once on both, none mixed up with another.
    void logsEscapedBytesOnEveryPort()
    {
        QTemporaryDir scratch;
        const QString path = scratch.filePath("config.sqlite");
        const quint16 a = FreeLoopbackPort(), b = FreeLoopbackPort(), c = FreeLoopbackPort();
        QVERIFY(a != b && b != c && a != c);
        clsAccessDBConnection db;
        db.setDatabase(path);
        QVERIFY(CreateDatabaseFile(path) && db.Connect() && CreateConfigTables(db));
        QVERIFY(db.SQL("INSERT INTO T_DNC_MACHINES VALUES (1, '1', 'M', '127.0.0.1', ?, 1), (2, '2', 'M', '127.0.0.1', ?, 1), "
                       "(3, '3', 'M', '127.0.0.1', ?, 1)", {a, b, a}));  // two machines share port a
        db.Disconnect();
        DncdProcess dncd;
        QVERIFY(dncd.start({"--db", path}, {a, c}));
        QVERIFY(!dncd.waitForLine(QString("listening on %1").arg(b)).isEmpty());

        QVERIFY(Open(b, QByteArray("LOAD D:\\NC\x01\"x\xff", 15), true));
        const QString line = dncd.nextLine(b);
        QVERIFY2(line.endsWith(" 15 bytes \"LOAD D:\\\\NC\\x01\\\"x\\xFF\\x00\"")
                     && QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d.* peer 127\.0\.0\.1:)").match(line).hasMatch(),
                 qPrintable(line));

        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (int i = 0; i < 40; ++i)
            QVERIFY(sockets.emplace_back(Open(i % 2 ? a : c, QString("LOAD /O%1").arg(i).toUtf8())));
        for (auto it = sockets.rbegin(); it != sockets.rend(); ++it)
            (*it)->disconnectFromHost();
        QSet<QString> seen;
        for (int i = 0; i < 40; ++i)
            seen.insert(dncd.waitForLine(" bytes \"LOAD /O").section('"', 1, 1));
        QCOMPARE(seen.size(), 40);
    }

    void simulateWritesInsideRootOnly_data()
    {
        QTest::addColumn<QString>("relative");  // under the scratch folder; ROOT is "root"
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("written");
        QTest::newRow("file in root") << "root/O1.NC" << "SAVE" << true;
        QTest::newRow("file in sub-folder") << "root/mill1/O2.NC" << "SAVE" << true;
        QTest::newRow("name with blanks") << "root/mill1/PART 7.NC" << "SAVE" << true;
        QTest::newRow("send command writes nothing") << "root/O3.NC" << "LOAD" << false;
        QTest::newRow("dot-dot out of root") << "root/../outside/O4.NC" << "SAVE" << false;
        QTest::newRow("dot-dot staying inside") << "root/mill1/../O5.NC" << "SAVE" << false;
        QTest::newRow("sibling with root as prefix") << "rootless/O6.NC" << "SAVE" << false;
        QTest::newRow("link to a folder outside") << "root/escape/O7.NC" << "SAVE" << false;
        QTest::newRow("link to a file outside") << "root/victim.NC" << "SAVE" << false;
        QTest::newRow("missing folder") << "root/nowhere/O8.NC" << "SAVE" << false;
        QTest::newRow("folder itself") << "root/mill1" << "SAVE" << false;
        QTest::newRow("control character") << "root/O1\x01.NC" << "SAVE" << false;
        QTest::newRow("trailing line feed") << "root/O9.NC\n" << "SAVE" << false;
        QTest::newRow("line separator") << "root/O9\u2028.NC" << "SAVE" << false;
        QTest::newRow("name of 255 bytes") << "root/" + QString(252, 'N') + ".NC" << "SAVE" << true;
        // Another thread swaps a folder of the path for a link to a folder outside, again and again.
        QTest::newRow("folder swapped for a link, 400 times") << "root/swap/victim.NC" << "SAVE" << false;
    }
    void simulateWritesInsideRootOnly()
    {
        if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
            QSKIP("the stand-in writes received programs on Unix only");
        QFETCH(QString, relative);
        QFETCH(QString, command);
        QFETCH(bool, written);
        QTemporaryDir scratch;
        const QDir dir(scratch.path());
        QVERIFY(dir.mkpath("root/mill1") && dir.mkpath("root/swap") && dir.mkpath("outside") && dir.mkpath("rootless"));
        const QString victim = dir.filePath("outside/victim.NC");
        QVERIFY(WriteFileBytes(victim, "KEEP"));
        QVERIFY(QFile::link(dir.filePath("outside"), dir.filePath("root/escape")));
        QVERIFY(QFile::link(victim, dir.filePath("root/victim.NC")));

        DncdProcess dncd;
        QVERIFY(dncd.start({"--simulate", dir.filePath("root")}));
        const QString target = dir.filePath(relative);
        const bool race = relative.startsWith("root/swap/");
        std::atomic<bool> stop = !race;
        std::thread swapper([&] {
            QDir own(scratch.path());
            while (!stop) {
                own.rename("root/swap", "root/aside");  // swap: the link
                own.rename("root/escape", "root/swap");
                own.rename("root/swap", "root/escape");  // swap: the folder again
                own.rename("root/aside", "root/swap");
            }
        });
        int wrote = 0, refused = 0;
        for (int i = 0; i < (race ? 400 : 1) && Open(dncd.port(), (command + ' ' + target).toUtf8(), true); ++i) {
            const QString line = dncd.nextLine();
            wrote += line.contains(" -> wrote ");
            refused += line.contains(" -> refused: ");
        }
        stop = true;
        swapper.join();
        QCOMPARE(wrote + refused, race ? 400 : int(command == "SAVE"));
        QVERIFY(race || (wrote == 1) == written);
        QVERIFY(!written || (ReadFileBytes(target).startsWith("%\n") && ReadFileBytes(target).contains("M30")));
        QCOMPARE(QDir(dir.filePath("outside")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"victim.NC"});
        QCOMPARE(ReadFileBytes(victim), QByteArray("KEEP"));
        QCOMPARE(QDir(dir.filePath("rootless")).entryList(QDir::Files), QStringList());
    }

    void survivesFloodResetAndSilentPeers()
    {
        DncdProcess dncd;
        QVERIFY(dncd.start({"--max-line", "1000", "--idle-timeout", "1000"}));
        const auto flood = Open(dncd.port(), QByteArray(5000, 'Z'));
        // The server drops us without waiting for our close.
        QVERIFY(flood && (flood->state() == QAbstractSocket::UnconnectedState || flood->waitForDisconnected(10000)));
        const QString line = dncd.nextLine();
        QVERIFY2(line.contains("1000 bytes") && line.contains("dropped") && line.size() < 1000, qPrintable(line));
        const auto reset = Open(dncd.port(), "LOAD /half");
        QVERIFY(reset);
        ResetHard(reset.get());
        QVERIFY(!dncd.nextLine().isEmpty());
        // A silent peer is dropped after the time-out, without our doing anything,
        const auto silent = Open(dncd.port());
        QVERIFY(silent && silent->waitForDisconnected(10000));
        QVERIFY(dncd.nextLine().contains("not finished within 1000 ms"));
        // and so is one that sends a byte now and then: the time-out is not renewed.
        const auto trickle = Open(dncd.port());
        QVERIFY(trickle);
        for (int i = 0; i < 100 && trickle->state() == QAbstractSocket::ConnectedState; ++i) {
            trickle->write("L");
            trickle->waitForBytesWritten(1000);
            QTest::qWait(100);
        }
        QCOMPARE(trickle->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(dncd.nextLine().contains("not finished within 1000 ms"));
        QVERIFY(dncd.isRunning() && RoundTrip(dncd, dncd.port(), "LOAD /after"));
    }

    // Past the cap a new peer waits in the queue until a connection ends.
    void capsConnections()
    {
        DncdProcess dncd;
        QVERIFY(dncd.start({"--max-connections", "2", "--idle-timeout", "60000"}));
        std::vector<std::unique_ptr<QTcpSocket>> held;
        for (int i = 0; i < 2; ++i)
            QVERIFY(held.emplace_back(Open(dncd.port())));
        QVERIFY(!dncd.waitForLine("2 connections open, the most allowed").isEmpty());
        QVERIFY(Open(dncd.port(), "LOAD /waiting", true));
        held.front()->disconnectFromHost();
        QVERIFY(dncd.nextLine().contains(" 0 bytes "));
        QVERIFY(!dncd.waitForLine("accepting again").isEmpty());
        QCOMPARE(dncd.nextRequest(), QByteArray("LOAD /waiting"));
    }

    // Out of descriptors it waits instead of spinning, and serves again once some are free.
    void backsOffOutOfDescriptors()
    {
        DncdProcess dncd;
        if (!dncd.limitDescriptors(16))
            QSKIP("no descriptor limits here");
        QVERIFY(dncd.start({"--idle-timeout", "60000"}));
        // Served once before: a sanitizer build checks each type the first time
        // it meets it, with a pipe, which it cannot open once descriptors run out.
        QVERIFY(RoundTrip(dncd, dncd.port(), "LOAD /before"));
        std::vector<std::unique_ptr<QTcpSocket>> held;  // queued by the kernel past the limit
        for (int i = 0; i < 30; ++i)
            QVERIFY(held.emplace_back(Open(dncd.port())));
        QVERIFY(!dncd.waitForLine("accept failed").isEmpty());
        const double before = ProcessCpuSeconds(dncd.pid());
        QTest::qWait(2000);
        QVERIFY(before >= 0 && ProcessCpuSeconds(dncd.pid()) - before < 1.0);
        held.clear();
        QVERIFY(Open(dncd.port(), "LOAD /after", true));
        QVERIFY(!dncd.waitForLine("\"LOAD /after\"").isEmpty());
    }

    void refusesBadOptions()
    {
        QList<QStringList> refused{{}, {"--port", "0"}, {"--port", "1", "--simulate", "/nonexistent/qs-root"},
                                   {"--db", "/nonexistent/qs.sqlite"}, {"--port", "1", "--max-connections", "0"}};
        for (const char *bytes : {"0", "16777217", "100000000000", "9223372036854775807", "9223372036854775808", "1e3"})
            refused << QStringList{"--port", "1", "--max-line", bytes};
        for (const QStringList &args : refused) {
            QProcess p;
            p.start(qEnvironmentVariable("QS_BIN_DIR") + "/qspindrel-dncd", args);
            QVERIFY2(p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() != 0,
                     qPrintable(args.join(' ')));
            const QByteArray err = p.readAllStandardError();
            QVERIFY2(args.value(2) != "--max-line" ? !err.isEmpty() : p.exitCode() == 2 && err.contains(
                         "invalid --max-line \"" + args.last().toUtf8() + "\": give a number of bytes from 1 to"),
                     err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(tst_Dncd)
#include "tst_dncd.moc"
