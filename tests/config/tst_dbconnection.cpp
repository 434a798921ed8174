#include "TestDatabases.h"

#include <QFile>
#include <QtTest>

class tst_DbConnection : public QObject
{
    Q_OBJECT

private slots:
    void resolveTarget_data();
    void resolveTarget();
    void connectTwiceAndDisconnectTwice_data() { AddBackendRows(); }
    void connectTwiceAndDisconnectTwice();
    void sqlEmptyAndFailing_data() { AddBackendRows(); }
    void sqlEmptyAndFailing();
    void refusesWhatIsNoDatabase_data();
    void refusesWhatIsNoDatabase();
    void reconnectsToAnotherDatabase();
    void recordSetNamesAndNulls_data() { AddBackendRows(); }
    void recordSetNamesAndNulls();
    void transactionsCommitAndRollBack_data() { AddBackendRows(); }
    void transactionsCommitAndRollBack();
};

void tst_DbConnection::resolveTarget_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("databaseName");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("user");
    const QString odbc = QStringLiteral("DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=");
    QTest::newRow("sqlite with blanks") << "/srv/Program Files/DNC/Config.db" << "QSQLITE"
                                        << "/srv/Program Files/DNC/Config.db" << "" << -1 << "";
    QTest::newRow("access") << "C:/DNC/Config.MDB" << "QODBC" << odbc + "C:/DNC/Config.MDB;" << "" << -1 << "";
    QTest::newRow("accdb with semicolon") << "/d/a;b.accdb" << "QODBC" << odbc + "{/d/a;b.accdb};" << "" << -1 << "";
    QTest::newRow("postgresql") << "postgresql://dnc@db.plant:5433/config" << "QPSQL" << "config"
                                << "db.plant" << 5433 << "dnc";
    QTest::newRow("postgresql socket") << "postgresql://postgres@localhost/t?host=/tmp/pg%20x"
                                       << "QPSQL" << "t" << "/tmp/pg x" << -1 << "postgres";
}

void tst_DbConnection::resolveTarget()
{
    QFETCH(QString, path);
    const DatabaseTarget t = ResolveDatabaseTarget(path, 1234);
    QVERIFY2(t.error.isEmpty(), qPrintable(t.error));
    QTEST(t.driver, "driver");
    QTEST(t.databaseName, "databaseName");
    QTEST(t.hostName, "host");
    QTEST(t.port, "port");
    QTEST(t.userName, "user");
    if (t.driver == QLatin1String("QSQLITE"))
        QCOMPARE(t.connectOptions, QStringLiteral("QSQLITE_BUSY_TIMEOUT=1234"));
    if (t.driver == QLatin1String("QPSQL"))
        QVERIFY(t.connectOptions.contains(QLatin1String("connect_timeout=")));

    clsAccessDBConnection c;
    c.setDatabase(QStringLiteral("C:\\Program Files\\DNC\\Con;fig.mdb"));
    QCOMPARE(c.GetConnectInfo(),
             QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=C:\\Program Files\\DNC\\Con;fig.mdb;Persist Security"));
}

void tst_DbConnection::connectTwiceAndDisconnectTwice()
{
    QFETCH(QString, backend);
    QS_REQUIRE_BACKEND(backend);
    TestDatabase db;
    QString why;
    QVERIFY2(db.create(backend, &why), qPrintable(why));

    clsAccessDBConnection c;
    QVERIFY(c.Disconnect()); // closed: nothing to do
    c.setDatabase(db.path());
    QVERIFY2(c.Connect(), qPrintable(c.GetADOErrors().value(0).text()));
    const QString name = c.ConnectionName();
    QVERIFY(c.Connect());
    QCOMPARE(c.ConnectionName(), name);
    QVERIFY(c.GetADOConnection().isOpen());
    QVERIFY(c.Disconnect());
    QVERIFY(!c.IsConnected());
    QVERIFY(c.Disconnect());
    QVERIFY(c.Connect()); // open again after closing
    QVERIFY(c.SQL(QStringLiteral("create table T_PROBE (A integer)")));
}

void tst_DbConnection::sqlEmptyAndFailing()
{
    QFETCH(QString, backend);
    QS_OPEN_DB(backend, db, c);
    QVERIFY(c.SQL(QString()));
    QVERIFY(c.GetADOErrors().isEmpty());

    QVERIFY(!c.SQL(QStringLiteral("delete from T_NO_SUCH_TABLE")));
    QCOMPARE(c.GetADOErrors().size(), 1);
    QVERIFY2(c.GetADOErrors().constFirst().text().contains(QLatin1String("no_such_table"), Qt::CaseInsensitive),
             qPrintable(c.GetADOErrors().constFirst().text()));
    QVERIFY(!c.SQL(QStringLiteral("bogus two")));
    QCOMPARE(c.GetADOErrors().size(), 2); // kept until cleared
    QVERIFY(c.IsConnected());

    // Still usable after the failures; taking the connection clears the errors.
    QVERIFY(c.SQL(QStringLiteral("create table T_PROBE (A integer, B text)")));
    QVERIFY(c.SQL(QStringLiteral("insert into T_PROBE (A, B) values (?, ?)"), {7, QStringLiteral("x'y")}));
    RecordSet rows;
    QVERIFY(OpenRecordset(c, QStringLiteral("select A, B from T_PROBE"), {}, &rows));
    QVERIFY(c.GetADOErrors().isEmpty());
    QCOMPARE(rows.value(0, QStringLiteral("b")).toString(), QStringLiteral("x'y"));

    QString error;
    QVERIFY(!OpenRecordset(c, QStringLiteral("select NO_COLUMN from T_PROBE"), {}, &rows, &error));
    QVERIFY2(error.contains(QLatin1String("no_column"), Qt::CaseInsensitive), qPrintable(error));
    QCOMPARE(c.GetADOErrors().size(), 1);
    QCOMPARE(rows.count(), 1); // untouched on failure
    c.ClearADOErrors();
    QVERIFY(c.GetADOErrors().isEmpty());
}

void tst_DbConnection::refusesWhatIsNoDatabase_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // empty: the file is not made
    QTest::addColumn<QString>("errorPart");
    QTest::newRow("missing sqlite file") << "missing.db" << QByteArray() << "does not exist";
    QTest::newRow("missing access file") << "missing.mdb" << QByteArray() << "does not exist";
    QTest::newRow("text file") << "notes.db" << QByteArray("G01 X10 Y10\n").repeated(200) << "";
    // Where no Access ODBC driver is installed this must say so, not crash.
    QTest::newRow("access file") << "Config.mdb" << QByteArray("\0\1\0\0Standard Jet DB", 19) << "";
    QTest::newRow("no database") << "" << QByteArray() << "No database";
    QTest::newRow("bad url") << "postgresql://host:port/x" << QByteArray() << "not a valid";
}

void tst_DbConnection::refusesWhatIsNoDatabase()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, errorPart);
    QTemporaryDir dir;
    const bool isFile = !fileName.isEmpty() && !fileName.contains(QLatin1String("://"));
    const QString path = isFile ? dir.filePath(fileName) : fileName;
    QFile f(path);
    if (!content.isEmpty())
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    f.close();

    clsAccessDBConnection c;
    QVERIFY(c.SQL(QString())); // touches nothing, even closed
    c.setDatabase(path);
    QVERIFY(!c.Connect());
    QVERIFY(!c.IsConnected());
    const QString text = c.GetADOErrors().value(0).text();
    QVERIFY(!text.trimmed().isEmpty());
    QVERIFY2(text.contains(errorPart, Qt::CaseInsensitive), qPrintable(text));
    if (isFile && content.isEmpty())
        QVERIFY2(!QFile::exists(path), "opening must not create the file");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")) && fileName == QLatin1String("Config.mdb"))
        QVERIFY2(text.contains(QLatin1String("ODBC")), qPrintable(text));
    // A failed connection runs nothing and stays closed.
    QVERIFY(!c.SQL(QStringLiteral("select 1")));
    QVERIFY(c.Disconnect());
}

void tst_DbConnection::reconnectsToAnotherDatabase()
{
    QS_OPEN_DB(QStringLiteral("sqlite"), first, c);
    TestDatabase second;
    QVERIFY(second.create(QStringLiteral("sqlite"), nullptr));
    QVERIFY(c.SQL(QStringLiteral("create table T_FIRST (A integer)")));
    c.setDatabase(second.path()); // takes effect at the next Connect only
    QVERIFY(c.SQL(QStringLiteral("insert into T_FIRST values (1)")));
    QVERIFY(c.Disconnect());
    QVERIFY(c.Connect());
    QVERIFY(!c.SQL(QStringLiteral("insert into T_FIRST values (1)")));
    QCOMPARE(c.LastConnectInfo(), c.GetConnectInfo());
}

void tst_DbConnection::recordSetNamesAndNulls()
{
    QFETCH(QString, backend);
    QS_OPEN_DB(backend, db, c);
    QS_EXEC(c, QStringLiteral("create table T_PROBE (ID integer, NAME text)"));
    for (int i = 1; i <= 250; ++i)
        QS_EXEC(c, QStringLiteral("insert into T_PROBE (ID, NAME) values (?, ?)"), i,
                i % 2 ? QVariant(QStringLiteral("n%1").arg(i)) : QVariant(QMetaType(QMetaType::QString)));

    RecordSet rows;
    QVERIFY(OpenRecordset(c, QStringLiteral("select ID, NAME from T_PROBE where ID > ? order by ID"), {100}, &rows));
    QCOMPARE(rows.count(), 150);
    QCOMPARE(rows.columnIndex(QStringLiteral("Name")), 1);
    QCOMPARE(rows.value(0, QStringLiteral("ID")).toInt(), 101);
    QCOMPARE(rows.value(0, QStringLiteral("NAME")).toString(), QStringLiteral("n101"));
    QVERIFY(rows.value(1, QStringLiteral("NAME")).isNull());
    QVERIFY(!rows.value(150, 0).isValid());
    QVERIFY(!rows.value(0, QStringLiteral("NONE")).isValid());
    QVERIFY(OpenRecordset(c, QStringLiteral("select ID from T_PROBE where ID < 0"), {}, &rows));
    QVERIFY(rows.isEmpty());
    QCOMPARE(rows.columns().size(), 1);
}

void tst_DbConnection::transactionsCommitAndRollBack()
{
    QFETCH(QString, backend);
    QS_OPEN_DB(backend, db, c);
    QS_EXEC(c, QStringLiteral("create table T_PROBE (ID integer)"));
    QVERIFY(c.OpenTransaction() && c.SQL(QStringLiteral("insert into T_PROBE values (1)")) && c.RollbackTransaction());
    QVERIFY(c.OpenTransaction() && c.SQL(QStringLiteral("insert into T_PROBE values (2)")) && c.CommitTransaction());
    // A transaction left open is ended without its changes when the connection closes.
    QVERIFY(c.OpenTransaction() && c.SQL(QStringLiteral("insert into T_PROBE values (3)")));
    QVERIFY(c.Disconnect() && c.Connect());
    RecordSet rows;
    QVERIFY(OpenRecordset(c, QStringLiteral("select ID from T_PROBE"), {}, &rows));
    QCOMPARE(rows.count(), 1);
    QCOMPARE(rows.value(0, 0).toInt(), 2);
}

QTEST_GUILESS_MAIN(tst_DbConnection)
#include "tst_dbconnection.moc"
