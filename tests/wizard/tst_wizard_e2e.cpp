// The real programs under Xvfb with real X input (xdotool) and a real peer
// (socat): the wizard configures a station by keys alone, then the station
// started on the same database sends machine 7's command with Enter.
// QS_E2E_SHOTS=DIR keeps a screenshot of every step.

#include <QtTest>

#include "WizardDatabase.h"

#include <QStandardPaths>
#include <QTcpServer>

using namespace Qt::StringLiterals;

class tst_WizardEndToEnd : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_xvfb;
    QProcessEnvironment m_env;

    bool xdotool(const QStringList &args, int timeoutMs = 20000)
    {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.start(u"xdotool"_s, args);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            return false;
        }
        return p.exitCode() == 0;
    }
    bool waitWindow(const QString &title) { return xdotool({u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, title}); }
    bool keys(const QString &list)
    {
        QTest::qWait(150); // let the window take what came before
        return xdotool(QStringList{u"key"_s, u"--delay"_s, u"80"_s} + list.split(u' '));
    }
    bool type(const QString &text) { return xdotool({u"type"_s, u"--delay"_s, u"15"_s, text}); }
    void shot(const QString &name)
    {
        const QString dir = qEnvironmentVariable("QS_E2E_SHOTS");
        if (dir.isEmpty())
            return;
        QTest::qWait(300);
        QProcess::execute(u"sh"_s, {u"-c"_s, u"DISPLAY=%1 import -window root '%2/%3.png'"_s
                                                 .arg(m_env.value(u"DISPLAY"_s), dir, name)});
    }
    QString program(const QString &name) const { return qEnvironmentVariable("QS_BIN_DIR") + u'/' + name; }

private slots:
    void initTestCase()
    {
        for (const char *tool : {"Xvfb", "xdotool", "socat"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                if (qEnvironmentVariableIsSet("CI"))
                    QFAIL(qPrintable(u"%1 is missing; scripts/install.sh installs it"_s.arg(QLatin1String(tool))));
                QSKIP("Xvfb, xdotool or socat missing");
            }
        }
        int display = 120;
        while (QFile::exists(u"/tmp/.X11-unix/X%1"_s.arg(display)) || QFile::exists(u"/tmp/.X%1-lock"_s.arg(display)))
            ++display;
        m_xvfb.start(u"Xvfb"_s, {u":%1"_s.arg(display), u"-screen"_s, u"0"_s,
                                 qEnvironmentVariable("QS_E2E_SCREEN", u"1024x768x24"_s), u"-nolisten"_s, u"tcp"_s,
                                 u"-noreset"_s}); // a program ending must not reset the server under the next
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(u"/tmp/.X11-unix/X%1"_s.arg(display)), 15000);
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.remove(u"QT_QPA_PLATFORM"_s);
        m_env.insert(u"DISPLAY"_s, u":%1"_s.arg(display));
        m_env.insert(u"XDG_CONFIG_HOME"_s, m_dir.filePath(u"config"_s));
        m_env.insert(u"XDG_CONFIG_DIRS"_s, m_dir.filePath(u"xdg"_s));
        // The station started after the wizard keeps its journal here, not in the user's home.
        m_env.insert(u"XDG_DATA_HOME"_s, m_dir.filePath(u"data"_s));
        const QString runtime = m_dir.filePath(u"run"_s);
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_env.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    }
    void cleanupTestCase()
    {
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }

    void wizardThenGo()
    {
        QTcpServer probe; // a free port for the peer
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        const QString programs = m_dir.filePath(u"programs"_s);
        QVERIFY(QDir().mkpath(programs));
        QFile(programs + u"/O7000.nc"_s).open(QIODevice::WriteOnly);
        const QString dbPath = m_dir.filePath(u"plant config.sqlite"_s);
        {
            QString error;
            QVERIFY2(CreateDatabaseFile(dbPath, &error), qPrintable(error));
            clsAccessDBConnection c;
            c.setDatabase(dbPath);
            QVERIFY(c.Connect());
            QVERIFY2(SeedWizardDatabase(c, programs, port, 0, &error), qPrintable(error));
        }

        QProcess wizard;
        wizard.setProcessEnvironment(m_env);
        wizard.setProcessChannelMode(QProcess::ForwardedChannels);
        wizard.start(program(u"qspindrel"_s), {u"-PROPERTIES"_s});
        const auto stopWizard = qScopeGuard([&] { wizard.kill(); wizard.waitForFinished(); });
        QVERIFY(waitWindow(u"Select a Database"_s));
        QVERIFY(type(dbPath));
        shot(u"step0"_s);
        QVERIFY(keys(u"Return"_s));
        QVERIFY(waitWindow(u"Select Machines For PC"_s));
        // 3 and 5 off, 7 on (a new machine: None, Both).
        QVERIFY(keys(u"space Down space Down space"_s));
        shot(u"step1"_s);
        QVERIFY(keys(u"Return"_s));
        for (const QString &step : {u"Send"_s, u"Receive"_s}) {
            QVERIFY(waitWindow(u"Select %1 Options"_s.arg(step)));
            QVERIFY(keys(u"Right Right"_s));
            QVERIFY(type(programs));
            shot(u"step-"_s + step);
            QVERIFY(keys(u"Return Return"_s)); // the cell, then Next or Finish
        }
        QVERIFY(wizard.waitForFinished(20000));
        QCOMPARE(wizard.exitCode(), 0);
        {
            clsAccessDBConnection c;
            c.setDatabase(dbPath);
            QVERIFY(c.Connect());
            QCOMPARE(StationRowsText(c, GetPCName()),
                     QStringList{u"7|0|2|LOAD|NULL|%1/|SAVE|NULL|%1/"_s.arg(programs)});
        }

        const QString received = m_dir.filePath(u"received"_s);
        QProcess peer;
        peer.start(u"socat"_s, {u"-u"_s, u"TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr"_s.arg(port),
                               u"CREATE:%1"_s.arg(received)});
        const auto stopPeer = qScopeGuard([&] { peer.kill(); peer.waitForFinished(); });
        QTRY_VERIFY_WITH_TIMEOUT(QTcpSocket().bind(QHostAddress::LocalHost, port) == false, 10000);
        QProcess station;
        station.setProcessEnvironment(m_env);
        station.setProcessChannelMode(QProcess::ForwardedChannels);
        station.start(program(u"qspindrel"_s));
        const auto stopStation = qScopeGuard([&] { station.kill(); station.waitForFinished(); });
        QVERIFY(waitWindow(u"Quorvane Spindrel Client"_s));
        shot(u"station"_s);
        QVERIFY(keys(u"Return"_s));
        QVERIFY(peer.waitForFinished(15000));
        QFile got(received);
        QVERIFY(got.open(QIODevice::ReadOnly));
        QCOMPARE(got.readAll(), (u"LOAD "_s + programs + u"/O7000.nc"_s).toUtf8());
    }
};

QTEST_GUILESS_MAIN(tst_WizardEndToEnd)
#include "tst_wizard_e2e.moc"
