#include <QtTest>

#include "AppInfo.h"
#include "Messages.h"
#include "SingleInstance.h"
#include "SystemApi.h"

#include <QDirIterator>
#include <QMap>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QString Program()
{
    return qEnvironmentVariable("QS_BIN_DIR") + QStringLiteral("/qspindrel");
}

// Every file and folder under `root`, with sizes, to see that nothing changed.
QStringList Snapshot(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size());
    }
    entries.sort();
    return entries;
}

// The program started in a sandbox where it touches no real setting or file.
struct Sandbox {
    QTemporaryDir dir;

    // `extra`: variables to set, or with an empty value to remove.
    void start(QProcess &process, const QStringList &arguments, const QByteArray &hook = {},
               const QMap<QString, QString> &extra = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":77"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        for (const char *var : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "HOME", "TMPDIR"}) {
            const QString sub = dir.filePath(QString::fromLatin1(var));
            QDir().mkpath(sub);
            QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            env.insert(QString::fromLatin1(var), sub);
        }
        for (auto it = extra.begin(); it != extra.end(); ++it) {
            if (it.value().isEmpty())
                env.remove(it.key());
            else
                env.insert(it.key(), it.value());
        }
        env.remove(QStringLiteral("QS_INSTANCE_TEST_HOOK"));
        if (!hook.isEmpty())
            env.insert(QStringLiteral("QS_INSTANCE_TEST_HOOK"), QString::fromLatin1(hook));
        process.setProcessEnvironment(env);
        process.start(Program(), arguments);
    }
};

// A running instance's report lines, gathered as they come.
struct Lines {
    QProcess &process;
    QStringList all;
    bool has(const QString &line, int from = 0)
    {
        while (process.canReadLine())
            all << QString::fromLatin1(process.readLine()).trimmed();
        return all.indexOf(line, from) >= 0;
    }
};

void Stop(QProcess &process)
{
    process.kill();
    process.waitForFinished(5000);
}

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!QFile::exists(Program()))
            QSKIP("qspindrel is not built");
    }
    void secondStart_data()
    {
        QTest::addColumn<QByteArray>("firstState");
        QTest::addColumn<QStringList>("secondArguments");
        QTest::addColumn<QString>("runtime");  // "private", "open" (others may write), "none"
        QTest::addColumn<QString>("secondDisplay");
        QTest::addColumn<bool>("fetchesFirst");
        const QStringList wizard{"-PROPERTIES"};
        QTest::newRow("minimised is restored") << QByteArray("minimized") << QStringList{} << "private" << ":77" << true;
        QTest::newRow("maximised stays maximised") << QByteArray("maximized") << wizard << "private" << ":77" << true;
        QTest::newRow("normal, second with both switches")
            << QByteArray("normal") << QStringList{"-user", "-properties"} << "private" << ":77" << true;
        QTest::newRow("other session id, same display") << QByteArray("normal") << wizard << "private" << ":77.0" << true;
        QTest::newRow("runtime folder open to others") << QByteArray("normal") << wizard << "open" << ":77" << true;
        QTest::newRow("no runtime folder") << QByteArray("normal") << wizard << "none" << ":77" << true;
        QTest::newRow("other display") << QByteArray("normal") << wizard << "private" << ":78" << false;
    }
    // The first runs the wizard, which shows without any database. One
    // instance per user and display, whatever the session ids: a second start
    // there ends at once, prints and writes nothing, and brings the first
    // forward. The lock and socket only in a folder nobody else can write to.
    void secondStart()
    {
        QFETCH(QByteArray, firstState);
        QFETCH(QStringList, secondArguments);
        QFETCH(QString, runtime);
        QFETCH(QString, secondDisplay);
        QFETCH(bool, fetchesFirst);
        Sandbox sandbox;
        const QString tmp = sandbox.dir.filePath(QStringLiteral("TMPDIR"));
        // What another user could plant in a folder open to all stays unused.
        const QString open = sandbox.dir.filePath(QStringLiteral("open"));
        QVERIFY(QDir().mkpath(open));
        QVERIFY(QFile::setPermissions(open, QFileDevice::Permissions(0x7777)));
        QMap<QString, QString> env{{QStringLiteral("XDG_SESSION_ID"), QStringLiteral("1")}};
        if (runtime != QLatin1String("private"))
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime == QLatin1String("open") ? open : QString());
        QProcess first;
        sandbox.start(first, {QStringLiteral("-PROPERTIES")}, firstState, env);
        const auto stopFirst = qScopeGuard([&] { Stop(first); });
        Lines lines{first, {}};
        const int maximized = firstState == "maximized";
        const QString waiting = QStringLiteral("STATE minimized=%1 maximized=%2 active=0")
                                    .arg(int(firstState == "minimized")).arg(maximized);
        QTRY_VERIFY_WITH_TIMEOUT(lines.has(waiting), 20000);

        const QStringList before = Snapshot(sandbox.dir.path());
        env.insert(QStringLiteral("XDG_SESSION_ID"), QStringLiteral("2"));
        env.insert(QStringLiteral("DISPLAY"), secondDisplay);
        QProcess second;
        sandbox.start(second, secondArguments, fetchesFirst ? QByteArray() : QByteArray("normal"), env);
        const auto stopSecond = qScopeGuard([&] { Stop(second); });
        if (fetchesFirst) {
            QVERIFY(second.waitForStarted(5000));
            QVERIFY2(second.waitForFinished(1000), "the second start did not end at once");
            QCOMPARE(second.exitStatus(), QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(second.readAllStandardOutput(), QByteArray());
            QCOMPARE(Snapshot(sandbox.dir.path()), before);
            QTRY_VERIFY_WITH_TIMEOUT(lines.has(QStringLiteral("ACTIVATE")), 10000);
            const int from = int(lines.all.indexOf(QStringLiteral("ACTIVATE")));
            const QString restored = QStringLiteral("STATE minimized=0 maximized=%1 active=1").arg(maximized);
            QTRY_VERIFY2_WITH_TIMEOUT(lines.has(restored, from), qPrintable(lines.all.join('\n')), 10000);
            QCOMPARE(first.state(), QProcess::Running);
        } else {
            Lines secondLines{second, {}};
            QTRY_VERIFY_WITH_TIMEOUT(secondLines.has(QStringLiteral("READY")), 20000);
        }
        // (Qt keeps a runtime folder of its own there when it has none.)
        QCOMPARE(Snapshot(tmp).filter(u"qspindrel"_s), QStringList());
        QCOMPARE(Snapshot(open).filter(u"qspindrel"_s), QStringList());
    }

    void simultaneousStartsHaveOneWinner()
    {
        Sandbox sandbox;
        QProcess a;
        QProcess b;
        sandbox.start(a, {QStringLiteral("-PROPERTIES")}, "normal");
        sandbox.start(b, {QStringLiteral("-PROPERTIES")}, "normal");
        const auto stop = qScopeGuard([&] { Stop(a), Stop(b); });
        QTRY_VERIFY_WITH_TIMEOUT(a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning,
                                 20000);
        QProcess &loser = a.state() == QProcess::NotRunning ? a : b;
        QProcess &winner = &loser == &a ? b : a;
        QCOMPARE(loser.exitCode(), 0);
        QVERIFY(!loser.readAllStandardOutput().contains("READY"));
        Lines lines{winner, {}};
        QTRY_VERIFY_WITH_TIMEOUT(lines.has(QStringLiteral("READY")), 20000);
        QCOMPARE(winner.state(), QProcess::Running);
    }
    // Also after a killed holder, which leaves its socket file and a lock
    // naming a process that is gone, and past a lock that another computer
    // sharing the folder wrote (its process id may be a live one here).
    void claimIsExclusive_data()
    {
        QTest::addColumn<QByteArray>("leftLock");  // process id and host of a lock found
        const QByteArray live = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
                              + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n';
        QTest::newRow("clean") << QByteArray();
        QTest::newRow("crashed holder") << "999999\nqspindrel\n" + QSysInfo::machineHostName().toUtf8();
        QTest::newRow("another host's lock") << live + "other-" + QSysInfo::machineHostName().toUtf8();
    }
    void claimIsExclusive()
    {
        QFETCH(QByteArray, leftLock);
        QTemporaryDir dir;
        const QString server = dir.filePath(QStringLiteral("s.sock"));
        const QString lock = dir.filePath(QStringLiteral("s.lock"));
        if (!leftLock.isEmpty()) {
            QFile file(lock);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(leftLock + '\n');
            file.close();
            QFile socketFile(server);
            QVERIFY(socketFile.open(QIODevice::WriteOnly));
        }
        SingleInstance first(server, lock);
        QVERIFY(first.Claim());
        SingleInstance second(server, lock);
        QVERIFY(!second.Claim());
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
        QVERIFY(shown.first().contains(ApplicationTitle()));
    }

    // The key names the computer, so computers sharing a home folder each run one.
    void keyNamesTheHost()
    {
        QTemporaryDir runtime;
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QVERIFY2(SystemInstanceLockPath().contains(QSysInfo::machineHostName()), qPrintable(SystemInstanceLockPath()));
    }
};

QTEST_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
