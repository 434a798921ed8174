#include <QtTest>

#include "AppInfo.h"
#include "Messages.h"
#include "RemoteCommandClient.h"
#include "WireEncoding.h"
#include "tst_dispatch_peers.h"

#include <QMetaEnum>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

using Outcome = RemoteCommandClient::Outcome;

class tst_Dispatch : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void exactBytes_data();
    void exactBytes();
    void refusedPortIsReportedAtOnce();
    void noAcceptWithinTimeOut();
    void goAfterTimeOutStartsAfresh();
    void lateConnectionIsClosedEmpty();
    void resettingServer_data();
    void resettingServer();
    void secondGoDuringRequestIsIgnored();
    void requestKeepsItsOwnParameters();
    void notEncodableSendsNothing_data();
    void notEncodableSendsNothing();
    void invalidPort_data();
    void invalidPort();
    void sendThatCannotLeaveIsBounded();

private:
    // Runs one request to the end; returns its outcome.
    Outcome run(RemoteCommandClient &client, const RemoteCommandRequest &request);

    QStringList m_messages;
};

void tst_Dispatch::init()
{
    m_messages.clear();
    SetMessagePresenter([this](const QString &text, int) {
        m_messages << text;
        return int(MsgResultOk);
    });
}

void tst_Dispatch::cleanup()
{
    SetMessagePresenter({});
}

Outcome tst_Dispatch::run(RemoteCommandClient &client, const RemoteCommandRequest &request)
{
    QSignalSpy finished(&client, &RemoteCommandClient::finished);
    if (!client.start(request))
        return Outcome::Failed;
    [&] { QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000); }();
    if (finished.count() != 1)
        return Outcome::Failed;
    return finished.at(0).at(0).value<Outcome>();
}

void tst_Dispatch::exactBytes_data()
{
    QTest::addColumn<QString>("peer");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("expected");

    for (const char *peer : {"socat", "dncd"}) {
        QTest::addRow("%s: path with blanks", peer)
            << peer << "LOAD" << "D:\\NC PROGS\\O1234.NC" << QByteArray("LOAD D:\\NC PROGS\\O1234.NC");
        QTest::addRow("%s: empty remote command", peer)
            << peer << "" << "/srv/nc/O1.NC" << QByteArray(" /srv/nc/O1.NC");
        QTest::addRow("%s: non-ASCII path", peer)
            << peer << "SAVE" << QString::fromUtf8("/srv/nc/Fr\u00e4se/O1.NC")
            << QByteArray("SAVE /srv/nc/Fr\xc3\xa4se/O1.NC");
        QTest::addRow("%s: path of blanks", peer)
            << peer << "LOAD" << "/srv/nc/   .NC" << QByteArray("LOAD /srv/nc/   .NC");
    }
}

void tst_Dispatch::exactBytes()
{
    QFETCH(QString, peer);
    QFETCH(QString, command);
    QFETCH(QString, path);
    QFETCH(QByteArray, expected);
    if (DefaultWireEncoding() == QStringConverter::System
        && !EncodeForWire(QString::fromUtf8("\u00e4")).value_or("").startsWith("\xc3"))
        QSKIP("the wire encoding here is not UTF-8");

    RemoteCommandClient client;
    if (peer == QLatin1String("socat")) {
        SocatSink sink;
        QVERIFY(sink.start());
        QCOMPARE(run(client, {QStringLiteral("127.0.0.1"), sink.port(), command, path}), Outcome::Sent);
        QCOMPARE(sink.received(), expected);
    } else {
        DncdProcess dncd;
        QVERIFY(dncd.start());
        QCOMPARE(run(client, {QStringLiteral("127.0.0.1"), dncd.port(), command, path}), Outcome::Sent);
        QCOMPARE(dncd.nextRequest(), expected);
    }
    QCOMPARE(m_messages, QStringList());
    QVERIFY(!client.isBusy());
}

void tst_Dispatch::refusedPortIsReportedAtOnce()
{
    const quint16 port = FreeLoopbackPort();
    RemoteCommandClient client;  // the full 10 s: the refusal must not wait for it
    QSignalSpy finished(&client, &RemoteCommandClient::finished);
    QVERIFY(client.start({QStringLiteral("127.0.0.1"), port, QStringLiteral("LOAD"), QStringLiteral("/x")}));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 8000);
    QCOMPARE(finished.at(0).at(0).value<Outcome>(), Outcome::NotConnected);
    QCOMPARE(m_messages,
             QStringList{GetMessageText(180, ApplicationTitle(), "127.0.0.1", QString::number(port))});
}

void tst_Dispatch::noAcceptWithinTimeOut()
{
    SilentListener listener(0, 3);
    QVERIFY(listener.port() != 0);
    RemoteCommandClient client(nullptr, 700);
    QCOMPARE(run(client, {QStringLiteral("localhost"), listener.port(), "LOAD", "/x"}),
             Outcome::NotConnected);
    QCOMPARE(m_messages, QStringList{GetMessageText(180, ApplicationTitle(), "localhost",
                                                    QString::number(listener.port()))});
    QVERIFY(!client.isBusy());
}

void tst_Dispatch::goAfterTimeOutStartsAfresh()
{
    SilentListener listener(0, 3);
    RemoteCommandClient client(nullptr, 500);
    QCOMPARE(run(client, {"127.0.0.1", listener.port(), "LOAD", "/a"}), Outcome::NotConnected);
    QVERIFY(client.ConnectTimedOut());
    // Again to the silent server: a fresh attempt with a fresh time-out.
    QCOMPARE(run(client, {"127.0.0.1", listener.port(), "LOAD", "/b"}), Outcome::NotConnected);
    QCOMPARE(m_messages.size(), 2);

    // The attempt left behind does not disturb a request to a server that answers.
    SocatSink sink;
    QVERIFY(sink.start());
    QCOMPARE(run(client, {"127.0.0.1", sink.port(), "LOAD", "/c"}), Outcome::Sent);
    QVERIFY(!client.ConnectTimedOut());
    QCOMPARE(sink.received(), QByteArray("LOAD /c"));
    QCOMPARE(m_messages.size(), 2);
}

void tst_Dispatch::lateConnectionIsClosedEmpty()
{
    SilentListener listener(0, 3);
    RemoteCommandClient client(nullptr, 300);
    QSignalSpy finished(&client, &RemoteCommandClient::finished);
    QCOMPARE(run(client, {"127.0.0.1", listener.port(), "LOAD", "/late"}), Outcome::NotConnected);
    finished.clear();
    // The kernel retries the SYN; once there is room the attempt gets through.
    listener.makeRoom();
    QTRY_VERIFY_WITH_TIMEOUT(listener.hasPending(), 15000);
    const int peer = listener.accept();
    QVERIFY(peer >= 0);
    // It carries nothing and is closed without our pressing Go again.
    char buffer[64];
    const auto readable = [peer] {
        pollfd p{peer, POLLIN, 0};
        return ::poll(&p, 1, 0) == 1;
    };
    QTRY_VERIFY_WITH_TIMEOUT(readable(), 10000);
    QCOMPARE(::read(peer, buffer, sizeof buffer), ssize_t(0));
    ::close(peer);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(m_messages.size(), 1);
}

void tst_Dispatch::resettingServer_data()
{
    QTest::addColumn<int>("delayMs");
    QTest::newRow("reset within the accept") << -1;
    QTest::newRow("reset right after the accept") << 0;
    QTest::newRow("reset a moment later") << 100;
}

void tst_Dispatch::resettingServer()
{
    QFETCH(int, delayMs);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    connect(&server, &QTcpServer::newConnection, &server, [&server, delayMs] {
        while (QTcpSocket *peer = server.nextPendingConnection()) {
            auto reset = [peer] {
                const linger hard{1, 0};
                ::setsockopt(int(peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
                             sizeof hard);
                peer->abort();
                peer->deleteLater();
            };
            if (delayMs < 0)
                reset();
            else
                QTimer::singleShot(delayMs, peer, reset);
        }
    });
    // A reset that beats the report of the connection leaves Qt's socket
    // connecting for good; the connect time-out ends that request.
    RemoteCommandClient client(nullptr, 1000, 1000);
    for (int i = 0; i < 3; ++i) {
        m_messages.clear();
        const Outcome outcome = run(client, {"127.0.0.1", server.serverPort(), "LOAD", "/x"});
        // Whenever the reset comes, the request ends, and only a failure speaks.
        QVERIFY2(outcome == Outcome::Sent || outcome == Outcome::Failed
                     || outcome == Outcome::NotConnected,
                 QMetaEnum::fromType<Outcome>().valueToKey(int(outcome)));
        QCOMPARE(m_messages.size(), outcome == Outcome::Sent ? 0 : 1);
        if (outcome != Outcome::Sent)
            QVERIFY(!m_messages.first().isEmpty());
        QVERIFY(!client.isBusy());
    }
}

void tst_Dispatch::secondGoDuringRequestIsIgnored()
{
    SilentListener listener(0, 3);
    RemoteCommandClient client(nullptr, 600);
    QSignalSpy finished(&client, &RemoteCommandClient::finished);
    QVERIFY(client.start({"127.0.0.1", listener.port(), "LOAD", "/a"}));
    QVERIFY(client.isBusy());
    QVERIFY(!client.start({"127.0.0.1", quint16(listener.port()), "LOAD", "/b"}));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QTest::qWait(200);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(m_messages.size(), 1);
}

void tst_Dispatch::requestKeepsItsOwnParameters()
{
    SocatSink sink;
    QVERIFY(sink.start());
    RemoteCommandClient client;
    QSignalSpy finished(&client, &RemoteCommandClient::finished);
    RemoteCommandRequest request{"127.0.0.1", sink.port(), "LOAD", "/nc/mill1/O1.NC"};
    QVERIFY(client.start(request));
    // The operator picks another machine and action meanwhile.
    request = {"127.0.0.1", sink.port(), "SAVE", "/nc/lathe/O2.NC"};
    QVERIFY(!client.start(request));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QCOMPARE(finished.at(0).at(0).value<Outcome>(), Outcome::Sent);
    QCOMPARE(sink.received(), QByteArray("LOAD /nc/mill1/O1.NC"));
}

void tst_Dispatch::notEncodableSendsNothing_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("path");
    QTest::newRow("Greek in Latin-1") << int(QStringConverter::Latin1) << QString::fromUtf8("/nc/\u03a9.NC");
    QTest::newRow("euro sign in Latin-1") << int(QStringConverter::Latin1) << QString::fromUtf8("/nc/\u20ac.NC");
    QTest::newRow("lone surrogate in the wire encoding")
        << int(DefaultWireEncoding()) << (QStringLiteral("/nc/") + QChar(0xD800) + QStringLiteral(".NC"));
}

void tst_Dispatch::notEncodableSendsNothing()
{
    QFETCH(int, encoding);
    QFETCH(QString, path);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QSignalSpy connections(&server, &QTcpServer::newConnection);

    RemoteCommandClient client;
    client.setWireEncoding(QStringConverter::Encoding(encoding));
    const RemoteCommandRequest request{"127.0.0.1", server.serverPort(), "LOAD", path};
    QCOMPARE(client.wireBytes(request), QByteArray());
    QCOMPARE(run(client, request), Outcome::NotEncodable);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().contains(path));
    QTest::qWait(200);
    QCOMPARE(connections.count(), 0);
    QVERIFY(!server.hasPendingConnections());
}

void tst_Dispatch::invalidPort_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("0") << 0;
    QTest::newRow("-1") << -1;
    QTest::newRow("65536") << 65536;
}

void tst_Dispatch::invalidPort()
{
    QFETCH(int, port);
    RemoteCommandClient client;
    QCOMPARE(run(client, {"127.0.0.1", port, "LOAD", "/x"}), Outcome::Failed);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().contains(QString::number(port)));
    QVERIFY(!client.isBusy());
}

void tst_Dispatch::sendThatCannotLeaveIsBounded()
{
    // A peer whose queue is never read: the kernel buffers fill and the rest
    // of a very long line cannot leave.
    SilentListener listener(4, 0);
    RemoteCommandClient client(nullptr, 5000, 500);
    const QString huge(16 * 1024 * 1024, QLatin1Char('A'));
    QCOMPARE(run(client, {"127.0.0.1", listener.port(), huge, "/x"}), Outcome::SendTimedOut);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().contains(QString::number(listener.port())));
    QVERIFY(!client.isBusy());
}

QTEST_GUILESS_MAIN(tst_Dispatch)
#include "tst_dispatch.moc"
