#include "CRegSettings.h"
#include "ConfigToolRun.h"
#include "CsvFormat.h"
#include "DBAssist.h"
#include "Platform.h"
#include "TestDatabases.h"
#include "clsAccessDBConnection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

// Both tables, every column, nulls told apart from empty texts; with `key`,
// that station's rows instead, their ids and key left out.
QString Dump(const QString &database, const QString &key = {})
{
    clsAccessDBConnection c;
    c.setDatabase(database);
    if (!c.Connect())
        return QStringLiteral("cannot connect");
    const QStringList queries = key.isEmpty()
        ? QStringList{"select * from T_DNC_MACHINES order by MACHINE_ID", "select * from T_DNC_MPPC order by MPPC_ID"}
        : QStringList{"select MACHINE_ID, EDIT_MODE, CMD_TYPE, SEND_REMOTE_CMD, SEND_EXTENSION, SEND_DIRECTORY, "
                      "RECV_REMOTE_CMD, RECV_EXTENSION, RECV_DIRECTORY from T_DNC_MPPC "
                      "where upper(PC_NAME) = upper(?) order by MACHINE_ID"};
    QStringList lines;
    for (const QString &sql : queries) {
        RecordSet rows;
        if (!OpenRecordset(c, sql, key.isEmpty() ? QVariantList() : QVariantList{key}, &rows))
            return QStringLiteral("cannot read");
        for (int r = 0; r < rows.count(); ++r) {
            QStringList values;
            for (const QVariant &v : rows.row(r))
                values << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            lines << values.join('|');
        }
    }
    return lines.join('\n');
}

const QByteArray kMachineHeader = "MACHINE_ID,MACHINE_NUMBER,MACHINE_NAME,IP_ADDRESS,PORT,ICON_INDEX\n";

} // namespace

// qspindrel-config's machine, CSV and station-copy commands, run as a process
// on real SQLite files and on the PostgreSQL server of the test script.
class tst_ConfigTables : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", path("home").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", path("system").toLocal8Bit());
    }
    // What the round trip below does not reach: the line of a record after a field of two
    // lines, other cells a spreadsheet takes for formulas, and broken text.
    void csvEdges()
    {
        QString error;
        const auto records = ParseCsv("\xEF\xBB\xBF\"two\r\nlines\",\nlast,\"\"\n", &error);
        QVERIFY2(records && records->size() == 2 && records->at(1).line == 3, qPrintable(error));
        QVERIFY(records->at(0).fields.at(0).text == "two\r\nlines" && records->at(0).fields.at(1).isNull()
                && !records->at(1).fields.at(1).isNull());
        for (const QString &text : {QString("-1"), QString("@SUM(A1)"), QString("\r=1"), QChar(0xFEFF) + QString("=1")}) {
            QCOMPARE(GuardSpreadsheetCell(text), "'" + text);
            QCOMPARE(UnguardSpreadsheetCell("'" + text), text);
        }
        for (const auto &[bad, message] : {std::pair{QByteArray("a\nb\"c\""), QString("line 2, field 1: a quote inside")},
                                           {"a\n\"b\"c", "line 2, field 1: text after"},
                                           {"a\nb\xff", "line 2: the text is not UTF-8"}})
            QVERIFY2(!ParseCsv(bad, &error) && error.startsWith(message), qPrintable(error));
    }
    // A refusal names what is wrong and leaves both tables as they were.
    void refusals_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QStringList add{"machine-add", "DB", "3", "--number", "M3", "--name", "Drill", "--address", "h"};
        const QStringList machines{"import-csv", "DB", "T_DNC_MACHINES", "in.csv"};
        const QStringList mppc{"import-csv", "DB", "t_dnc_mppc", "in.csv"};
        const QByteArray mppcHeader = "MACHINE_ID,PC_NAME,EDIT_MODE,CMD_TYPE\n";
        struct Case {
            const char *name;
            QStringList arguments;
            QByteArray csv;
            int exitCode;
            const char *message;
        };
        const Case cases[] = {
            {"add: duplicate id", QStringList{add.mid(0, 2)} << "1" << add.mid(3) << "--port" << "5003", {}, 1,
             "MACHINE_ID: 1 exists already"},
            {"add: port too high", QStringList{add} << "--port" << "65536", {}, 1,
             "PORT (--port): 65536 is outside 1-65535"},
            {"add: option missing", add, {}, 2, "needs --port"},
            {"set: not a number", {"machine-set", "DB", "1", "--port", "50x1"}, {}, 1, "PORT (--port): \"50x1\" is not a whole number"},
            {"set: unknown option", {"machine-set", "DB", "1", "--colour", "red"}, {}, 2, "unknown option --colour"},
            {"remove: in use", {"machine-remove", "DB", "1"}, {}, 1, "machine 1 is used by the station |(2 rows in T_DNC_MPPC)|--force"},
            {"remove: in use by one row", {"machine-remove", "DB", "2"}, {}, 1, "machine 2 is used by the station HOST-C (1 row in"},
            {"csv: field count", machines, kMachineHeader + "3,M3,Drill,h,5003,1\n4,M4,Saw,h,5004\n", 1,
             "line 3: 5 fields where the header has 6"},
            {"csv: id twice", machines, kMachineHeader + "3,M3,Drill,h,5003,1\n\"3\",M4,Saw,h,5004,1\n", 1,
             "line 3, column MACHINE_ID: 3 is already on line 2"},
            {"csv: null required", machines, kMachineHeader + "3,M3,,h,5003,1\n", 1, "line 2, column MACHINE_NAME: a value is required"},
            {"csv: unclosed quote", machines, kMachineHeader + "3,\"M3,Drill,h,5003,1\n", 1, "line 2: a quoted field"},
            {"csv: unknown column", machines, "MACHINE_ID,COLOUR\n", 1, "\"COLOUR\" is no column of T_DNC_MACHINES"},
            {"csv: code range", mppc, mppcHeader + "1,HOST-B,3,0\n", 1, "line 2, column EDIT_MODE: 3 is outside 0-2"},
            {"csv: unknown machine", mppc, mppcHeader + "1,HOST-B,0,0\n7,HOST-B,0,0\n", 1,
             "line 3, column MACHINE_ID: there is no machine 7"},
            {"csv: unknown table", {"import-csv", "DB", "T_USERS", "in.csv"}, "", 2, "T_USERS is not T_DNC_MACHINES"},
            {"copy: empty source", {"copy-station", "DB", "HOST-Z", "HOST-A"}, {}, 1, "HOST-Z has no rows"},
            {"copy: same key, other case", {"copy-station", "DB", "HOST-A", "host-A"}, {}, 1, "the same station HOST-A"},
        };
        for (const QString &backend : TestBackends()) {
            for (const Case &c : cases)
                QTest::addRow("%s, %s", qPrintable(backend), c.name)
                    << backend << c.arguments << c.csv << c.exitCode << c.message;
        }
    }
    void refusals()
    {
        QFETCH(QString, backend);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, csv);
        QFETCH(QString, message);
        QS_OPEN_DB(backend, db, c);
        QVERIFY(CreateConfigTables(c));
        QS_EXEC(c, "insert into T_DNC_MACHINES values (1, 'M1', 'Mill', 'h', 5001, 1), (2, 'M2', 'Lathe', 'h', 5002, 2)");
        QS_EXEC(c, "insert into T_DNC_MPPC (MACHINE_ID, PC_NAME, EDIT_MODE, CMD_TYPE) values (1, 'HOST-A', 0, 2), (1, 'host-a', 1, 0), "
                   "(2, 'HOST-C', 0, 0)");
        c.Disconnect();
        QVERIFY(WriteFileBytes(path("in.csv"), csv));
        const QString before = Dump(db.path());
        arguments.replace(1, db.path());
        const Result r = run(arguments);
        QTEST(r.exitCode, "exitCode");
        for (const QString &part : message.split('|'))
            QVERIFY2(r.err.contains(part), qPrintable(r.err));
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
        QCOMPARE(Dump(db.path()), before);
    }
    void roundTrip_data() { AddBackendRows(); }
    // Both tables out and into a fresh database: the station sees the same, and
    // a second export is the same file.
    void roundTrip()
    {
        QFETCH(QString, backend);
        QS_OPEN_DB(backend, db, c);
        c.Disconnect();
        // A folder with content is refused, an empty one taken, a demo folder refused again.
        QVERIFY(WriteFileBytes(path("demo/.mine"), {}));
        Result r = run({"demo", path("demo")});
        QVERIFY2(r.exitCode == 1 && r.err.contains("not empty"), qPrintable(r.err));
        QVERIFY(!CRegSettings().GetUserSetting("Settings", "Database").isValid());
        QVERIFY(QFile::remove(path("demo/.mine")) && run({"demo", path("demo")}).exitCode == 0);
        const QString source = path("demo/config.sqlite");
        QCOMPARE(CRegSettings().GetUserSetting("Settings", "Database").toString(), QDir::toNativeSeparators(source));
        // Nothing beside it but the settings folders (Windows keeps settings in the registry).
        QStringList written = QDir(path("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        written.removeOne("home");
        written.removeOne("system");
        QCOMPARE(written, QStringList{"demo"});
        // S-501 is assigned to no station.
        r = run({"stations", source});
        QVERIFY2(r.exitCode == 0 && r.out.contains(GetPCName() + "\n") && r.out.contains("L-101")
                     && r.out.contains("127.0.0.1:5106") && !r.out.contains("S-501"), qPrintable(r.out + r.err));
        // Texts the CSV must quote, and a null beside an empty text.
        clsAccessDBConnection s;
        s.setDatabase(source);
        QVERIFY(s.Connect());
        QS_EXEC(s, "update T_DNC_MACHINES set MACHINE_NAME = 'Mill, \"big\"' || char(10) || 'hall 2' where MACHINE_ID = 1");
        QS_EXEC(s, "update T_DNC_MPPC set SEND_REMOTE_CMD = '' where MPPC_ID = (select min(MPPC_ID) from T_DNC_MPPC where CMD_TYPE = 0)");
        QS_EXEC(s, "update T_DNC_MACHINES set MACHINE_NAME = '=HYPERLINK(\"http://x\")' where MACHINE_ID = 2");
        QS_EXEC(s, "update T_DNC_MACHINES set MACHINE_NAME = '''' || char(9) || 'x' where MACHINE_ID = 3");
        s.Disconnect();
        r = run({"demo", path("demo")});  // had it written again, the changes above would be gone
        QVERIFY2(r.exitCode == 1 && r.err.contains("already holds a demo installation"), qPrintable(r.err));

        for (const char *table : {"T_DNC_MACHINES", "T_DNC_MPPC"}) {
            QCOMPARE(run({"export-csv", source, table, path(table + QString(".csv"))}).exitCode, 0);
            QStringList import{"import-csv", db.path(), table, path(table + QString(".csv"))};
            // The machines go through a file for spreadsheets: no cell starts a formula.
            if (table == QLatin1String("T_DNC_MACHINES")) {
                QCOMPARE(run({"export-csv", "--spreadsheet", source, table, path("sheet.csv")}).exitCode, 0);
                const QByteArray text = ReadFileBytes(path("sheet.csv"));
                QVERIFY2(text.contains("\"'=HYPERLINK(\"\"http://x\"\")\"") && text.contains(",''\tx,"), text.constData());
                import = QStringList{"import-csv", db.path(), table, path("sheet.csv"), "--spreadsheet"};
            }
            r = run(import);
            QVERIFY2(r.exitCode == 0, qPrintable(r.err));
            QCOMPARE(run({"export-csv", db.path(), table, path(table + QString("-again.csv"))}).exitCode, 0);
            QCOMPARE(ReadFileBytes(path(table + QString("-again.csv"))), ReadFileBytes(path(table + QString(".csv"))));
        }
        QCOMPARE(Dump(db.path()), Dump(source));

        // Another station made like the first, which keeps its own rows.
        const QString first = GetPCName();
        QVERIFY(!Dump(source, first).isEmpty());
        QCOMPARE(run({"copy-station", db.path(), first, "NEW-PC"}).exitCode, 0);
        const Result again = run({"copy-station", db.path(), first, "new-pc"});
        QVERIFY2(again.exitCode == 0 && again.out.contains("earlier rows replaced"), qPrintable(again.out + again.err));
        QCOMPARE(Dump(db.path(), "NEW-PC"), Dump(source, first));
        QCOMPARE(Dump(db.path(), first), Dump(source, first));
        // New rows are numbered after the imported ones.
        QCOMPARE(run({"copy-station", db.path(), first, "THIRD-PC"}).exitCode, 0);

        // Machines added, changed, listed and removed with their station rows.
        r = run({"machine-add", db.path(), "50", "--number", "M50", "--name", "Saw", "--address", "10.0.0.5", "--port", "6005",
                 "--icon", "40"});
        QVERIFY2(r.exitCode == 0 && r.err.contains("ICON_INDEX (--icon): 40 is outside 1-31"), qPrintable(r.err));
        QCOMPARE(run({"machine-set", db.path(), "50", "--port=6106", "--name", "Big saw\x1b[2J"}).exitCode, 0);
        r = run({"machines", db.path()});
        QVERIFY2(r.out.contains("\n50  M50  Big saw\\x1B[2J  10.0.0.5:6106  icon 40  0 stations\n"), qPrintable(r.out));
        r = run({"machine-remove", db.path(), "1", "--force"});
        QVERIFY2(r.exitCode == 0 && r.out.contains(QRegularExpression("and its [3-9] station rows")), qPrintable(r.out + r.err));
        QVERIFY(!Dump(db.path(), first).isEmpty() && !Dump(db.path(), first).startsWith("1|"));
    }

private:
    using Result = ToolResult;
    Result run(const QStringList &arguments) { return RunConfigTool(arguments, m_root->path()); }
    QString path(const QString &name) const { return m_root->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_root;
};

QTEST_GUILESS_MAIN(tst_ConfigTables)
#include "tst_config_tables.moc"
