#include <QtTest>

#include "AppInfo.h"
#include "Messages.h"
#include "RemoteCommandClient.h"
#include "RequestSafety.h"
#include "WireEncoding.h"
#include "tst_dispatch_peers.h"

using Outcome = RemoteCommandClient::Outcome;

class tst_Dispatch : public QObject
{
    Q_OBJECT
    QStringList m_messages;

    // Runs one request to the end; returns its outcome.
    Outcome run(RemoteCommandClient &client, const RemoteCommandRequest &request, int timeoutMs = 20000)
    {
        QSignalSpy finished(&client, &RemoteCommandClient::finished);
        if (!client.start(request))
            return Outcome::Failed;
        [&] { QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, timeoutMs); }();
        return finished.count() == 1 ? finished.at(0).at(0).value<Outcome>() : Outcome::Failed;
    }
    static QString NotConnected(const QString &host, quint16 port)
    {
        return GetMessageText(180, ApplicationTitle(), host, QString::number(port));
    }

private slots:
    void init()
    {
        m_messages.clear();
        SetMessagePresenter([this](const QString &text, int) {
            m_messages << text;
            return int(MsgResultOk);
        });
    }
    void cleanup() { SetMessagePresenter({}); }

    // What socat passes on is what left: the stand-in's own log is its own test's.
    void exactBytes_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("path with blanks") << "LOAD" << "D:\\NC PROGS\\O1234.NC" << QByteArray("LOAD D:\\NC PROGS\\O1234.NC");
        QTest::newRow("empty remote command") << "" << "/srv/nc/O1.NC" << QByteArray(" /srv/nc/O1.NC");
        QTest::newRow("non-ASCII path") << "SAVE" << QString::fromUtf8("/srv/nc/Fr\u00e4se/O1.NC")
                                        << QByteArray("SAVE /srv/nc/Fr\xc3\xa4se/O1.NC");
    }
    void exactBytes()
    {
        QFETCH(QString, command);
        QFETCH(QString, path);
        QFETCH(QByteArray, expected);
        if (expected.contains('\xc3') && !EncodeForWire(QString::fromUtf8("\u00e4")).value_or("").startsWith("\xc3"))
            QSKIP("the wire encoding here is not UTF-8");
        RemoteCommandClient client;
        SocatSink sink;
        QVERIFY(sink.start());
        QCOMPARE(run(client, {"127.0.0.1", sink.port(), command, path}), Outcome::Sent);
        QCOMPARE(sink.received(), expected);
    }

    // Refused at once, silent until the time-out, then Go afresh; a second Go
    // while connecting is ignored.
    void refusedAndSilentServers()
    {
        const quint16 closed = FreeLoopbackPort();
        RemoteCommandClient patient;  // the full 10 s: a refusal must not wait for it
        QCOMPARE(run(patient, {"127.0.0.1", closed, "LOAD", "/x"}, 8000), Outcome::NotConnected);
        QCOMPARE(m_messages, QStringList{NotConnected("127.0.0.1", closed)});
        m_messages.clear();
        SilentListener listener(0, 3);
        RemoteCommandClient client(nullptr, 500);
        QCOMPARE(run(client, {"localhost", listener.port(), "LOAD", "/a"}), Outcome::NotConnected);
        QVERIFY(client.ConnectTimedOut());
        QCOMPARE(m_messages, QStringList{NotConnected("localhost", listener.port())});
        QSignalSpy finished(&client, &RemoteCommandClient::finished);
        QVERIFY(client.start({"127.0.0.1", listener.port(), "LOAD", "/b"}));
        QVERIFY(!client.start({"127.0.0.1", listener.port(), "SAVE", "/lathe/O2.NC"}));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QCOMPARE(finished.at(0).at(0).value<Outcome>(), Outcome::NotConnected);
        QCOMPARE(m_messages.size(), 2);
        // The kernel retries the SYN; once there is room the attempt left behind gets
        // through, carries nothing and is closed without our pressing Go again.
        listener.makeRoom();
        QTRY_VERIFY_WITH_TIMEOUT(RawReadable(listener.fd()), 15000);
        const RawSocket peer = RawAccept(listener.fd());
        QVERIFY(peer != NoRawSocket);
        char buffer[64];
        QTRY_VERIFY_WITH_TIMEOUT(RawReadable(peer), 10000);
        QCOMPARE(RawRead(peer, buffer, sizeof buffer), qint64(0));
        RawClose(peer);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(m_messages.size(), 2);
    }

    // Nothing leaves for a path the wire encoding cannot carry, nor for a port out of range.
    void refusedBeforeConnecting_data()
    {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<int>("port");  // 1: the quiet server's
        QTest::addColumn<QString>("path");
        const int wire = int(DefaultWireEncoding());
        QTest::newRow("Greek in Latin-1") << int(QStringConverter::Latin1) << 1 << QString::fromUtf8("/nc/\u03a9.NC");
        QTest::newRow("line feed in the name") << wire << 1 << QString("/nc/A\nSAVE evil.NC");
        QTest::newRow("next line (U+0085) in the name") << wire << 1 << QString("/nc/A") + QChar(0x85) + "SAVE x.NC";
        for (int port : {0, -1, 65536})
            QTest::addRow("port %d", port) << wire << port << "/x";
    }
    void refusedBeforeConnecting()
    {
        QFETCH(int, encoding);
        QFETCH(int, port);
        QFETCH(QString, path);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QSignalSpy connections(&server, &QTcpServer::newConnection);
        RemoteCommandClient client;
        client.setWireEncoding(QStringConverter::Encoding(encoding));
        const RemoteCommandRequest request{"127.0.0.1", port == 1 ? server.serverPort() : port, "LOAD", path};
        QCOMPARE(run(client, request), port == 1 ? Outcome::NotEncodable : Outcome::Failed);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(!client.failedAfterConnecting());
        QCOMPARE(client.lastErrorText(), m_messages.first());
        QVERIFY(m_messages.first().contains(port == 1 ? ShowControlCharacters(path) : QString::number(port)));
        QTest::qWait(200);
        QCOMPARE(connections.count(), 0);
    }

    void sendThatCannotLeaveIsBounded()
    {
        // A peer whose queue is never read: the kernel buffers fill and the
        // rest of a very long line cannot leave.
        SilentListener listener(4, 0);
        RemoteCommandClient client(nullptr, 5000, 500);
        QCOMPARE(run(client, {"127.0.0.1", listener.port(), QString(16 << 20, 'A'), "/x"}), Outcome::SendTimedOut);
        QCOMPARE(m_messages.size(), 1);
        // What the journal keeps of it: closed early, with the message shown.
        QVERIFY(client.failedAfterConnecting());
        QCOMPARE(client.lastErrorText(), m_messages.first());
        QVERIFY(m_messages.first().contains(QString::number(listener.port())));
    }
};

QTEST_GUILESS_MAIN(tst_Dispatch)
#include "tst_dispatch.moc"
