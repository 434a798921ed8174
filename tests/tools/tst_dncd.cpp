#include <QtTest>

#include <QOperatingSystemVersion>

#include "ConfigSchema.h"
#include "FileBytes.h"
#include "clsAccessDBConnection.h"
#include "../shopfloor/tst_dispatch_peers.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <thread>

// A connection to `port` that has sent `bytes` and, with `close`, was closed; null on failure.
static std::unique_ptr<QTcpSocket> Open(quint16 port, const QByteArray &bytes = {}, bool close = false)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, port);
    if (!socket->waitForConnected(5000))
        return nullptr;
    socket->write(bytes);
    while (socket->bytesToWrite() > 0)
        if (!socket->waitForBytesWritten(5000))
            return nullptr;
    if (close)
        socket->disconnectFromHost();
    if (close && socket->state() != QAbstractSocket::UnconnectedState && !socket->waitForDisconnected(5000))
        return nullptr;
    return socket;
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
        QString error;
        clsAccessDBConnection db;
        db.setDatabase(path);
        QVERIFY2(CreateDatabaseFile(path, &error) && db.Connect() && CreateConfigTables(db, &error), qPrintable(error));
        for (int id : {1, 2, 3})  // two machines share port a
            QVERIFY(db.SQL("INSERT INTO T_DNC_MACHINES (MACHINE_ID, MACHINE_NUMBER, MACHINE_NAME, IP_ADDRESS, PORT, "
                           "ICON_INDEX) VALUES (?, ?, 'M', '127.0.0.1', ?, 1)",
                           {id, QString::number(id), int(id == 2 ? b : a)}));
        db.Disconnect();
        DncdProcess dncd;
        QVERIFY(dncd.start({"--db", path}, {a, c}));
        QVERIFY(!dncd.waitForLine(QString("listening on %1").arg(b)).isEmpty());

        QVERIFY(Open(b, QByteArray("LOAD D:\\NC\x01\"x\xff", 15), true));
        const QString line = dncd.nextLine(b);
        QVERIFY2(line.endsWith(" 15 bytes \"LOAD D:\\\\NC\\x01\\\"x\\xFF\\x00\""), qPrintable(line));
        QVERIFY(line.contains(" peer 127.0.0.1:"));
        QVERIFY(QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)").match(line).hasMatch());

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
        QVERIFY(dir.mkpath("root/mill1") && dir.mkpath("outside") && dir.mkpath("rootless"));
        const QString victim = dir.filePath("outside/victim.NC");
        QVERIFY(WriteFileBytes(victim, "KEEP"));
        QVERIFY(QFile::link(dir.filePath("outside"), dir.filePath("root/escape")));
        QVERIFY(QFile::link(victim, dir.filePath("root/victim.NC")));

        DncdProcess dncd;
        QVERIFY(dncd.start({"--simulate", dir.filePath("root")}));
        const QString target = dir.filePath(relative);
        QVERIFY(Open(dncd.port(), (command + ' ' + target).toUtf8(), true));
        const QString line = dncd.nextLine();
        QVERIFY2(line.contains(" -> wrote ") == written, qPrintable(line));
        QVERIFY2(written || command != "SAVE" || line.contains(" -> refused: "), qPrintable(line));
        QVERIFY(!written || (ReadFileBytes(target).startsWith("%\n") && ReadFileBytes(target).contains("M30")));
        // Nothing ever lands outside the root, and links are never followed.
        QCOMPARE(QDir(dir.filePath("outside")).entryList(QDir::Files), QStringList{"victim.NC"});
        QCOMPARE(ReadFileBytes(victim), QByteArray("KEEP"));
        QCOMPARE(QDir(dir.filePath("rootless")).entryList(QDir::Files), QStringList());
    }

    // Another process swaps a folder of the request's path for a link to a
    // folder outside, again and again, while requests are written into it.
    void simulateRaceNeverLeavesRoot()
    {
        QTemporaryDir scratch;
        const QDir dir(scratch.path());
        QVERIFY(dir.mkpath("root/swap") && dir.mkpath("outside"));
        QStringList kept;
        for (int n = 0; n < 5; ++n) {
            kept << QString("%1.NC").arg(n);
            QVERIFY(WriteFileBytes(dir.filePath("outside/" + kept.last()), "KEEP"));
        }
        namespace fs = std::filesystem;
        const auto native = [&](const char *name) { return fs::path(dir.filePath(name).toStdU16String()); };
        const fs::path swap = native("root/swap"), aside = native("root/aside"), link = native("root/link");
        std::error_code failed;
        fs::create_directory_symlink(native("outside"), link, failed);
        if (failed)
            QSKIP("no symbolic links here");
        DncdProcess dncd;
        QVERIFY(dncd.start({"--simulate", dir.filePath("root")}));

        std::atomic<bool> stop = false;
        std::thread swapper([&] {
            while (!stop) {
                std::error_code ignored;
                fs::rename(swap, aside, ignored);  // swap: the link
                fs::rename(link, swap, ignored);
                fs::rename(swap, link, ignored);  // swap: the folder again
                fs::rename(aside, swap, ignored);
            }
        });
        int wrote = 0, refused = 0;
        for (int i = 0; i < 400; ++i) {
            const QString target = dir.filePath(QString("root/swap/%1.NC").arg(i % 5));
            if (!Open(dncd.port(), ("SAVE " + target).toUtf8(), true))
                break;
            const QString line = dncd.nextLine();
            wrote += line.contains(" -> wrote ") && line.contains(" to " + dir.filePath("root/swap/"));
            refused += line.contains(" -> refused: ");
        }
        stop = true;
        swapper.join();
        qInfo("%d written, %d refused", wrote, refused);
        QCOMPARE(wrote + refused, 400);
        QCOMPARE(QDir(dir.filePath("outside")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), kept);
        for (const QString &name : kept)
            QCOMPARE(ReadFileBytes(dir.filePath("outside/" + name)), QByteArray("KEEP"));
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
        const QString first = dncd.nextLine();
        QVERIFY2(first.contains(" 0 bytes "), qPrintable(first));
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
        const double used = ProcessCpuSeconds(dncd.pid()) - before;
        QVERIFY2(before >= 0 && used < 1.0, qPrintable(QString::number(used)));
        held.clear();
        QVERIFY(Open(dncd.port(), "LOAD /after", true));
        QVERIFY(!dncd.waitForLine("\"LOAD /after\"").isEmpty());
    }

    void refusesBadOptions()
    {
        for (const QStringList &args : QList<QStringList>{{}, {"--port", "0"}, {"--port", "1", "--simulate", "/nonexistent/qs-root"},
                                                          {"--db", "/nonexistent/qs.sqlite"},
                                                          {"--port", "1", "--max-connections", "0"}}) {
            QProcess p;
            p.start(qEnvironmentVariable("QS_BIN_DIR") + "/qspindrel-dncd", args);
            QVERIFY2(p.waitForFinished(10000) && p.exitCode() != 0 && !p.readAllStandardError().isEmpty(),
                     qPrintable(args.join(' ')));
        }
        for (const char *bytes : {"0", "16777217", "100000000000", "9223372036854775807", "9223372036854775808", "1e3"}) {
            QProcess p;
            p.start(qEnvironmentVariable("QS_BIN_DIR") + "/qspindrel-dncd", {"--port", "1", "--max-line", bytes});
            QVERIFY2(p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 2, bytes);
            QVERIFY(p.readAllStandardError().contains(QByteArray("invalid --max-line \"") + bytes + "\": give a number of bytes from 1 to"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Dncd)
#include "tst_dncd.moc"
