// The real programs under Xvfb with real X input (xdotool) and a real peer
// (socat): the wizard configures a station by keys alone, then the station
// started on the same database sends machine 7's command with Enter.

#include <QtTest>

#include "WizardDatabase.h"
#include "XSession.h"

using namespace Qt::StringLiterals;

class tst_WizardEndToEnd : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    XSession m_x;

    // Waits for the window and gives it the keyboard once it has settled.
    bool focus(const QString &title)
    {
        const QStringList window = m_x.windows(title, 1);
        QTest::qWait(150);
        return window.size() == 1 && m_x.focus(window.first());
    }
    bool type(const QString &text) { return m_x.xdotool({u"type"_s, u"--delay"_s, u"15"_s, text}); }
    void start(QProcess &process, const QStringList &arguments)
    {
        process.setProcessEnvironment(m_x.environment());
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        StartWatched(process, qEnvironmentVariable("QS_BIN_DIR") + u"/qspindrel"_s, arguments);
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = XSession::MissingTools({u"socat"_s}); !missing.isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL(qPrintable(missing + u" missing; scripts/install.sh installs it"_s));
            QSKIP(qPrintable(missing + u" missing"_s));
        }
        QVERIFY2(m_x.start(m_dir.path(), qEnvironmentVariable("QS_E2E_SCREEN", u"1024x768x24"_s)),
                 "Xvfb did not start");
    }

    void wizardThenGo()
    {
        SocatPeer peer;
        QVERIFY(peer.start(m_dir.filePath(u"received"_s)));
        const QString programs = m_dir.filePath(u"programs"_s);
        QVERIFY(QDir().mkpath(programs));
        QFile(programs + u"/O7000.nc"_s).open(QIODevice::WriteOnly);
        const QString dbPath = m_dir.filePath(u"plant config.sqlite"_s);
        QString error;
        QVERIFY2(CreateDatabaseFile(dbPath, &error), qPrintable(error));
        clsAccessDBConnection c;
        c.setDatabase(dbPath);
        QVERIFY(c.Connect());
        QVERIFY2(SeedWizardDatabase(c, programs, peer.port(), 0, &error), qPrintable(error));
        QVERIFY(c.Disconnect());

        QProcess wizard;
        start(wizard, {u"-PROPERTIES"_s});
        const auto stopWizard = qScopeGuard([&] { StopProcess(wizard); });
        QVERIFY(focus(u"Select a Database"_s));
        QVERIFY(type(dbPath));
        QVERIFY(m_x.keys({u"Return"_s}));
        // 3 and 5 off, 7 on (a new machine: None, Both).
        QVERIFY(focus(u"Select Machines For PC"_s));
        QVERIFY(m_x.keys({u"space"_s, u"Down"_s, u"space"_s, u"Down"_s, u"space"_s}));
        QVERIFY(m_x.keys({u"Return"_s}));
        for (const QString &step : {u"Send"_s, u"Receive"_s}) {
            QVERIFY(focus(u"Select %1 Options"_s.arg(step)));
            QVERIFY(m_x.keys({u"Right"_s, u"Right"_s}));
            QVERIFY(type(programs));
            QVERIFY(m_x.keys({u"Return"_s, u"Return"_s})); // the cell, then Next or Finish
        }
        QVERIFY(wizard.waitForFinished(20000));
        QCOMPARE(wizard.exitCode(), 0);
        QVERIFY(c.Connect());
        QCOMPARE(StationRowsText(c, GetPCName()), QStringList{u"7|0|2|LOAD|NULL|%1/|SAVE|NULL|%1/"_s.arg(programs)});

        QProcess station;
        start(station, {});
        const auto stopStation = qScopeGuard([&] { StopProcess(station); });
        QVERIFY(focus(u"^Quorvane Spindrel Client$"_s));
        QVERIFY(m_x.keys({u"Return"_s}));
        QVERIFY(peer.waitForRequest());
        QCOMPARE(peer.received(), (u"LOAD "_s + programs + u"/O7000.nc"_s).toUtf8());
    }
};

QTEST_GUILESS_MAIN(tst_WizardEndToEnd)
#include "tst_wizard_e2e.moc"
