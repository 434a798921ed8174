#include <QOperatingSystemVersion>
#include <QtTest>

#include "Messages.h"
#include "SingleInstance.h"
#include "SystemApi.h"
#include "XSession.h"

#include <QDirIterator>
#include <QLocalSocket>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QString Program()
{
    return qEnvironmentVariable("QS_BIN_DIR") + QStringLiteral("/qspindrel");
}

// The computer's name as a lock file holds it (on Windows the NetBIOS name, not the DNS one).
QByteArray LockHostName()
{
    QTemporaryDir dir;
    QLockFile lock(dir.filePath(QStringLiteral("probe")));
    qint64 pid = 0;
    QString host, application;
    return lock.tryLock(0) && lock.getLockInfo(&pid, &host, &application) ? host.toUtf8() : QByteArray();
}

// Every file and folder under `root` holding `part`, with sizes, to see that nothing changed.
QStringList Snapshot(const QString &root, const QString &part = {})
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size());
    }
    entries.sort();
    return entries.filter(part);
}

// The program started in a sandbox where it touches no real setting or file;
// `extra`: variables to set, or with an empty value to remove.
void Start(const QTemporaryDir &dir, QProcess &process, const QStringList &arguments, const QByteArray &hook,
           const QMap<QString, QString> &extra = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":77"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QS_INSTANCE_TEST_HOOK"));
    if (!hook.isEmpty())
        env.insert(QStringLiteral("QS_INSTANCE_TEST_HOOK"), QString::fromLatin1(hook));
    for (const char *var : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "HOME", "TMPDIR"}) {
        const QString sub = dir.filePath(QString::fromLatin1(var));
        QDir().mkpath(sub);
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QString::fromLatin1(var), sub);
    }
    for (auto it = extra.begin(); it != extra.end(); ++it)
        it.value().isEmpty() ? env.remove(it.key()) : env.insert(it.key(), it.value());
    process.setProcessEnvironment(env);
    process.start(Program(), arguments);
}

// Whether the instance has reported `line` since the report's byte `from`.
bool Reported(QProcess &process, QByteArray &report, const QByteArray &line, qsizetype from = 0)
{
    report += process.readAllStandardOutput();
    return report.indexOf(line + '\n', from) >= 0;
}

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStart_data()
    {
        QTest::addColumn<QByteArray>("firstState");  // "together": both start at once
        QTest::addColumn<QStringList>("secondArguments");
        QTest::addColumn<QString>("runtime");  // "private", "open" (others may write), "none"
        QTest::addColumn<QString>("secondDisplay");
        const QStringList wizard{"-PROPERTIES"};
        QTest::newRow("minimised is restored") << QByteArray("minimized") << QStringList{} << "private" << ":77";
        QTest::newRow("maximised stays maximised") << QByteArray("maximized") << wizard << "private" << ":77";
        QTest::newRow("other session id, same display") << QByteArray("normal") << wizard << "private" << ":77.0";
        QTest::newRow("runtime folder open to others") << QByteArray("normal") << wizard << "open" << ":77";
        QTest::newRow("no runtime folder") << QByteArray("normal") << wizard << "none" << ":77";
        QTest::newRow("other display") << QByteArray("normal") << wizard << "private" << ":78";
        QTest::newRow("simultaneous starts") << QByteArray("together") << wizard << "private" << ":77";
    }
    // The first runs the wizard, which shows without any database. One
    // instance per user and display, whatever the session ids: a second start
    // there ends at once, prints and writes nothing, and brings the first
    // forward. The lock and socket only in a folder nobody else can write to,
    // named after the computer, so computers sharing a home folder each run one.
    void secondStart()
    {
        if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
            QSKIP("displays, session ids and runtime folders are Unix's");
        if (!QFile::exists(Program()))
            QSKIP("qspindrel is not built");
        QFETCH(QByteArray, firstState);
        QFETCH(QStringList, secondArguments);
        QFETCH(QString, runtime);
        QFETCH(QString, secondDisplay);
        const bool together = firstState == "together";
        QTemporaryDir sandbox;
        // What another user could plant in a folder open to all stays unused.
        const QString open = sandbox.filePath(QStringLiteral("open"));
        QVERIFY(QDir().mkpath(open));
        QVERIFY(QFile::setPermissions(open, QFileDevice::Permissions(0x7777)));
        QMap<QString, QString> env{{QStringLiteral("XDG_SESSION_ID"), QStringLiteral("1")}};
        if (runtime != QLatin1String("private"))
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime == QLatin1String("open") ? open : QString());
        QProcess first, second;
        const auto stop = qScopeGuard([&] { StopProcess(first), StopProcess(second); });
        QByteArray report;
        Start(sandbox, first, {QStringLiteral("-PROPERTIES")}, together ? "normal" : firstState, env);
        const int maximized = firstState == "maximized";
        const QByteArray waiting = QStringLiteral("STATE minimized=%1 maximized=%2 active=0")
                                       .arg(int(firstState == "minimized")).arg(maximized).toLatin1();
        QTRY_VERIFY_WITH_TIMEOUT(together || Reported(first, report, waiting), 20000);

        const QStringList before = Snapshot(sandbox.path());
        QVERIFY(runtime != QLatin1String("private") || together
                || !Snapshot(sandbox.path(), QSysInfo::machineHostName()).isEmpty());
        env.insert(QStringLiteral("XDG_SESSION_ID"), QStringLiteral("2"));
        env.insert(QStringLiteral("DISPLAY"), secondDisplay);
        const bool handsOver = secondDisplay != QLatin1String(":78");
        Start(sandbox, second, secondArguments, handsOver && !together ? QByteArray() : QByteArray("normal"), env);
        if (together) {
            QTRY_VERIFY_WITH_TIMEOUT(first.state() == QProcess::NotRunning || second.state() == QProcess::NotRunning,
                                     20000);
            QProcess &loser = first.state() == QProcess::NotRunning ? first : second;
            QCOMPARE(loser.exitCode(), 0);
            QVERIFY(!loser.readAllStandardOutput().contains("READY"));
            QProcess &winner = &loser == &first ? second : first;
            QTRY_VERIFY_WITH_TIMEOUT(Reported(winner, report, "READY"), 20000);
            QCOMPARE(winner.state(), QProcess::Running);
        } else if (handsOver) {
            QVERIFY(second.waitForStarted(5000));
            QVERIFY2(second.waitForFinished(1000), "the second start did not end at once");
            QCOMPARE(second.exitStatus(), QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(second.readAllStandardOutput(), QByteArray());
            QCOMPARE(Snapshot(sandbox.path()), before);
            QTRY_VERIFY_WITH_TIMEOUT(Reported(first, report, "ACTIVATE"), 10000);
            const QByteArray restored = "STATE minimized=0 maximized=" + QByteArray::number(maximized) + " active=1";
            QTRY_VERIFY2_WITH_TIMEOUT(Reported(first, report, restored, report.indexOf("ACTIVATE")), report, 10000);
            QCOMPARE(first.state(), QProcess::Running);
        } else {
            QByteArray secondReport;
            QTRY_VERIFY_WITH_TIMEOUT(Reported(second, secondReport, "READY"), 20000);
        }
        // (Qt keeps a runtime folder of its own there when it has none.)
        QCOMPARE(Snapshot(sandbox.filePath(QStringLiteral("TMPDIR")), u"qspindrel"_s), QStringList());
        QCOMPARE(Snapshot(open, u"qspindrel"_s), QStringList());
    }

    // Also after a killed holder, which leaves its socket file and a lock
    // naming a process that is gone or whose id is now this one's, and past a
    // lock that another computer sharing the folder wrote (its process id may
    // be a live one here).
    void claimIsExclusive_data()
    {
        QTest::addColumn<QByteArray>("leftLock");  // process id and host of a lock found
        const QByteArray live = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
                              + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n';
        const QByteArray host = LockHostName();
        QTest::newRow("crashed holder") << "999999\nqspindrel\n" + host;
        QTest::newRow("another host's lock") << live + "other-" + host;
        QTest::newRow("left with this process's id") << live + host;
    }
    void claimIsExclusive()
    {
        QFETCH(QByteArray, leftLock);
        QTemporaryDir dir;
        const QString server = dir.filePath(QStringLiteral("s.sock"));
        const QString lock = dir.filePath(QStringLiteral("s.lock"));
        if (!leftLock.isEmpty()) {
            QFile file(lock), socketFile(server);
            QVERIFY(file.open(QIODevice::WriteOnly) && socketFile.open(QIODevice::WriteOnly));
            file.write(leftLock + '\n');
        }
        SingleInstance first(server, lock);
        QVERIFY(first.Claim());
        SingleInstance second(server, lock);
        QVERIFY(!second.Claim());
        // A Windows pipe with this one process at both ends waits on itself.
        if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
            QSKIP("the hand-over needs two processes on Windows");
        QSignalSpy requested(&first, &SingleInstance::activationRequested);
        QLocalSocket socket;
        socket.connectToServer(server);
        QVERIFY(socket.waitForConnected(5000));
        socket.write("NONSENSE\n");
        QVERIFY(socket.waitForBytesWritten(5000));
        QTest::qWait(50);
        QCOMPARE(requested.count(), 0);
        // The request is written and the sender is gone before the first reads it.
        QStringList shown;
        const MessagePresenter previous = SetMessagePresenter([&shown](const QString &text, int) {
            shown << text;
            return int(MsgResultOk);
        });
        QVERIFY(second.HandOverToPrevInstance());
        QTRY_COMPARE(requested.count(), 1);
        QCOMPARE(shown, QStringList());
        // A running instance whose window cannot be reached is reported.
        SingleInstance unreachable(dir.filePath(QStringLiteral("gone.sock")), lock);
        QVERIFY(!unreachable.Claim() && !unreachable.HandOverToPrevInstance(200));
        SetMessagePresenter(previous);
        QCOMPARE(shown, QStringList{InstanceUnreachableText()});
    }
};

QTEST_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
