#include <QtTest>

#include "SingleInstance.h"

#include <QDirIterator>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

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

// A sandbox in which the program touches no real setting or file.
struct Sandbox {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

    Sandbox()
    {
        for (const char *sub : {"config", "runtime", "home", "tmp"})
            QDir(dir.path()).mkdir(QString::fromLatin1(sub));
        QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp")));
        env.remove(QStringLiteral("QS_INSTANCE_TEST_HOOK"));
    }

    void start(QProcess &process, const QStringList &arguments, const QByteArray &hook = {})
    {
        QProcessEnvironment e = env;
        if (!hook.isEmpty())
            e.insert(QStringLiteral("QS_INSTANCE_TEST_HOOK"), QString::fromLatin1(hook));
        process.setProcessEnvironment(e);
        process.setProgram(Program());
        process.setArguments(arguments);
        process.start();
    }
};

// The first instance's report lines, gathered as they come.
struct Lines {
    QProcess &process;
    QStringList all;
    explicit Lines(QProcess &p) : process(p) {}
    bool has(const QString &line, int from = 0)
    {
        while (process.canReadLine())
            all << QString::fromLatin1(process.readLine()).trimmed();
        return all.indexOf(line, from) >= 0;
    }
};

void Stop(QProcess &process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void secondStartFetchesFirst_data();
    void secondStartFetchesFirst();
    void simultaneousStartsHaveOneWinner();
    void claimIsExclusive();
    void crashedHolderDoesNotBlock();
};

void tst_SingleInstance::initTestCase()
{
    if (!QFile::exists(Program()))
        QSKIP("qspindrel is not built");
}

void tst_SingleInstance::secondStartFetchesFirst_data()
{
    QTest::addColumn<QByteArray>("firstState");
    QTest::addColumn<QStringList>("secondArguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("minimised is restored")
        << QByteArray("minimized") << QStringList{}
        << "STATE minimized=0 maximized=0 active=1";
    QTest::newRow("maximised stays maximised")
        << QByteArray("maximized") << QStringList{"-PROPERTIES"}
        << "STATE minimized=0 maximized=1 active=1";
    QTest::newRow("normal, second with both switches")
        << QByteArray("normal") << QStringList{"-user", "-properties"}
        << "STATE minimized=0 maximized=0 active=1";
}

// The first runs the wizard, which shows without any database.
void tst_SingleInstance::secondStartFetchesFirst()
{
    QFETCH(QByteArray, firstState);
    QFETCH(QStringList, secondArguments);
    QFETCH(QString, expected);
    Sandbox sandbox;
    QProcess first;
    sandbox.start(first, {QStringLiteral("-PROPERTIES")}, firstState);
    const auto stopFirst = qScopeGuard([&] { Stop(first); });
    Lines lines(first);
    const QString minimized = firstState == "minimized" ? "1" : "0";
    const QString maximized = firstState == "maximized" ? "1" : "0";
    const QString waiting =
        QStringLiteral("STATE minimized=%1 maximized=%2 active=0").arg(minimized, maximized);
    QTRY_VERIFY_WITH_TIMEOUT(lines.has(waiting), 20000);

    const QStringList before = Snapshot(sandbox.dir.path());
    QProcess second;
    sandbox.start(second, secondArguments);
    QVERIFY(second.waitForStarted(5000));
    QVERIFY2(second.waitForFinished(1000), "the second start did not end at once");
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(second.readAllStandardOutput(), QByteArray());
    QCOMPARE(Snapshot(sandbox.dir.path()), before);

    QTRY_VERIFY_WITH_TIMEOUT(lines.has(QStringLiteral("ACTIVATE")), 10000);
    const int from = int(lines.all.indexOf(QStringLiteral("ACTIVATE")));
    QTRY_VERIFY2_WITH_TIMEOUT(lines.has(expected, from), qPrintable(lines.all.join('\n')), 10000);
    QCOMPARE(first.state(), QProcess::Running);
}

void tst_SingleInstance::simultaneousStartsHaveOneWinner()
{
    Sandbox sandbox;
    QProcess a;
    QProcess b;
    sandbox.start(a, {QStringLiteral("-PROPERTIES")}, "normal");
    sandbox.start(b, {QStringLiteral("-PROPERTIES")}, "normal");
    const auto stop = qScopeGuard([&] {
        Stop(a);
        Stop(b);
    });
    QTRY_VERIFY_WITH_TIMEOUT(a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning,
                             20000);
    QProcess &loser = a.state() == QProcess::NotRunning ? a : b;
    QProcess &winner = &loser == &a ? b : a;
    QCOMPARE(loser.exitCode(), 0);
    QVERIFY(!loser.readAllStandardOutput().contains("READY"));
    Lines lines(winner);
    QTRY_VERIFY_WITH_TIMEOUT(lines.has(QStringLiteral("READY")), 20000);
    QCOMPARE(winner.state(), QProcess::Running);
}

void tst_SingleInstance::claimIsExclusive()
{
    QTemporaryDir dir;
    const QString server = dir.filePath(QStringLiteral("s.sock"));
    const QString lock = dir.filePath(QStringLiteral("s.lock"));
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
    QVERIFY(second.ActivatePrevInstance());
    QTRY_COMPARE(requested.count(), 1);
}

void tst_SingleInstance::crashedHolderDoesNotBlock()
{
    QTemporaryDir dir;
    const QString server = dir.filePath(QStringLiteral("s.sock"));
    const QString lock = dir.filePath(QStringLiteral("s.lock"));
    // What a killed instance leaves: its lock naming a process that is gone,
    // and its socket file.
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"));
    QVERIFY(gone.waitForFinished(5000));
    QFile file(lock);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(gone.processId() ? gone.processId() : 999999) + "\nqspindrel\n"
               + QSysInfo::machineHostName().toUtf8() + "\n");
    file.close();
    QFile socketFile(server);
    QVERIFY(socketFile.open(QIODevice::WriteOnly));
    socketFile.close();

    SingleInstance instance(server, lock);
    QVERIFY(instance.Claim());
    SingleInstance later(server, lock);
    QVERIFY(!later.Claim());
    QVERIFY(later.ActivatePrevInstance());
}

QTEST_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
