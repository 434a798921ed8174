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

// mdbtools cannot write .mdb files, so the import is fed mdb-export-shaped
// text; the reader is also checked against mdb-export's real output.
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

// Type and value of every cell: a null is no empty text, 1e3 no integer.
QStringList typed(const Rows &rows)
{
    QStringList out;
    for (const QVariantList &row : rows)
        for (const QVariant &v : row)
            out << QString(v.typeName() ? v.typeName() : "null") + ':' + v.toString();
    return out;
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
    void parseErrors();
    void realExportOfFixture();
    void importKeepsIdsAndNulls_data();
    void importKeepsIdsAndNulls();
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
    QCOMPARE(typed(table->rows), typed(rows));
}

void tst_ConfigToolMdb::parseErrors()
{
    for (const char *csv : {"", "A\n\"never closed\n", "A,B\n1\n", "A,B\n1,2,3\n", "A\n\"x\"y\n", "A\nx\"y\"\n", "A,,C\n"}) {
        QString error;
        QVERIFY2(!ParseMdbExport(QByteArray(csv), &error) && !error.isEmpty(), csv);
    }
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
    QCOMPARE((QVariantList{table->rows.at(5).at(0), table->rows.at(5).at(4), table->rows.at(4).at(4)}),
             (QVariantList{6, "New line\r\nin field", "Escaped new line \\r\\n in field"}));
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
    QVERIFY(!ImportStationTables(tables(kBrokenMppcCsv), db, &notes, &error));
    QVERIFY2(error.contains("Row 2 of T_DNC_MPPC"), qPrintable(error));
    clsAccessDBConnection connection;
    connection.setDatabase(db);
    // Neither the new file nor the tables the import would have made are left.
    if (backend == u"new"_s)
        QCOMPARE(QDir(QFileInfo(db).path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    else
        QVERIFY(connection.Connect() && !HasConfigTables(connection));

    notes.clear();
    QVERIFY2(ImportStationTables(tables(), db, &notes, &error), qPrintable(error));
    QCOMPARE(notes.size(), 1);
    QVERIFY(notes.first().contains("COMMENT"));
    QVERIFY(connection.IsConnected() || connection.Connect());
    RecordSet rows;
    QVERIFY(OpenRecordset(connection, "select * from T_DNC_MPPC order by MPPC_ID", {}, &rows));
    QCOMPARE((QVariantList{rows.count(), rows.value(0, "MPPC_ID").toInt(), rows.value(1, "MPPC_ID").toInt(),
                           rows.value(0, "SEND_DIRECTORY"), rows.value(1, "SEND_EXTENSION")}),
             (QVariantList{2, 7, 42, "D:\\PROGS\\", ""}));
    QVERIFY(rows.value(0, "SEND_EXTENSION").isNull() && rows.value(0, "RECV_REMOTE_CMD").isNull());
    QVERIFY(!rows.value(1, "SEND_EXTENSION").isNull());

    const LoadResult<MachineAssignment> machines = LoadStationMachines(connection, "O'Brien");
    QVERIFY2(machines.ok && machines.rows.size() == 2, qPrintable(machines.error));
    const MachineAssignment &m10 = machines.rows.at(0), &m20 = machines.rows.at(1);
    // PORT 5001 was text in the source.
    QCOMPARE((QVariantList{m10.MACHINE_ID, m10.PORT, m10.MACHINE_NAME, m20.MACHINE_NAME, m20.RECV_EXTENSION}),
             (QVariantList{10, 5001, "Lathe \"big\" one", "Mill, 3 axes", QStringList{".NC", ".TXT"}}));

    // Numbering continues after the imported ids.
    const StationMachineSetting row{20, EditModeNone, CmdTypeSend, "LOAD", QString(), "/p/", QString(), QString(), QString()};
    QVERIFY(SaveStationMachines(connection, "another", {row}).ok());
    QVERIFY(OpenRecordset(connection, "select MPPC_ID from T_DNC_MPPC where PC_NAME = ?", {"another"}, &rows));
    QVERIFY(rows.count() == 1 && rows.value(0, 0).toInt() > 42);

    // A second import is refused and changes nothing.
    QVERIFY(!ImportStationTables(tables(), db, &notes, &error));
    QVERIFY2(error.contains("already holds rows"), qPrintable(error));
    QVERIFY(OpenRecordset(connection, "select * from T_DNC_MPPC", {}, &rows));
    QCOMPARE(rows.count(), 3);
}

QTEST_GUILESS_MAIN(tst_ConfigToolMdb)
#include "tst_config_tool_mdb.moc"
