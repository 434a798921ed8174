#include <QtTest>

#include <QOperatingSystemVersion>

#include "ConfigSchema.h"
#include "FileBytes.h"
#include "clsAccessDBConnection.h"
#include "../shopfloor/tst_dispatch_peers.h"


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

class tst_Dncd : public QObject
{
    Q_OBJECT
private slots:
    // Ports from the command line and from the machines of a database, each listened on once;
    // a flood and a silent peer are dropped and the server goes on.
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
        QVERIFY(dncd.start({"--db", path, "--max-line", "1000", "--idle-timeout", "1000"}, {a, c}));
        QVERIFY(!dncd.waitForLine(QString("listening on %1").arg(b)).isEmpty());

        QVERIFY(Open(b, QByteArray("LOAD D:\\NC\x01\"x\xff", 15), true));
        const QString line = dncd.nextLine(b);
        QVERIFY2(line.endsWith(" 15 bytes \"LOAD D:\\\\NC\\x01\\\"x\\xFF\\x00\"")
                     && QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d.* peer 127\.0\.0\.1:)").match(line).hasMatch(),
                 qPrintable(line));

        QVERIFY(Open(a, "LOAD /a", true) && dncd.nextLine(a).endsWith("\"LOAD /a\""));

        const auto flood = Open(c, QByteArray(5000, 'Z'));
        // The server drops us without waiting for our close.
        QVERIFY(flood && (flood->state() == QAbstractSocket::UnconnectedState || flood->waitForDisconnected(10000)));
        const QString dropped = dncd.nextLine(c);
        QVERIFY2(dropped.contains("dropped: longer than 1000 bytes") && dropped.size() < 1000, qPrintable(dropped));
        const auto silent = Open(c);
        QVERIFY(silent && silent->waitForDisconnected(10000));
        QVERIFY(dncd.nextLine(c).contains("not finished within 1000 ms"));
        QVERIFY(Open(c, "LOAD /c", true) && dncd.nextLine(c).endsWith("\"LOAD /c\""));
    }

    void simulateWritesInsideRootOnly_data()
    {
        QTest::addColumn<QString>("relative");  // under the scratch folder; ROOT is "root"
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("written");
        QTest::newRow("name with blanks in a sub-folder") << "root/mill1/PART 7.NC" << "SAVE" << true;
        QTest::newRow("send command writes nothing") << "root/O3.NC" << "LOAD" << false;
        QTest::newRow("dot-dot out of root") << "root/../outside/O4.NC" << "SAVE" << false;
        QTest::newRow("sibling with root as prefix") << "rootless/O6.NC" << "SAVE" << false;
        QTest::newRow("link to a folder outside") << "root/escape/O7.NC" << "SAVE" << false;
        QTest::newRow("link to a file outside") << "root/victim.NC" << "SAVE" << false;
        QTest::newRow("control character") << "root/O1\x01.NC" << "SAVE" << false;
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
        QVERIFY2(line.contains(" -> wrote ") == written && line.contains(" -> refused: ") == (command == "SAVE" && !written),
                 qPrintable(line));
        QVERIFY(!written || (ReadFileBytes(target).startsWith("%\n") && ReadFileBytes(target).contains("M30")));
        QCOMPARE(QDir(dir.filePath("outside")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"victim.NC"});
        QCOMPARE(ReadFileBytes(victim), QByteArray("KEEP"));
        QCOMPARE(QDir(dir.filePath("rootless")).entryList(QDir::Files), QStringList());
    }

};

QTEST_GUILESS_MAIN(tst_Dncd)
#include "tst_dncd.moc"
