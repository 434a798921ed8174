// Two stations saving at the same moment into one database. The test binary
// runs itself as the writers: tst_concurrentsave --write PATH KEY ROUNDS.

#include "StationTables.h"
#include "TestDatabases.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

#include <iostream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rounds = 40;
constexpr int Machines = 6;

QList<StationMachineSetting> roundSettings(int round, int machines = Machines)
{
    QList<StationMachineSetting> settings;
    for (int id = 1; id <= machines; ++id)
        settings.append({id, EditModeNone, CmdTypeBoth, u"LOAD%1"_s.arg(round), QString(),
                         u"D:\\PROGS"_s, u"SAVE%1"_s.arg(round), QString(), u"D:\\IN"_s});
    return settings;
}

int runWriter(const QStringList &args)
{
    clsAccessDBConnection c;
    c.setDatabase(args.value(2));
    if (args.size() < 5 || !c.Connect())
        return 2;
    // Both writers start on the parent's word, so that their saves overlap.
    std::cout << "ready" << std::endl;
    std::string word;
    std::getline(std::cin, word);
    for (int round = 0; round < args.at(4).toInt(); ++round) {
        const SaveResult r = SaveStationMachines(c, args.at(3), roundSettings(round));
        // Read back between writes, as a station starting meanwhile would.
        const auto loaded = LoadStationMachines(c, args.at(3));
        if (!r.ok() || !loaded.ok || loaded.rows.size() != Machines) {
            std::cerr << "round " << round << ": " << qPrintable(r.error + loaded.error) << std::endl;
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
    void twoWritersLoseNothing_data() { AddBackendRows(); }
    void twoWritersLoseNothing()
    {
        QFETCH(QString, backend);
        QS_OPEN_DB(backend, db, c);
        QVERIFY(CreateConfigTables(c));
        for (int id = 1; id <= Machines; ++id)
            QS_EXEC(c, u"INSERT INTO T_DNC_MACHINES VALUES (?, ?, 'Mill', 'localhost', 5000, 1)"_s, id, u"M%1"_s.arg(id));
        QVERIFY(SaveStationMachines(c, u"THIRD"_s, roundSettings(99, 2)).ok());

        std::vector<std::unique_ptr<QProcess>> writers;
        for (const QString &key : {u"O'Brien"_s, u"LATHE-2"_s}) {
            writers.push_back(std::make_unique<QProcess>());
            writers.back()->start(QCoreApplication::applicationFilePath(),
                                  {u"--write"_s, db.path(), key, QString::number(Rounds)});
            QProcess &p = *writers.back();
            QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine() || p.state() == QProcess::NotRunning, 30000);
            QCOMPARE(p.readLine().trimmed(), QByteArray("ready"));
        }
        // Both words go out before either wait, or the second would sit in its buffer.
        for (auto &p : writers)
            p->write("go\n");
        for (auto &p : writers) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0, p->readAllStandardError().constData());
        }
        RecordSet all;
        QVERIFY(OpenRecordset(c, u"SELECT PC_NAME, SEND_REMOTE_CMD, COUNT(*) FROM T_DNC_MPPC"
                                 " GROUP BY PC_NAME, SEND_REMOTE_CMD ORDER BY PC_NAME"_s, {}, &all));
        QStringList groups;
        for (int r = 0; r < all.count(); ++r)
            groups << u"%1 %2 %3"_s.arg(all.row(r).value(0).toString(), all.row(r).value(1).toString(),
                                        all.row(r).value(2).toString());
        QCOMPARE(groups, (QStringList{u"LATHE-2 LOAD39 6"_s, u"O'Brien LOAD39 6"_s, u"THIRD LOAD99 2"_s}));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--write") == 0)
        return runWriter(app.arguments());
    tst_ConcurrentSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_concurrentsave.moc"
