// The wizard's two database costs against the bare database work:
//  - step 1 entered on a database of 5,000 machines (connect, the query, the
//    grid filled) against connect + the same query read into a vector;
//  - Finish of a station with 500 enabled machines (the check of the step,
//    the save, the setting) against the same delete and 500 inserts by one
//    prepared statement in one transaction; and the row writer alone.
// On SQLite, and on PostgreSQL when a server URL is given.
//
//   bench_wizard [--rounds N] [--pg postgresql://user@host:port/db]
//   bench/wizard/run.sh   (starts a throwaway PostgreSQL server for the run)

#include "ConfigSchema.h"
#include "DBAssist.h"
#include "Messages.h"
#include "Platform.h"
#include "StationStatements.h"
#include "StationTables.h"
#include "../../tests/wizard/WizardDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int AllMachines = 5000;
constexpr int StationMachines = 500;
const QString Key = QStringLiteral("BENCH-STATION");

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool Exec(clsAccessDBConnection &c, const QString &sql, const QVariantList &values = {})
{
    QString error;
    if (ExecStatement(c, sql, values, &error))
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(error));
    return false;
}

bool Seed(const QString &path)
{
    clsAccessDBConnection c;
    c.setDatabase(path);
    if (!c.Connect() || !CreateConfigTables(c) || !c.OpenTransaction())
        return false;
    for (int id = 1; id <= AllMachines; ++id)
        if (!Exec(c, QStringLiteral("INSERT INTO T_DNC_MACHINES VALUES (?, ?, ?, '127.0.0.1', 5001, 1)"),
                  {id, QStringLiteral("M%1").arg(id), QStringLiteral("Machine %1").arg(id)}))
            return false;
    // Other stations' rows, so that the station's rows are found among many.
    for (int s = 0; s < 20; ++s)
        for (int id = 1; id <= StationMachines; ++id)
            if (!Exec(c, QStringLiteral("INSERT INTO T_DNC_MPPC (MACHINE_ID, PC_NAME, EDIT_MODE, CMD_TYPE,"
                                        " SEND_REMOTE_CMD, SEND_DIRECTORY) VALUES (?, ?, 0, 0, 'LOAD', '/tmp/')"),
                      {id * 7 % AllMachines + 1, QStringLiteral("OTHER-%1").arg(s)}))
                return false;
    return c.CommitTransaction();
}

// Connect, the wizard's machine query read into a vector, disconnect.
double BaselineLoad(const QString &path)
{
    QElapsedTimer t;
    t.start();
    clsAccessDBConnection c;
    c.setDatabase(path);
    c.Connect();
    const SqlStatement s = MachinesForStationQuery(c.Backend(), Key);
    struct Row { int id; QString number, name; QVariant edit, cmd, mppc; };
    std::vector<Row> rows;
    {
        QSqlQuery q(c.GetADOConnection());
        q.setForwardOnly(true);
        q.prepare(s.text);
        for (const QVariant &v : s.values)
            q.addBindValue(v);
        q.exec();
        while (q.next())
            rows.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), q.value(3),
                            q.value(4), q.value(5)});
    }
    c.Disconnect();
    if (rows.size() != size_t(AllMachines))
        std::fprintf(stderr, "baseline read %zu rows\n", rows.size());
    return t.nsecsElapsed() / 1e6;
}

// The same 500 rows by one prepared statement in one transaction.
double BaselineSave(clsAccessDBConnection &c, const QString &directory)
{
    QElapsedTimer t;
    t.start();
    c.OpenTransaction();
    {
        QSqlQuery del(c.GetADOConnection());
        const SqlStatement d = DeleteStationRowsStatement(c.Backend(), Key);
        del.prepare(d.text);
        for (const QVariant &v : d.values)
            del.addBindValue(v);
        del.exec();
        QSqlQuery ins(c.GetADOConnection());
        ins.prepare(QStringLiteral("INSERT INTO T_DNC_MPPC (MACHINE_ID, PC_NAME, EDIT_MODE, CMD_TYPE,"
                                   " SEND_REMOTE_CMD, SEND_EXTENSION, SEND_DIRECTORY) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int id = 1; id <= StationMachines; ++id) {
            ins.addBindValue(id);
            ins.addBindValue(Key);
            ins.addBindValue(0);
            ins.addBindValue(0);
            ins.addBindValue(QStringLiteral("LOAD"));
            ins.addBindValue(QVariant());
            ins.addBindValue(directory + QLatin1Char('/'));
            if (!ins.exec())
                std::fprintf(stderr, "baseline insert: %s\n", qPrintable(ins.lastError().text()));
        }
    }
    c.CommitTransaction();
    return t.nsecsElapsed() / 1e6;
}

struct Figures { double loadBase, load, saveBase, save, writer; };

Figures Measure(const QString &path, int rounds, const QString &directory)
{
    std::vector<double> loadBase, load, saveBase, save, writer;
    for (int round = 0; round < rounds; ++round) {
        loadBase.push_back(BaselineLoad(path));

        WizardDriver d;
        d.open();
        d.w->State.StationKey = Key;
        d.typeDatabase(path);
        // Only the step's own work: nothing left over from setting it up.
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        d.w->NextButton->click(); // connect, query, grid
        load.push_back(t.nsecsElapsed() / 1e6);

        GridArray *rows = d.machines()->array();
        for (int r = 0; r < StationMachines; ++r) {
            rows->setCell(r, StationStep::ColEnabled, true);
            rows->setCell(r, StationStep::ColCmdType, 0);
        }
        for (int r = StationMachines; r <= rows->upperBound(); ++r)
            rows->setCell(r, StationStep::ColEnabled, false);
        d.next();
        GridArray *send = d.options(2)->array();
        for (int r = 0; r <= send->upperBound(); ++r)
            send->setCell(r, OptionsStep::ColDirectory, directory);
        QCoreApplication::processEvents();
        t.restart();
        d.w->FinishButton->click(); // the check of the last step and the save
        save.push_back(t.nsecsElapsed() / 1e6);

        clsAccessDBConnection c;
        c.setDatabase(path);
        c.Connect();
        saveBase.push_back(BaselineSave(c, directory));
        QList<StationMachineSetting> settings;
        for (int id = 1; id <= StationMachines; ++id)
            settings.append({id, 0, 0, QStringLiteral("LOAD"), QString(), directory, {}, {}, {}});
        t.restart();
        SaveStationMachines(c, Key, settings);
        writer.push_back(t.nsecsElapsed() / 1e6);
    }
    return {Median(loadBase), Median(load), Median(saveBase), Median(save), Median(writer)};
}

void Report(const char *backend, const Figures &f)
{
    std::printf("%-10s load step 1 (%d machines): %8.1f ms, baseline %8.1f ms, ratio %.2f (aim <= 1.5)\n",
                backend, AllMachines, f.load, f.loadBase, f.load / f.loadBase);
    std::printf("%-10s finish (%d machines):      %8.1f ms, baseline %8.1f ms, ratio %.2f (aim <= 1.3)\n",
                backend, StationMachines, f.save, f.saveBase, f.save / f.saveBase);
    std::printf("%-10s   of which the row writer:    %8.1f ms, ratio %.2f\n", backend, f.writer,
                f.writer / f.saveBase);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    SetMessagePresenter([](const QString &text, int) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return int(MsgResultOk);
    });
    int rounds = 7;
    QString pg;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds"))
            rounds = qMax(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--pg"))
            pg = args[++i];
    }
    const QString directory = home.path();

    const QString sqlite = home.filePath(QStringLiteral("bench.sqlite"));
    if (!CreateDatabaseFile(sqlite) || !Seed(sqlite))
        return 1;
    Report("sqlite", Measure(sqlite, rounds, directory));

    if (!pg.isEmpty()) {
        const QString name = QStringLiteral("qs_bench_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
        clsAccessDBConnection admin;
        admin.setDatabase(pg);
        if (!admin.Connect() || !Exec(admin, QStringLiteral("CREATE DATABASE %1").arg(name)))
            return 1;
        QUrl url(pg);
        url.setPath(QLatin1Char('/') + name);
        if (!Seed(url.toString()))
            return 1;
        Report("postgresql", Measure(url.toString(), rounds, directory));
        Exec(admin, QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(name));
    }
    return 0;
}
