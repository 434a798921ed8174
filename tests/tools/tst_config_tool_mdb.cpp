#include "MdbExport.h"
#include "MdbImport.h"
#include "../config/TestDatabases.h"

#include "StationTables.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace Qt::StringLiterals;

// The Access import: mdb-export's text to rows, and rows into a database.
// mdbtools cannot write .mdb files, so a file holding the station tables
// cannot be made here; the import is fed mdb-export-shaped text instead, and
// the reader is also checked against mdb-export's real output of the fixture.
using Rows = QList<QVariantList>;

namespace {

const QByteArray kMachinesCsv =
    "MACHINE_ID,MACHINE_NUMBER,MACHINE_NAME,IP_ADDRESS,PORT,ICON_INDEX,COMMENT\n"
    "10,\"L-10\",\"Lathe \"\"big\"\" one\",\"127.0.0.1\",\"5001\",3,\"extra\"\n"
    "20,\"M-20\",\"Mill, 3 axes\",\"127.0.0.1\",5002,7,\n";

const QByteArray kMppcCsv =
    "MPPC_ID,MACHINE_ID,PC_NAME,EDIT_MODE,CMD_TYPE,SEND_REMOTE_CMD,SEND_EXTENSION,SEND_DIRECTORY,"
    "RECV_REMOTE_CMD,RECV_EXTENSION,RECV_DIRECTORY\n"
    "7,10,\"O'Brien\",2,0,\"LOAD\",,\"D:\\PROGS\\\",,,\n"
    "42,20,\"O'Brien\",1,2,\"LOAD\",\"\",\"D:\\MILL\\\",\"SAVE\",\".NC;.TXT\",\"D:\\MILL\\IN\\\"\n";

// The second row breaks EDIT_MODE NOT NULL after the first went in.
const QByteArray kBrokenMppcCsv = "MPPC_ID,MACHINE_ID,PC_NAME,EDIT_MODE,CMD_TYPE\n1,10,\"A\",0,0\n2,10,\"B\",,0\n";

MdbStationTables tables(const QByteArray &mppcCsv = kMppcCsv)
{
    return {ParseMdbExport(kMachinesCsv).value(), ParseMdbExport(mppcCsv).value()};
}

// A path for a new SQLite file ("new"), or an empty database of `backend`.
QString target(const QString &backend, TestDatabase &d)
{
    if (backend == u"new"_s)
        return d.file(u"imported.sqlite"_s);
    return d.create(backend) ? d.path() : QString();
}

} // namespace

class tst_ConfigToolMdb : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parseErrors_data();
    void parseErrors();
    void realExportOfFixture();
    void importKeepsIdsAndNulls_data();
    void importKeepsIdsAndNulls();
    void importFailureRollsBack_data() { importKeepsIdsAndNulls_data(); }
    void importFailureRollsBack();
};

void tst_ConfigToolMdb::parse_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<Rows>("rows");
    QTest::newRow("header only") << QByteArray("A,B\n") << Rows{};
    QTest::newRow("null and empty text differ") << QByteArray("A,B,C\n1,,\"\"\n") << Rows{{1, QVariant(), QString("")}};
    QTest::newRow("doubled quotes and commas") << QByteArray("A\n\"say \"\"hi\"\", then go\"\n") << Rows{{QString("say \"hi\", then go")}};
    QTest::newRow("new line inside text") << QByteArray("A,B\n\"two\nlines\",2\n") << Rows{{QString("two\nlines"), 2}};
    QTest::newRow("CRLF, no final newline") << QByteArray("A,B\r\n1,2\r\n3,4") << Rows{{1, 2}, {3, 4}};
    QTest::newRow("numbers") << QByteArray("A,B,C,D\n-5,3000000000,1.5,1e3\n") << Rows{{-5, qlonglong(3000000000LL), 1.5, 1000.0}};
    QTest::newRow("quoted number stays text") << QByteArray("PORT\n\"5001\"\n") << Rows{{QString("5001")}};
    QTest::newRow("one column, null row") << QByteArray("A\n1\n\n2\n") << Rows{{1}, {QVariant()}, {2}};
    QTest::newRow("backslashes kept") << QByteArray("A\n\"D:\\PROGS\\\"\n") << Rows{{QString("D:\\PROGS\\")}};
    QTest::newRow("UTF-8") << QByteArray("A\n\"Fr\xc3\xa4se\"\n") << Rows{{QString::fromUtf8("Fr\xc3\xa4se")}};
}

void tst_ConfigToolMdb::parse()
{
    QFETCH(QByteArray, csv);
    QFETCH(Rows, rows);
    QString error;
    const auto table = ParseMdbExport(csv, &error);
    QVERIFY2(table, qPrintable(error));
    // The headers here are plain names.
    QCOMPARE(table->columns, QString(csv.left(csv.indexOf('\n'))).trimmed().split(','));
    QCOMPARE(table->rows.size(), rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c) {
            const QVariant actual = table->rows.at(r).at(c), expected = rows.at(r).at(c);
            QCOMPARE(actual.typeId(), expected.typeId());
            QCOMPARE(actual, expected);
            QCOMPARE(actual.toString().isNull(), expected.toString().isNull()); // empty text is no null
        }
    }
}

void tst_ConfigToolMdb::parseErrors_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("open quote") << QByteArray("A\n\"never closed\n");
    QTest::newRow("too few fields") << QByteArray("A,B\n1\n");
    QTest::newRow("too many fields") << QByteArray("A,B\n1,2,3\n");
    QTest::newRow("text after quote") << QByteArray("A\n\"x\"y\n");
    QTest::newRow("quote inside bare field") << QByteArray("A\nx\"y\"\n");
    QTest::newRow("empty column name") << QByteArray("A,,C\n");
}

void tst_ConfigToolMdb::parseErrors()
{
    QFETCH(QByteArray, csv);
    QString error;
    QVERIFY(!ParseMdbExport(csv, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(ParseMdbTableList("T_DNC_MACHINES\nT_DNC_MPPC\r\nMy Table\n\n"),
             (QStringList{"T_DNC_MACHINES", "T_DNC_MPPC", "My Table"}));
}

void tst_ConfigToolMdb::realExportOfFixture()
{
    const QString fixture = QDir(qEnvironmentVariable("QS_SOURCE_DIR")).filePath("tests/tools/fixtures/access-without-station-tables.mdb");
    if (QStandardPaths::findExecutable("mdb-export").isEmpty())
        QSKIP("mdbtools is missing");
    QProcess process;
    process.start("mdb-export", {"-b", "strip", fixture, "DateTest"});
    QVERIFY(process.waitForFinished(60000) && process.exitCode() == 0);
    QString error;
    const auto table = ParseMdbExport(process.readAllStandardOutput(), &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->columns, (QStringList{"IDCol", "DateTimeCol", "DateCol", "TimeCol", "LongTextCol", "ShortTextCol"}));
    QCOMPARE(table->rows.size(), 6);
    QCOMPARE(table->rows.at(5).at(0), QVariant(6));
    QCOMPARE(table->rows.at(5).at(4), QVariant("New line\r\nin field"));
    QCOMPARE(table->rows.at(4).at(4), QVariant("Escaped new line \\r\\n in field"));
}

void tst_ConfigToolMdb::importKeepsIdsAndNulls_data()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("new SQLite file") << "new";
    for (const QString &backend : TestBackends())
        QTest::newRow(qPrintable(backend)) << backend;
}

void tst_ConfigToolMdb::importKeepsIdsAndNulls()
{
    QFETCH(QString, backend);
    QS_REQUIRE_BACKEND(backend);
    TestDatabase d;
    const QString db = target(backend, d);
    QVERIFY(!db.isEmpty());
    QStringList notes;
    QString error;
    QVERIFY2(ImportStationTables(tables(), db, &notes, &error), qPrintable(error));
    QCOMPARE(notes.size(), 1);
    QVERIFY(notes.first().contains("COMMENT"));

    clsAccessDBConnection connection;
    connection.setDatabase(db);
    QVERIFY(connection.Connect());
    RecordSet rows;
    QVERIFY(OpenRecordset(connection, "select * from T_DNC_MPPC order by MPPC_ID", {}, &rows));
    QCOMPARE(rows.count(), 2);
    QCOMPARE(rows.value(0, "MPPC_ID").toInt(), 7);
    QCOMPARE(rows.value(1, "MPPC_ID").toInt(), 42);
    QVERIFY(rows.value(0, "SEND_EXTENSION").isNull());
    QVERIFY(rows.value(0, "RECV_REMOTE_CMD").isNull());
    QVERIFY(!rows.value(1, "SEND_EXTENSION").isNull());
    QCOMPARE(rows.value(1, "SEND_EXTENSION").toString(), QString(""));
    QCOMPARE(rows.value(0, "SEND_DIRECTORY").toString(), QString("D:\\PROGS\\"));

    const LoadResult<MachineAssignment> machines = LoadStationMachines(connection, "O'Brien");
    QVERIFY2(machines.ok && machines.rows.size() == 2, qPrintable(machines.error));
    QCOMPARE(machines.rows.at(0).MACHINE_ID, 10);
    QCOMPARE(machines.rows.at(0).PORT, 5001); // stored as text in the source
    QCOMPARE(machines.rows.at(0).MACHINE_NAME, QString("Lathe \"big\" one"));
    QCOMPARE(machines.rows.at(1).MACHINE_NAME, QString("Mill, 3 axes"));
    QCOMPARE(machines.rows.at(1).RECV_EXTENSION, (QStringList{".NC", ".TXT"}));

    // Numbering continues after the imported ids.
    const StationMachineSetting row{20, EditModeNone, CmdTypeSend, "LOAD", QString(), "/p/", QString(), QString(), QString()};
    QVERIFY(SaveStationMachines(connection, "another", {row}).ok());
    QVERIFY(OpenRecordset(connection, "select MPPC_ID from T_DNC_MPPC where PC_NAME = ?", {"another"}, &rows));
    QCOMPARE(rows.count(), 1);
    QVERIFY(rows.value(0, 0).toInt() > 42);

    // A second import is refused and changes nothing.
    QVERIFY(!ImportStationTables(tables(), db, &notes, &error));
    QVERIFY2(error.contains("already holds rows"), qPrintable(error));
    QVERIFY(OpenRecordset(connection, "select * from T_DNC_MPPC", {}, &rows));
    QCOMPARE(rows.count(), 3);
}

void tst_ConfigToolMdb::importFailureRollsBack()
{
    QFETCH(QString, backend);
    QS_REQUIRE_BACKEND(backend);
    TestDatabase d;
    const QString db = target(backend, d);
    QVERIFY(!db.isEmpty());
    QStringList notes;
    QString error;
    QVERIFY(!ImportStationTables(tables(kBrokenMppcCsv), db, &notes, &error));
    QVERIFY2(error.contains("Row 2 of T_DNC_MPPC"), qPrintable(error));
    if (backend == u"new"_s) {
        QVERIFY(!QFile::exists(db));
        QCOMPARE(QDir(QFileInfo(db).path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
        return;
    }
    clsAccessDBConnection connection;
    connection.setDatabase(db);
    QVERIFY(connection.Connect());
    // Not even the tables the import would have made are left.
    QVERIFY(!HasConfigTables(connection));
}

QTEST_GUILESS_MAIN(tst_ConfigToolMdb)
#include "tst_config_tool_mdb.moc"
