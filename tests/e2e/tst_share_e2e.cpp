#include <QtTest>

#include "ConfigSchema.h"
#include "DBAssist.h"
#include "FileBytes.h"
#include "Platform.h"
#include "XSession.h"
#include "clsAccessDBConnection.h"

#include <QTemporaryDir>

// The real station against a real network share that stops answering: a
// FUSE file system (tests/support/stuckshare.py) whose process the test
// stops, as a server that went away. Real X input (xdotool), a real peer
// (socat).

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u"^Quorvane Spindrel Client$"_s;
constexpr int kWaitMs = 20000;

// Where the station lays out its parts on a 1280x800 screen without a
// window manager (the window fills the screen).
const QPoint kMachine1(76, 42), kMachine2(227, 42), kFileName(670, 763), kClose(1245, 763);

} // namespace

class tst_ShareE2E : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    XSession m_x;
    QProcess m_share;
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    // Machine 1 sends from the share, machine 2 from a local folder; both to `port`.
    void writeStation(quint16 port, int folderTimeout)
    {
        const QString db = path(u"config.db"_s);
        QFile::remove(db);
        QString error;
        QVERIFY2(CreateDatabaseFile(db, &error), qPrintable(error));
        clsAccessDBConnection c;
        c.setDatabase(db);
        QVERIFY(c.Connect());
        QVERIFY2(CreateConfigTables(c, &error), qPrintable(error));
        const QStringList folders{path(u"mnt/NC/"_s), path(u"local/"_s)};
        const QStringList names{u"Share"_s, u"Local"_s};
        for (int id = 1; id <= 2; ++id) {
            QVERIFY2(ExecStatement(c, u"INSERT INTO T_DNC_MACHINES VALUES (?, ?, ?, '127.0.0.1', ?, 1)"_s,
                                   {id, u"S-%1"_s.arg(id), names[id - 1], int(port)}, &error),
                     qPrintable(error));
            QVERIFY2(ExecStatement(c, u"INSERT INTO T_DNC_MPPC (MACHINE_ID, PC_NAME, EDIT_MODE, CMD_TYPE,"
                                      " SEND_REMOTE_CMD, SEND_EXTENSION, SEND_DIRECTORY) VALUES (?, ?, 0, 0,"
                                      " 'LOAD', 'NC', ?)"_s,
                                   {id, GetPCName(), folders[id - 1]}, &error),
                     qPrintable(error));
        }
        QVERIFY(m_x.writeSettings("Database=" + db.toUtf8() + "\nFolderTimeout=" + QByteArray::number(folderTimeout)
                                  + "\n"));
    }

    // Mounts the share over `backing`, every call delayed by `delayMs`.
    bool mount(int delayMs)
    {
        QDir().mkpath(path(u"mnt"_s));
        StartWatched(m_share, u"/usr/bin/python3"_s,
                     {QString::fromLocal8Bit(qgetenv("QS_SOURCE_DIR")) + u"/tests/support/stuckshare.py"_s,
                      path(u"share"_s), path(u"mnt"_s), u"--delay"_s, QString::number(delayMs)});
        return QTest::qWaitFor([&] { return m_share.readAllStandardOutput().contains("mounted")
                                            || m_share.state() == QProcess::NotRunning; }, kWaitMs)
            && m_share.state() == QProcess::Running;
    }
    // Stops or continues the share's process, as a server that goes away or comes back.
    bool pauseShare(bool pause) const
    {
        return QProcess::execute(u"pkill"_s, {pause ? u"-STOP"_s : u"-CONT"_s, u"-f"_s,
                                             u"^/usr/bin/python3 .*stuckshare.py %1"_s.arg(path(u"share"_s))}) == 0;
    }
    void unmount()
    {
        pauseShare(false);
        QProcess::execute(u"fusermount"_s, {u"-u"_s, u"-z"_s, path(u"mnt"_s)});
        StopProcess(m_share);
    }

private slots:
    void initTestCase()
    {
        const QString missing = XSession::MissingTools({u"socat"_s, u"fusermount"_s});
        const bool fusepy = missing.isEmpty()
            && QProcess::execute(u"/usr/bin/python3"_s, {u"-c"_s, u"import fusepy"_s}) == 0;
        if (!missing.isEmpty() || !fusepy) {
            const QString why = missing.isEmpty() ? u"python3-fusepy"_s : missing;
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL(qPrintable(why + u" missing; scripts/install.sh installs it"_s));
            QSKIP(qPrintable(why + u" missing"_s));
        }
        QVERIFY(m_dir.isValid());
        QVERIFY(WriteFileBytes(path(u"share/NC/O1.NC"_s), {}) && WriteFileBytes(path(u"local/O7.NC"_s), {}));
        for (int i = 0; i < 60; ++i)
            QVERIFY(WriteFileBytes(path(u"share/NC/P%1.NC"_s.arg(1000 + i)), {}));
        const bool mounts = mount(0);
        unmount();
        if (!mounts)
            QSKIP("no FUSE mount here");
        QVERIFY(m_x.start(m_dir.path()));
    }
    void cleanup() { unmount(); }

    // The station starts with its first machine on a share that does not answer (stopped), or answers
    // each call after 300 ms (the listing some 20 s, within the bound): the window answers at once
    // meanwhile and another machine's request goes out. Go on the stopped one sends nothing, Close
    // ends the program at once, and the wizard then runs on the stopped share.
    void shareNotAnswering_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("stopped share") << 0 << true;
        QTest::newRow("slow share") << 300 << false;
    }
    void shareNotAnswering()
    {
        QFETCH(int, delayMs);
        QFETCH(bool, stopped);
        SocatPeer peer;
        QVERIFY(peer.start(path(u"received"_s)));
        writeStation(peer.port(), stopped ? 1 : 60);
        QVERIFY2(mount(delayMs), "the share did not mount");
        QVERIFY(!stopped || pauseShare(true));
        QProcess station;
        const QString window = m_x.startStation(station);
        QVERIFY2(!window.isEmpty(), "no window while the share does not answer");
        QTest::qWait(stopped ? 2500 : 1000);
        if (stopped) {
            // Go on the dead machine: the name is typed, nothing may be sent.
            QVERIFY(m_x.click(window, kFileName.x(), kFileName.y()));
            QVERIFY(m_x.xdotool({u"type"_s, u"--delay"_s, u"20"_s, u"O1"_s}));
            QVERIFY(m_x.keys({u"Return"_s}));
            QVERIFY2(m_x.windows(kTitle, 2, 10000).size() == 2, "no message after the bound");
            QVERIFY(m_x.keys({u"Return"_s}));
            QTRY_COMPARE_WITH_TIMEOUT(m_x.windows(kTitle, 1).size(), 1, kWaitMs);
        }
        // The local machine answers at once, and Enter sends its program.
        QVERIFY(m_x.click(window, kMachine2.x(), kMachine2.y()));
        QTest::qWait(500);
        QVERIFY(m_x.keys({u"Return"_s}));
        QVERIFY2(peer.waitForRequest(stopped ? kWaitMs : 10000), "nothing arrived, or the window waited for the share");
        QCOMPARE(peer.received(), u"LOAD %1"_s.arg(path(u"local/O7.NC"_s)).toUtf8());
        if (!stopped)
            return;
        // Back to the dead machine, then Close: the program ends although its reads still hang.
        QVERIFY(m_x.click(window, kMachine1.x(), kMachine1.y()));
        QTest::qWait(300);
        QVERIFY(m_x.click(window, kClose.x(), kClose.y()));
        QVERIFY2(station.waitForFinished(2000), "the station did not end");

        // The wizard: Finish on the send step, whose first folder is on the stopped share, names the
        // folder after the bound; the wizard stays open and usable, and Esc ends it at once.
        QProcess wizard;
        const QString first = m_x.startStation(wizard, {u"-PROPERTIES"_s}, u"Select a Database"_s);
        const auto stopWizard = qScopeGuard([&] { StopProcess(wizard); });
        QVERIFY(!first.isEmpty() && m_x.focus(first));
        for (const QString &next : {u"Select Machines For PC"_s, u"Select Send Options"_s, QString()}) {
            QTest::qWait(300);
            QVERIFY(m_x.keys({u"Return"_s}));
            QVERIFY(next.isEmpty() || !m_x.windows(next, 1).isEmpty());
        }
        QVERIFY2(!m_x.windows(kTitle, 1, 10000).isEmpty(), "no message after the bound");
        QVERIFY(m_x.keys({u"Return"_s}));
        QTRY_VERIFY_WITH_TIMEOUT(m_x.windows(kTitle, 1, 0).isEmpty(), kWaitMs);
        const QStringList step = m_x.windows(u"Select Send Options"_s, 1);
        QCOMPARE(step.size(), 1);
        QCOMPARE(wizard.state(), QProcess::Running);
        QVERIFY(m_x.focus(step.first()));
        QVERIFY(m_x.keys({u"Escape"_s}));
        QVERIFY2(wizard.waitForFinished(2000), "the wizard did not end");
    }
};

QTEST_MAIN(tst_ShareE2E)
#include "tst_share_e2e.moc"
