#include "FileBytes.h"
#include "TestDatabases.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class tst_DbConnection : public QObject
{
    Q_OBJECT

private slots:
    void resolveTarget_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("target"); // driver|database|host|port|user|options
        const QString odbc = u"QODBC|DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ="_s;
        QTest::newRow("sqlite with blanks") << "/srv/Program Files/DNC/Config.db"
                                            << "QSQLITE|/srv/Program Files/DNC/Config.db||-1||QSQLITE_BUSY_TIMEOUT=1234";
        // The driver gets the file in the system's own separators.
        const auto native = [](const char *path) { return QDir::toNativeSeparators(QString::fromUtf8(path)); };
        QTest::newRow("accdb with semicolon") << "/d/a;b.accdb" << odbc + native("{/d/a;b.accdb};||-1||");
        QTest::newRow("postgresql socket") << "postgresql://postgres@localhost/t?host=/tmp/pg%20x"
                                           << "QPSQL|t|/tmp/pg x|-1|postgres|connect_timeout";
    }
    void resolveTarget()
    {
        QFETCH(QString, path);
        const DatabaseTarget t = ResolveDatabaseTarget(path, 1234);
        QVERIFY2(t.error.isEmpty(), qPrintable(t.error));
        QTEST(QStringList({t.driver, t.databaseName, t.hostName, QString::number(t.port), t.userName,
                           t.connectOptions.section(u'=', 0, t.driver == "QPSQL"_L1 ? 0 : -1)}).join('|'), "target");
    }
    // The current driver first, then the .mdb-only one; failing both names both.
    void accessOpenError()
    {
        const QString text = AccessOpenError(u"/d/C.mdb"_s, {u"[IM002] Data source name not found"_s, QString()});
        QVERIFY2(text.contains(u"/d/C.mdb"_s), qPrintable(text));
        QVERIFY2(text.endsWith(u" \"Microsoft Access Driver (*.mdb, *.accdb)\": [IM002] Data source name not found."
                               " \"Microsoft Access Driver (*.mdb)\": no answer."_s), qPrintable(text));
    }
    void pathForDisplay_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("password with @") << "postgresql://dnc:s3cr@t@db:5433/config" << "postgresql://dnc:***@db:5433/config";
        // Every item whose decoded, trimmed key ends in "password".
        QTest::newRow("options") << "postgresql://dnc@db/c?sslmode=require&PASSWORD=x&sslpass%77ord%20=s3cret&y=1"
                                 << "postgresql://dnc@db/c?sslmode=require&PASSWORD=***&sslpassword =***&y=1";
        QTest::newRow("fragment") << "postgresql://dnc@db/c#password=s3cret" << "postgresql://dnc@db/c";
        QTest::newRow("unparsable: no query") << "postgresql://dnc@db/c?password=s3cret&x=%zz" << "postgresql://dnc@db/c";
        QTest::newRow("keyword/value, quoted") << "host=db sslpassword = 's3 \\' cret' user=x"
                                               << "host=db sslpassword = *** user=x";
    }
    void pathForDisplay() { QFETCH(QString, path); QTEST(PathForDisplay(path), "shown"); }
    void refusesWhatIsNoDatabase_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content"); // empty: the file is not made
        QTest::addColumn<QString>("errorPart");
        QTest::newRow("missing access file") << "missing.mdb" << QByteArray() << "does not exist";
        // Where no Access ODBC driver is installed this must say so, not crash.
        QTest::newRow("access file") << "Config.mdb" << QByteArray("\0\1\0\0Standard Jet DB", 19)
                                     << (QSqlDatabase::isDriverAvailable(u"QODBC"_s) ? "(*.mdb)\"" : "ODBC");
        QTest::newRow("no database") << "" << QByteArray() << "No database";
        QTest::newRow("bad url") << "postgresql://host:port/x" << QByteArray() << "not a valid";
    }
    void refusesWhatIsNoDatabase()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = fileName.isEmpty() || fileName.contains(u"://"_s) ? fileName : dir.filePath(fileName);
        QVERIFY(content.isEmpty() || WriteFileBytes(path, content));
        clsAccessDBConnection c;
        c.setDatabase(path);
        QVERIFY(!c.Connect());
        const QString text = c.GetADOErrors().value(0).text();
        QVERIFY2(!text.trimmed().isEmpty(), "no reason given");
        QFETCH(QString, errorPart);
        QVERIFY2(text.contains(errorPart, Qt::CaseInsensitive), qPrintable(text));
        QVERIFY2(!content.isEmpty() || !QFile::exists(path), "opening must not create the file");
        // A failed connection runs nothing (an empty statement touches nothing) and stays closed.
        QVERIFY(c.SQL(QString()) && !c.SQL(u"select 1"_s) && !c.IsConnected());
    }
};

QTEST_GUILESS_MAIN(tst_DbConnection)
#include "tst_dbconnection.moc"
