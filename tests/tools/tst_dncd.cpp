#include <QtTest>

#include "ConfigSchema.h"
#include "clsAccessDBConnection.h"
#include "../shopfloor/tst_dispatch_peers.h"

// A connection to `port` that has sent `bytes`, or null.
static std::unique_ptr<QTcpSocket> Open(quint16 port, const QByteArray &bytes = {})
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, port);
    if (!socket->waitForConnected(5000))
        return nullptr;
    socket->write(bytes);
    while (socket->bytesToWrite() > 0)
        if (!socket->waitForBytesWritten(5000))
            return nullptr;
    return socket;
}

static bool SendAndClose(quint16 port, const QByteArray &bytes)
{
    const auto socket = Open(port, bytes);
    if (socket)
        socket->disconnectFromHost();
    return socket && (socket->state() == QAbstractSocket::UnconnectedState || socket->waitForDisconnected(5000));
}

// A request sent on `port` and logged as it was sent.
static bool RoundTrip(DncdProcess &dncd, quint16 port, const QByteArray &bytes)
{
    return SendAndClose(port, bytes) && dncd.nextLine(port).endsWith('"' + bytes + '"');
}

class tst_Dncd : public QObject
{
    Q_OBJECT
private slots:
    // Ports from the command line and from the machines of a database, each listened on once.
    void logsEscapedBytesOnEveryPort()
    {
        QTemporaryDir scratch;
        const QString path = scratch.filePath("config.sqlite");
        const quint16 a = FreeLoopbackPort(), b = FreeLoopbackPort(), c = FreeLoopbackPort();
        QVERIFY(a != b && b != c && a != c);
        QString error;
        QVERIFY2(CreateDatabaseFile(path, &error), qPrintable(error));
        clsAccessDBConnection db;
        db.setDatabase(path);
        QVERIFY(db.Connect());
        QVERIFY2(CreateConfigTables(db, &error), qPrintable(error));
        const QString insert("INSERT INTO T_DNC_MACHINES (MACHINE_ID, MACHINE_NUMBER, MACHINE_NAME, IP_ADDRESS, "
                             "PORT, ICON_INDEX) VALUES (?, ?, ?, '127.0.0.1', ?, 1)");
        QVERIFY(db.SQL(insert, {1, "1", "Mill", int(a)}) && db.SQL(insert, {2, "2", "Lathe", int(b)})
                && db.SQL(insert, {3, "3", "Saw", int(a)}));
        db.Disconnect();
        DncdProcess dncd;
        QVERIFY(dncd.start({"--db", path}, {a, c}));
        QVERIFY(!dncd.waitForLine(QString("listening on %1").arg(b)).isEmpty());

        QVERIFY(SendAndClose(b, QByteArray("LOAD D:\\NC\x01\"x\xff", 15)));
        const QString line = dncd.nextLine(b);
        QVERIFY2(line.endsWith(" 15 bytes \"LOAD D:\\\\NC\\x01\\\"x\\xFF\\x00\""), qPrintable(line));
        QVERIFY(line.contains(" peer 127.0.0.1:"));
        QVERIFY(QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)").match(line).hasMatch());
        QVERIFY(RoundTrip(dncd, c, "LOAD /c") && RoundTrip(dncd, a, "LOAD /a"));
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
    }
    void simulateWritesInsideRootOnly()
    {
        QFETCH(QString, relative);
        QFETCH(QString, command);
        QFETCH(bool, written);
        QTemporaryDir scratch;
        const QDir dir(scratch.path());
        QVERIFY(dir.mkpath("root/mill1") && dir.mkpath("outside") && dir.mkpath("rootless"));
        const QString victim = dir.filePath("outside/victim.NC");
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("KEEP") == 4);
        file.close();
        QVERIFY(QFile::link(dir.filePath("outside"), dir.filePath("root/escape")));
        QVERIFY(QFile::link(victim, dir.filePath("root/victim.NC")));
        const auto read = [](const QString &path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };

        DncdProcess dncd;
        QVERIFY(dncd.start({"--simulate", dir.filePath("root")}));
        const QString target = dir.filePath(relative);
        QVERIFY(SendAndClose(dncd.port(), (command + ' ' + target).toUtf8()));
        const QString line = dncd.nextLine();
        QVERIFY2(line.contains(" -> wrote ") == written, qPrintable(line));
        QVERIFY2(written || command != "SAVE" || line.contains(" -> refused: "), qPrintable(line));
        QVERIFY(!written || (read(target).startsWith("%\n") && read(target).contains("M30")));
        // Nothing ever lands outside the root, and links are never followed.
        QCOMPARE(QDir(dir.filePath("outside")).entryList(QDir::Files), QStringList{"victim.NC"});
        QCOMPARE(read(victim), QByteArray("KEEP"));
        QCOMPARE(QDir(dir.filePath("rootless")).entryList(QDir::Files), QStringList());
    }

    void oversizeLineIsDropped()
    {
        DncdProcess dncd;
        QVERIFY(dncd.start({"--max-line", "1000"}));
        const auto flood = Open(dncd.port(), QByteArray(5000, 'Z'));
        // The server drops us without waiting for our close.
        QVERIFY(flood && (flood->state() == QAbstractSocket::UnconnectedState || flood->waitForDisconnected(10000)));
        const QString line = dncd.nextLine();
        QVERIFY2(line.contains("1000 bytes") && line.contains("dropped") && line.size() < 1000, qPrintable(line));
        QVERIFY(RoundTrip(dncd, dncd.port(), "LOAD /after"));
    }

    void survivesResetAndSilentPeers()
    {
        DncdProcess dncd;
        QVERIFY(dncd.start({"--idle-timeout", "300"}));
        const auto reset = Open(dncd.port(), "LOAD /half");
        QVERIFY(reset);
        ResetHard(reset.get());
        QVERIFY(!dncd.nextLine().isEmpty());
        // A silent peer is dropped after the idle time-out, without our doing anything.
        const auto silent = Open(dncd.port());
        QVERIFY(silent && silent->waitForDisconnected(10000));
        QVERIFY(dncd.nextLine().contains("idle"));

        QVERIFY(dncd.isRunning());
        QVERIFY(RoundTrip(dncd, dncd.port(), "LOAD /after"));
    }

    void manyConnectionsAtOnce()
    {
        DncdProcess dncd;
        QVERIFY(dncd.start());
        std::vector<std::unique_ptr<QTcpSocket>> sockets(40);
        for (size_t i = 0; i < sockets.size(); ++i)
            QVERIFY(sockets[i] = Open(dncd.port(), QString("LOAD /nc/O%1.NC").arg(i).toUtf8()));
        // All open at once; closed in reverse order, none mixed up with another.
        for (auto it = sockets.rbegin(); it != sockets.rend(); ++it)
            (*it)->disconnectFromHost();
        QSet<QString> seen;
        for (size_t i = 0; i < sockets.size(); ++i)
            seen.insert(dncd.nextLine().section('"', 1, 1));
        QCOMPARE(seen.size(), qsizetype(sockets.size()));
        QVERIFY(seen.contains("LOAD /nc/O0.NC") && seen.contains("LOAD /nc/O39.NC"));
    }

    void refusesBadOptions()
    {
        const QList<QStringList> bad{{}, {"--port", "0"}, {"--port", "1", "--simulate", "/nonexistent/qs-root"},
                                     {"--db", "/nonexistent/qs.sqlite"}};
        for (const QStringList &args : bad) {
            QProcess p;
            p.start(qEnvironmentVariable("QS_BIN_DIR") + "/qspindrel-dncd", args);
            QVERIFY2(p.waitForFinished(10000) && p.exitCode() != 0, qPrintable(args.join(' ')));
            QVERIFY(!p.readAllStandardError().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(tst_Dncd)
#include "tst_dncd.moc"
