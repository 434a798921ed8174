// Two stations saving at the same moment into one database. The test binary
// runs itself as the writers: tst_concurrentsave --write PATH KEY ROUNDS.

#include "StationTables.h"
#include "TestDatabases.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

constexpr int Rounds = 40;
const QList<int> Machines{1, 2, 3, 4, 5, 6};

QList<StationMachineSetting> roundSettings(int round)
{
    QList<StationMachineSetting> settings;
    for (int id : Machines) {
        StationMachineSetting s;
        s.MACHINE_ID = id;
        s.CMD_TYPE = CmdTypeBoth;
        s.sendRemoteCommand = QStringLiteral("LOAD%1").arg(round);
        s.sendDirectory = QStringLiteral("D:\\PROGS");
        s.recvRemoteCommand = QStringLiteral("SAVE%1").arg(round);
        s.recvDirectory = QStringLiteral("D:\\IN");
        settings << s;
    }
    return settings;
}

int runWriter(const QStringList &args)
{
    if (args.size() < 5)
        return 2;
    clsAccessDBConnection c;
    c.setDatabase(args.at(2));
    if (!c.Connect()) {
        std::cerr << "connect: " << qPrintable(c.GetADOErrors().value(0).text()) << std::endl;
        return 1;
    }
    // Both writers start on the parent's word, so that their saves overlap.
    std::cout << "ready" << std::endl;
    std::string word;
    std::getline(std::cin, word);
    const QString key = args.at(3);
    const int rounds = args.at(4).toInt();
    for (int round = 0; round < rounds; ++round) {
        const SaveResult r = SaveStationMachines(c, key, roundSettings(round));
        if (!r.ok()) {
            std::cerr << "round " << round << ": " << qPrintable(r.error) << std::endl;
            return 1;
        }
        // Read back between writes, as a station starting meanwhile would.
        const auto loaded = LoadStationMachines(c, key);
        if (!loaded.ok || loaded.rows.size() != Machines.size()) {
            std::cerr << "round " << round << " read: " << qPrintable(loaded.error) << std::endl;
            return 1;
        }
    }
    return 0;
}

} // namespace

class tst_ConcurrentSave : public QObject
{
    Q_OBJECT

private slots:
    void twoWritersLoseNothing_data();
    void twoWritersLoseNothing();
};

void tst_ConcurrentSave::twoWritersLoseNothing_data()
{
    QTest::addColumn<QString>("backend");
    for (const QString &b : TestBackends())
        QTest::newRow(qPrintable(b)) << b;
}

void tst_ConcurrentSave::twoWritersLoseNothing()
{
    QFETCH(QString, backend);
    QS_REQUIRE_BACKEND(backend);
    TestDatabase db;
    QString error;
    QVERIFY2(db.create(backend, &error), qPrintable(error));
    {
        clsAccessDBConnection c;
        c.setDatabase(db.path());
        QVERIFY(c.Connect());
        QVERIFY2(CreateConfigTables(c, &error), qPrintable(error));
        for (int id : Machines)
            QS_EXEC(c, QStringLiteral("INSERT INTO T_DNC_MACHINES VALUES (?, ?, 'Mill', 'localhost', 5000, 1)"),
                    id, QStringLiteral("M%1").arg(id));
        const SaveResult third = SaveStationMachines(c, QStringLiteral("THIRD"), roundSettings(99).mid(0, 2));
        QVERIFY2(third.ok(), qPrintable(third.error));
    }

    const QStringList keys{QStringLiteral("O'Brien"), QStringLiteral("LATHE-2")};
    QList<QProcess *> writers;
    for (const QString &key : keys) {
        auto *p = new QProcess(this);
        p->setProgram(QCoreApplication::applicationFilePath());
        p->setArguments({QStringLiteral("--write"), db.path(), key, QString::number(Rounds)});
        p->start();
        writers << p;
    }
    for (QProcess *p : writers) {
        QVERIFY(p->waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(p->canReadLine() || p->state() == QProcess::NotRunning, 30000);
        QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
    }
    // Written out now: otherwise the second writer's word would wait in its
    // buffer until the first writer's waitForFinished is over.
    for (QProcess *p : writers)
        p->write("go\n");
    for (QProcess *p : writers)
        QVERIFY(p->waitForBytesWritten(30000));
    for (QProcess *p : writers) {
        QVERIFY(p->waitForFinished(120000));
        const QByteArray stderrText = p->readAllStandardError();
        QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0, stderrText.constData());
        delete p;
    }

    clsAccessDBConnection c;
    c.setDatabase(db.path());
    QVERIFY(c.Connect());
    for (const QString &key : keys) {
        const auto loaded = LoadStationMachines(c, key);
        QVERIFY2(loaded.ok, qPrintable(loaded.error));
        QCOMPARE(loaded.rows.size(), Machines.size());
        for (const MachineAssignment &m : loaded.rows) {
            QCOMPARE(m.SEND_REMOTE_CMD, QStringLiteral("LOAD%1").arg(Rounds - 1));
            QCOMPARE(m.RECV_DIRECTORY, QStringLiteral("D:\\IN\\"));
        }
    }
    const auto third = LoadStationMachines(c, QStringLiteral("THIRD"));
    QCOMPARE(third.rows.size(), 2);
    QCOMPARE(third.rows.at(0).SEND_REMOTE_CMD, QStringLiteral("LOAD99"));
    RecordSet all;
    QVERIFY(OpenRecordset(c, QStringLiteral("select MPPC_ID from T_DNC_MPPC"), {}, &all));
    QCOMPARE(all.count(), 2 * Machines.size() + 2);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--write") == 0)
        return runWriter(app.arguments());
    tst_ConcurrentSave test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_concurrentsave.moc"
