#include "ConfigToolRun.h"
#include "MdbExport.h"
#include "MdbImport.h"
#include "../config/TestDatabases.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace Qt::StringLiterals;

// mdbtools cannot write .mdb files, so the import is fed mdb-export-shaped
// text; the reader is also checked against mdb-export's real output.

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

const QByteArray kGoodMachine = "10,\"L-10\",\"Lathe\",\"127.0.0.1\",\"5001\",3\n";
const QByteArray kGoodMppc = "7,10,\"HOST\",2,0\n";

// Stand-ins for mdbtools, first on PATH: by default mdb-tables lists both
// station tables and mdb-export prints TABLE.csv from the same folder; both
// refuse a file name that they would take for an option.
class FakeMdbTools
{
public:
    FakeMdbTools()
    {
        const QByteArray refuseOption = "case \"$FILE\" in -*) echo \"unknown option $FILE\" >&2; exit 1;; esac\n";
        script("mdb-tables", "FILE=$2\n" + refuseOption + "printf 'T_DNC_MACHINES\\nT_DNC_MPPC\\n'");
        script("mdb-export", "FILE=$3\n" + refuseOption + "exec cat \"$(dirname \"$0\")/$4.csv\"");
        WriteFileBytes(mdb(), {});
    }
    void script(const QString &name, const QByteArray &body)
    {
        WriteFileBytes(m_bin.filePath(name), "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(m_bin.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void tables(const QByteArray &machines, const QByteArray &mppc)
    {
        WriteFileBytes(m_bin.filePath("T_DNC_MACHINES.csv"),
                       "MACHINE_ID,MACHINE_NUMBER,MACHINE_NAME,IP_ADDRESS,PORT,ICON_INDEX\n" + machines);
        WriteFileBytes(m_bin.filePath("T_DNC_MPPC.csv"), "MPPC_ID,MACHINE_ID,PC_NAME,EDIT_MODE,CMD_TYPE\n" + mppc);
    }
    QString path() const { return m_bin.path() + ':' + qEnvironmentVariable("PATH"); }
    QString mdb() const { return m_bin.filePath("-plant.mdb"); }
    QString work(const QString &name = {}) const { return m_work.filePath(name); }
    QStringList workEntries() const { return QDir(m_work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

    // qspindrel-config run with the stand-ins, in the folder of the .mdb.
    ToolResult run(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", path());
        return RunConfigTool(arguments, m_bin.path(), env);
    }

private:
    QTemporaryDir m_bin, m_work;
};

} // namespace

class tst_ConfigToolMdb : public QObject
{
    Q_OBJECT

private slots:
    // What the real exports below do not reach: broken text.
    void parseEdges()
    {
        for (const char *csv : {"A\n\"never closed\n", "A,B\n1\n", "A\nx\"y\"\n"}) {
            QString error;
            QVERIFY2(!ParseMdbExport(QByteArray(csv), &error) && !error.isEmpty(), csv);
        }
    }
    void realExportOfFixture()
    {
        const QString fixture = QDir(qEnvironmentVariable("QS_SOURCE_DIR")).filePath("tests/tools/fixtures/access-without-station-tables.mdb");
        if (QStandardPaths::findExecutable("mdb-export").isEmpty())
            QSKIP("mdbtools is missing");
        QProcess process;
        process.start("mdb-export", {"-b", "strip", fixture, "DateTest"});
        QVERIFY(process.waitForFinished(60000) && process.exitCode() == 0);
        QString error;
        const auto table = ParseMdbExport(process.readAllStandardOutput(), &error);
        QVERIFY2(table && table->rows.size() == 6, qPrintable(error));
        QCOMPARE((QVariantList{table->columns.value(4), table->rows.at(5).at(4), table->rows.at(4).at(4)}),
                 (QVariantList{"LongTextCol", "New line\r\nin field", "Escaped new line \\r\\n in field"}));
    }
    void importKeepsIdsAndNulls_data() { AddBackendRows(); }
    void importKeepsIdsAndNulls()
    {
        QFETCH(QString, backend);
        QS_OPEN_DB(backend, d, connection);
        const QString db = d.path();
        const auto tables = [](const QByteArray &mppc) {
            return MdbStationTables{ParseMdbExport(kMachinesCsv).value(), ParseMdbExport(mppc).value()};
        };
        // The second row repeats the key of the first, which went in already:
        // the tables the import would have made are not left.
        QStringList notes;
        QString error;
        QVERIFY(!ImportStationTables(tables("MPPC_ID,MACHINE_ID,PC_NAME,EDIT_MODE,CMD_TYPE\n1,10,\"A\",0,0\n1,10,\"B\",0,0\n"),
                                     db, &notes, &error));
        QVERIFY2(error.contains("Row 2 of T_DNC_MPPC"), qPrintable(error));
        QVERIFY(!HasConfigTables(connection));

        notes.clear();
        QVERIFY2(ImportStationTables(tables(kMppcCsv), db, &notes, &error), qPrintable(error));
        QVERIFY(notes.size() == 1 && notes.first().contains("COMMENT"));
        RecordSet rows;
        QVERIFY(OpenRecordset(connection, "select * from T_DNC_MPPC order by MPPC_ID", {}, &rows));
        QCOMPARE((QVariantList{rows.count(), rows.value(0, "MPPC_ID").toInt(), rows.value(1, "MPPC_ID").toInt(),
                               rows.value(0, "SEND_DIRECTORY"), rows.value(1, "SEND_EXTENSION")}),
                 (QVariantList{2, 7, 42, "D:\\PROGS\\", ""}));
        QVERIFY(rows.value(0, "SEND_EXTENSION").isNull() && rows.value(0, "RECV_REMOTE_CMD").isNull()
                && !rows.value(1, "SEND_EXTENSION").isNull());

        // A second import is refused and changes nothing.
        QVERIFY(!ImportStationTables(tables(kMppcCsv), db, &notes, &error));
        QVERIFY2(error.contains("already holds rows"), qPrintable(error));
        QVERIFY(OpenRecordset(connection, "select * from T_DNC_MPPC", {}, &rows) && rows.count() == 2);
    }
    // The real program with stand-in mdbtools: a row the station would refuse
    // leaves nothing behind, and says where it is; what it takes, `stations`
    // lists with control characters escaped. A relative file name that begins
    // with "-" reaches mdbtools as a path.
    void importChecksRows_data()
    {
        QTest::addColumn<QByteArray>("machines");  // rows after the header
        QTest::addColumn<QByteArray>("mppc");
        QTest::addColumn<QString>("said");        // a fault, or all `stations` prints
        QTest::newRow("host name, decimal port, quotes")
            << QByteArray("10,\"L\",\"Lathe \"\"big\"\", 3\",\"dnc-1.plant.example\",5001.00,3\n") << kGoodMppc
            << "HOST\n  10  L  Lathe \"big\", 3  dnc-1.plant.example:5001  Send, Edit\n";
        // C0 and C1 controls, DEL, separators, direction and tag characters escaped; accents, emoji and backslashes not.
        QTest::newRow("control characters")
            << QByteArray("10,\"L\x1b[2J\x7f\",\"Fr\xc3\xa4se \xf0\x9f\x98\x80 D:\\two\nlines\r\xc2\x85\xe2\x80\xa8\xe2\x80\xae"
                          "\xf3\xa0\x81\x81\",\"127.0.0.1\",5001,3\n")
            << QByteArray("7,10,\"HOST\x07\",2,0\n")
            << u"HOST\\x07\n  10  L\\x1B[2J\\x7F  Fr\u00e4se \U0001F600 D:\\two\\x0Alines\\x0D\\x85\\u{2028}\\u{202E}\\u{E0041}"
               "  127.0.0.1:5001  Send, Edit\n"_s;
        const auto machine = [](const char *name, const QByteArray &ip, const QByteArray &port, const char *column) {
            QTest::newRow(name) << "10,\"L-10\",\"Lathe\"," + ip + "," + port + ",3\n" << kGoodMppc
                                << "T_DNC_MACHINES, row 1, column " + QString(column);
        };
        machine("port beyond 32 bits", "\"127.0.0.1\"", "99999999999", "PORT");
        machine("port 0", "\"127.0.0.1\"", "0", "PORT");
        machine("port above 65535", "\"127.0.0.1\"", "65536", "PORT");
        machine("address out of range", "\"300.1.1.1\"", "5001", "IP_ADDRESS");
        QTest::newRow("name null") << QByteArray("10,\"L-10\",,\"127.0.0.1\",5001,3\n") << kGoodMppc << "T_DNC_MACHINES, row 1, column MACHINE_NAME";
        // Found only by the database, after the first row went in: the new file goes too.
        QTest::newRow("key twice") << kGoodMachine << kGoodMppc + "7,10,\"HOST\",1,0\n" << "Row 2 of T_DNC_MPPC";
        QTest::newRow("command type text, second row") << kGoodMachine << kGoodMppc + "8,10,\"HOST\",1,\"x\"\n"
                                                             << "T_DNC_MPPC, row 2, column CMD_TYPE";
    }
    void importChecksRows()
    {
        QFETCH(QByteArray, machines);
        QFETCH(QByteArray, mppc);
        QFETCH(QString, said);
#ifdef Q_OS_WIN
        QSKIP("the stand-ins for mdbtools are shell scripts");
#endif
        FakeMdbTools tools;
        tools.tables(machines, mppc);
        const ToolResult r = tools.run({"import-mdb", "-plant.mdb", tools.work("db.sqlite")});
        if (said.contains("T_DNC_")) {
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(said) && r.err.contains("Nothing was imported"), qPrintable(r.err));
            QCOMPARE(tools.workEntries(), QStringList());
            return;
        }
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(tools.workEntries(), QStringList{"db.sqlite"});
        QCOMPARE(tools.run({"stations", tools.work("db.sqlite")}).out, said);
    }
    // An mdbtools that never ends, leaving a child flooding its error output, is stopped.
    void runawayToolIsStopped()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-ins for mdbtools are shell scripts");
#endif
        FakeMdbTools tools;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", tools.path().toLocal8Bit());
        const auto restore = qScopeGuard([&] { qputenv("PATH", path); });
        tools.script("mdb-export", "yes damaged >&2 &\nexec sleep 600");
        ProcessLimits limits;
        limits.timeoutMs = 1000;
        QString error;
        QVERIFY(!ReadMdbStationTables(tools.mdb(), &error, limits));
        QVERIFY2(error.contains("did not finish within 1 s") && error.contains(tools.mdb()), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(tst_ConfigToolMdb)
#include "tst_config_tool_mdb.moc"
