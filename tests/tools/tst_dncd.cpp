#include <QtTest>

#include "ConfigSchema.h"
#include "clsAccessDBConnection.h"
#include "../shopfloor/tst_dispatch_peers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <sys/socket.h>

namespace {

// Sends `bytes` on a fresh connection and closes it.
bool SendAndClose(quint16 port, const QByteArray &bytes)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return false;
    socket.write(bytes);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(5000))
            return false;
    }
    socket.disconnectFromHost();
    return socket.state() == QAbstractSocket::UnconnectedState || socket.waitForDisconnected(5000);
}

} // namespace

class tst_Dncd : public QObject
{
    Q_OBJECT
private slots:
    void logsEscapedBytesPerRequest();
    void listensOnEveryPort();
    void portsFromDatabase();
    void simulateWritesInsideRootOnly_data();
    void simulateWritesInsideRootOnly();
    void oversizeLineIsDropped();
    void survivesResetAndSilentPeers();
    void manyConnectionsAtOnce();
    void refusesBadOptions_data();
    void refusesBadOptions();
};

void tst_Dncd::logsEscapedBytesPerRequest()
{
    const quint16 port = FreeLoopbackPort();
    DncdProcess dncd;
    QVERIFY(dncd.start({}, {port}));
    QVERIFY(SendAndClose(port, QByteArray("LOAD D:\\NC\x01\"x\xff", 15)));
    const QString line = dncd.waitForLine(QStringLiteral(" port %1 ").arg(port));
    QVERIFY2(line.endsWith(QStringLiteral(" 15 bytes \"LOAD D:\\\\NC\\x01\\\"x\\xFF\\x00\"")), qPrintable(line));
    QVERIFY(line.contains(QStringLiteral(" peer 127.0.0.1:")));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d")).match(line).hasMatch());
}

void tst_Dncd::listensOnEveryPort()
{
    const quint16 a = FreeLoopbackPort();
    const quint16 b = FreeLoopbackPort();
    QVERIFY(a != b);
    DncdProcess dncd;
    QVERIFY(dncd.start({}, {a, b}));
    QVERIFY(SendAndClose(b, "SAVE /b"));
    QVERIFY(dncd.waitForLine(QStringLiteral(" port %1 ").arg(b)).endsWith(QStringLiteral("\"SAVE /b\"")));
    QVERIFY(SendAndClose(a, "LOAD /a"));
    QVERIFY(dncd.waitForLine(QStringLiteral(" port %1 ").arg(a)).endsWith(QStringLiteral("\"LOAD /a\"")));
}

void tst_Dncd::portsFromDatabase()
{
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("config.sqlite"));
    const quint16 a = FreeLoopbackPort();
    const quint16 b = FreeLoopbackPort();
    {
        QString error;
        QVERIFY2(CreateDatabaseFile(path, &error), qPrintable(error));
        clsAccessDBConnection db;
        db.setDatabase(path);
        QVERIFY(db.Connect());
        QVERIFY2(CreateConfigTables(db, &error), qPrintable(error));
        const QString insert = QStringLiteral(
            "INSERT INTO T_DNC_MACHINES (MACHINE_ID, MACHINE_NUMBER, MACHINE_NAME, IP_ADDRESS, PORT, "
            "ICON_INDEX) VALUES (?, ?, ?, '127.0.0.1', ?, 1)");
        // Two machines share port a: it is listened on once.
        QVERIFY(db.SQL(insert, {1, "1", "Mill", int(a)}));
        QVERIFY(db.SQL(insert, {2, "2", "Lathe", int(b)}));
        QVERIFY(db.SQL(insert, {3, "3", "Saw", int(a)}));
        db.Disconnect();
    }
    DncdProcess dncd;
    QVERIFY(dncd.start({QStringLiteral("--db"), path}, {}));
    QVERIFY(!dncd.waitForLine(QStringLiteral("listening on %1").arg(a)).isEmpty());
    QVERIFY(!dncd.waitForLine(QStringLiteral("listening on %1").arg(b)).isEmpty());
    QVERIFY(SendAndClose(b, "LOAD /lathe"));
    QVERIFY(dncd.waitForLine(QStringLiteral(" port %1 ").arg(b)).endsWith(QStringLiteral("\"LOAD /lathe\"")));
}

void tst_Dncd::simulateWritesInsideRootOnly_data()
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

void tst_Dncd::simulateWritesInsideRootOnly()
{
    QFETCH(QString, relative);
    QFETCH(QString, command);
    QFETCH(bool, written);

    QTemporaryDir scratch;
    QDir dir(scratch.path());
    QVERIFY(dir.mkpath(QStringLiteral("root/mill1")));
    QVERIFY(dir.mkpath(QStringLiteral("outside")));
    QVERIFY(dir.mkpath(QStringLiteral("rootless")));
    QFile victim(dir.filePath(QStringLiteral("outside/victim.NC")));
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("KEEP");
    victim.close();
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("outside")), dir.filePath(QStringLiteral("root/escape"))));
    QVERIFY(QFile::link(victim.fileName(), dir.filePath(QStringLiteral("root/victim.NC"))));

    const quint16 port = FreeLoopbackPort();
    DncdProcess dncd;
    QVERIFY(dncd.start({QStringLiteral("--simulate"), dir.filePath(QStringLiteral("root"))}, {port}));
    const QString target = scratch.path() + QLatin1Char('/') + relative;
    QVERIFY(SendAndClose(port, (command + QLatin1Char(' ') + target).toUtf8()));
    const QString line = dncd.waitForLine(QStringLiteral(" port %1 ").arg(port));
    QVERIFY(!line.isEmpty());

    if (written) {
        QVERIFY2(line.contains(QStringLiteral(" -> wrote ")), qPrintable(line));
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray program = file.readAll();
        QVERIFY(program.startsWith("%\n"));
        QVERIFY(program.contains("M30"));
    } else {
        QVERIFY2(!line.contains(QStringLiteral(" -> wrote ")), qPrintable(line));
        if (command == QLatin1String("SAVE"))
            QVERIFY2(line.contains(QStringLiteral(" -> refused: ")), qPrintable(line));
    }
    // Nothing ever lands outside the root, and links are never followed.
    QCOMPARE(QDir(dir.filePath(QStringLiteral("outside"))).entryList(QDir::Files),
             QStringList{QStringLiteral("victim.NC")});
    QVERIFY(victim.open(QIODevice::ReadOnly));
    QCOMPARE(victim.readAll(), QByteArray("KEEP"));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("rootless"))).entryList(QDir::Files), QStringList());
}

void tst_Dncd::oversizeLineIsDropped()
{
    const quint16 port = FreeLoopbackPort();
    DncdProcess dncd;
    QVERIFY(dncd.start({QStringLiteral("--max-line"), QStringLiteral("1000")}, {port}));
    QTcpSocket flood;
    flood.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(flood.waitForConnected(5000));
    flood.write(QByteArray(5000, 'Z'));
    QVERIFY(flood.waitForBytesWritten(5000));
    // The server drops us without waiting for our close.
    QVERIFY(flood.state() == QAbstractSocket::UnconnectedState || flood.waitForDisconnected(10000));
    const QString line = dncd.waitForLine(QStringLiteral(" port %1 ").arg(port));
    QVERIFY2(line.contains(QStringLiteral("1000 bytes")) && line.contains(QStringLiteral("dropped")),
             qPrintable(line));
    QVERIFY(line.size() < 1000);

    QVERIFY(SendAndClose(port, "LOAD /after"));
    QVERIFY(dncd.waitForLine(QStringLiteral(" port %1 ").arg(port)).endsWith(QStringLiteral("\"LOAD /after\"")));
}

void tst_Dncd::survivesResetAndSilentPeers()
{
    const quint16 port = FreeLoopbackPort();
    DncdProcess dncd;
    QVERIFY(dncd.start({QStringLiteral("--idle-timeout"), QStringLiteral("300")}, {port}));

    {
        QTcpSocket reset;
        reset.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(reset.waitForConnected(5000));
        reset.write("LOAD /half");
        QVERIFY(reset.waitForBytesWritten(5000));
        const linger hard{1, 0};
        ::setsockopt(int(reset.socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        reset.abort();
    }
    QVERIFY(!dncd.waitForLine(QStringLiteral(" port %1 ").arg(port)).isEmpty());

    QTcpSocket silent;
    silent.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(silent.waitForConnected(5000));
    // Dropped after the idle time-out, without our doing anything.
    QVERIFY(silent.waitForDisconnected(10000));
    QVERIFY(dncd.waitForLine(QStringLiteral(" port %1 ").arg(port)).contains(QStringLiteral("idle")));

    QVERIFY(dncd.isRunning());
    QVERIFY(SendAndClose(port, "LOAD /after"));
    QVERIFY(dncd.waitForLine(QStringLiteral(" port %1 ").arg(port)).endsWith(QStringLiteral("\"LOAD /after\"")));
}

void tst_Dncd::manyConnectionsAtOnce()
{
    const quint16 port = FreeLoopbackPort();
    DncdProcess dncd;
    QVERIFY(dncd.start({}, {port}));
    const int count = 40;
    QList<QTcpSocket *> sockets;
    for (int i = 0; i < count; ++i) {
        auto *s = new QTcpSocket(this);
        s->connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(s->waitForConnected(5000));
        s->write(QStringLiteral("LOAD /nc/O%1.NC").arg(i).toUtf8());
        QVERIFY(s->waitForBytesWritten(5000));
        sockets << s;
    }
    // All open at once; close them in reverse order.
    for (int i = count - 1; i >= 0; --i)
        sockets[i]->disconnectFromHost();
    QSet<QString> seen;
    for (int i = 0; i < count; ++i) {
        const QString line = dncd.waitForLine(QStringLiteral(" port %1 ").arg(port));
        QVERIFY(!line.isEmpty());
        seen.insert(line.section(QLatin1Char('"'), 1, 1));
    }
    QCOMPARE(seen.size(), count);
    QVERIFY(seen.contains(QStringLiteral("LOAD /nc/O0.NC")));
    qDeleteAll(sockets);
}

void tst_Dncd::refusesBadOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no port") << QStringList{};
    QTest::newRow("port 0") << QStringList{"--port", "0"};
    QTest::newRow("missing root") << QStringList{"--port", "1", "--simulate", "/nonexistent/qs-root"};
    QTest::newRow("missing database") << QStringList{"--db", "/nonexistent/qs.sqlite"};
}

void tst_Dncd::refusesBadOptions()
{
    QFETCH(QStringList, args);
    QProcess p;
    p.start(qEnvironmentVariable("QS_BIN_DIR") + QStringLiteral("/qspindrel-dncd"), args);
    QVERIFY(p.waitForFinished(10000));
    QVERIFY(p.exitCode() != 0);
    QVERIFY(!p.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(tst_Dncd)
#include "tst_dncd.moc"
