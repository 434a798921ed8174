#include "CRegSettings.h"
#include "ConfigSchema.h"
#include "DBAssist.h"
#include "Platform.h"
#include "StationTables.h"
#include "clsAccessDBConnection.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

// qspindrel-config run as a process, as administrators run it.
class tst_ConfigTool : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void badArguments_data();
    void badArguments();
    void help();
    void initCreatesTables();
    void initKeepsExistingRows();
    void initRefuses_data();
    void initRefuses();
    void importRefusesFileWithoutStationTables();
    void importRefusesUnreadableInput_data();
    void importRefusesUnreadableInput();
    void demoDatabase();
    void demoFolders();
    void demoSettings();
    void demoKeepsForeignDatabaseSettingNoted();
    void demoWithoutRightToTheEditorKey();
    void demoRefusesExistingInstallation();
    void demoRefusesFolderWithContent();
    void stationsLists();

private:
    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Result run(const QStringList &arguments);
    QString demoDir() const { return m_work->filePath("demo"); }
    // Makes the demo once per test that needs it.
    void makeDemo();
    QStringList workEntries() const;

    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QTemporaryDir> m_system;
};

void tst_ConfigTool::init()
{
    m_work = std::make_unique<QTemporaryDir>();
    m_home = std::make_unique<QTemporaryDir>();
    m_system = std::make_unique<QTemporaryDir>();
    // The tool and CRegSettings in this process read the same places.
    qputenv("XDG_CONFIG_HOME", m_home->path().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", m_system->path().toLocal8Bit());
}

tst_ConfigTool::Result tst_ConfigTool::run(const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(m_work->path());
    process.start(QDir(qEnvironmentVariable("QS_BIN_DIR")).filePath("qspindrel-config"), arguments);
    Result result;
    if (!process.waitForFinished(120000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

void tst_ConfigTool::makeDemo()
{
    const Result r = run({"demo", demoDir()});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
}

QStringList tst_ConfigTool::workEntries() const
{
    return QDir(m_work->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

void tst_ConfigTool::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"frobnicate", "x"};
    QTest::newRow("init without DB") << QStringList{"init"};
    QTest::newRow("init with two") << QStringList{"init", "a.sqlite", "b.sqlite"};
    QTest::newRow("import with one") << QStringList{"import-mdb", "a.mdb"};
    QTest::newRow("empty argument") << QStringList{"demo", ""};
    QTest::newRow("command case") << QStringList{"INIT", "a.sqlite"};
}

void tst_ConfigTool::badArguments()
{
    QFETCH(QStringList, arguments);
    const Result r = run(arguments);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("Usage") || r.err.contains("empty argument"));
    QVERIFY(r.out.isEmpty());
    QCOMPARE(workEntries(), QStringList());
}

void tst_ConfigTool::help()
{
    const Result r = run({"--help"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains("import-mdb FILE.mdb DB"));
}

void tst_ConfigTool::initCreatesTables()
{
    const Result r = run({"init", "new.sqlite"});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(workEntries(), QStringList{"new.sqlite"});
    clsAccessDBConnection connection;
    connection.setDatabase(m_work->filePath("new.sqlite"));
    QVERIFY(connection.Connect());
    QVERIFY(HasConfigTables(connection));
}

void tst_ConfigTool::initKeepsExistingRows()
{
    QCOMPARE(run({"init", "db.sqlite"}).exitCode, 0);
    {
        clsAccessDBConnection connection;
        connection.setDatabase(m_work->filePath("db.sqlite"));
        QVERIFY(connection.Connect());
        QVERIFY(ExecStatement(connection, "insert into T_DNC_MACHINES values (1, 'M1', 'Mill', '127.0.0.1', 5001, 1)", {}));
    }
    QCOMPARE(run({"init", "db.sqlite"}).exitCode, 0);
    clsAccessDBConnection connection;
    connection.setDatabase(m_work->filePath("db.sqlite"));
    QVERIFY(connection.Connect());
    RecordSet rows;
    QVERIFY(OpenRecordset(connection, "select * from T_DNC_MACHINES", {}, &rows));
    QCOMPARE(rows.count(), 1);
}

void tst_ConfigTool::initRefuses_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder") << "no/such/folder/db.sqlite" << "does not exist";
    QTest::newRow("a folder") << "." << "not a file";
    QTest::newRow("Access file") << "plant.mdb" << "Access";
    QTest::newRow("not a database") << "text.sqlite" << "Cannot";
}

void tst_ConfigTool::initRefuses()
{
    QFETCH(QString, database);
    QFETCH(QString, message);
    QFile text(m_work->filePath("text.sqlite"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("This is a text file, not a database.\n");
    text.close();
    const Result r = run({"init", database});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(workEntries(), QStringList{"text.sqlite"});
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(text.readAll(), QByteArray("This is a text file, not a database.\n"));
}

void tst_ConfigTool::importRefusesFileWithoutStationTables()
{
    const QString fixture = QDir(qEnvironmentVariable("QS_SOURCE_DIR"))
                                .filePath("../shared/fixtures/access-without-station-tables.mdb");
    if (!QFile::exists(fixture))
        QSKIP("the Access fixture is not beside the source tree");
    const Result r = run({"import-mdb", fixture, "out.sqlite"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("T_DNC_MACHINES") && r.err.contains("T_DNC_MPPC")
                 && r.err.contains("not a station configuration database"),
             qPrintable(r.err));
    QCOMPARE(workEntries(), QStringList());
}

void tst_ConfigTool::importRefusesUnreadableInput_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "nothing.mdb" << "not a readable file";
    QTest::newRow("a folder") << "." << "not a readable file";
    QTest::newRow("not Access") << "fake.mdb" << "cannot be read as an Access database";
}

void tst_ConfigTool::importRefusesUnreadableInput()
{
    QFETCH(QString, source);
    QFETCH(QString, message);
    QFile fake(m_work->filePath("fake.mdb"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write(QByteArray(4096, 'x'));
    fake.close();
    const Result r = run({"import-mdb", source, "out.sqlite"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(workEntries(), QStringList{"fake.mdb"});
}

void tst_ConfigTool::demoDatabase()
{
    makeDemo();
    clsAccessDBConnection connection;
    connection.setDatabase(QDir(demoDir()).filePath("config.sqlite"));
    QVERIFY(connection.Connect());

    RecordSet machines;
    QVERIFY(OpenRecordset(connection, "select * from T_DNC_MACHINES", {}, &machines));
    QVERIFY(machines.count() >= 6);
    QSet<int> ports;
    for (int i = 0; i < machines.count(); ++i) {
        QCOMPARE(machines.value(i, "IP_ADDRESS").toString(), QString("127.0.0.1"));
        ports << machines.value(i, "PORT").toInt();
    }
    QCOMPARE(ports.size(), machines.count());

    const LoadResult<MachineAssignment> computer = LoadStationMachines(connection, GetPCName());
    QVERIFY2(computer.ok, qPrintable(computer.error));
    QVERIFY(computer.rows.size() >= 6);
    QSet<int> cmdTypes, editModes;
    bool noExtension = false, dotOnly = false, several = false;
    for (const MachineAssignment &m : computer.rows) {
        cmdTypes << m.CMD_TYPE;
        editModes << m.EDIT_MODE;
        const QStringList extensions = m.SEND_EXTENSION + m.RECV_EXTENSION;
        noExtension |= CmdTypeSends(m.CMD_TYPE) && m.SEND_EXTENSION.isEmpty();
        dotOnly |= extensions.contains(".");
        several |= m.SEND_EXTENSION.size() > 2;
        for (const QString &dir : {m.SEND_DIRECTORY, m.RECV_DIRECTORY}) {
            if (dir.isEmpty())
                continue;
            QVERIFY2(dir.endsWith(QDir::separator()), qPrintable(dir));
            QVERIFY2(QFileInfo(dir).isDir(), qPrintable(dir));
            QVERIFY2(dir.startsWith(QDir::toNativeSeparators(demoDir())), qPrintable(dir));
        }
        if (!CmdTypeReceives(m.CMD_TYPE))
            QVERIFY(m.RECV_DIRECTORY.isEmpty());
    }
    QCOMPARE(cmdTypes, (QSet<int>{0, 1, 2}));
    QCOMPARE(editModes, (QSet<int>{0, 1, 2}));
    QVERIFY(noExtension && dotOnly && several);

    // A null extension column, not an empty text.
    RecordSet nulls;
    QVERIFY(OpenRecordset(connection, "select count(*) from T_DNC_MPPC where CMD_TYPE <> 1 and SEND_EXTENSION is null",
                          {}, &nulls));
    QVERIFY(nulls.value(0, 0).toInt() > 0);

    if (GetSessionUserName().compare(GetPCName(), Qt::CaseInsensitive) != 0) {
        const LoadResult<MachineAssignment> user = LoadStationMachines(connection, GetSessionUserName());
        QVERIFY(user.ok);
        QVERIFY(!user.rows.isEmpty());
        QVERIFY(user.rows.size() < computer.rows.size());
    }
}

void tst_ConfigTool::demoFolders()
{
    makeDemo();
    const QString programs = QDir(demoDir()).filePath("programs");
    bool hiddenFolder = false, hiddenFile = false, subfolder = false;
    qint64 smallest = std::numeric_limits<qint64>::max(), largest = 0;
    QDirIterator it(programs, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const bool hidden = info.fileName().startsWith('.');
        if (info.isDir()) {
            hiddenFolder |= hidden;
            subfolder |= QDir(programs).relativeFilePath(info.filePath()).count('/') >= 1;
        } else {
            hiddenFile |= hidden;
            smallest = qMin(smallest, info.size());
            largest = qMax(largest, info.size());
        }
    }
    QVERIFY(hiddenFolder);
    QVERIFY(hiddenFile);
    QVERIFY(subfolder);
    QVERIFY(smallest < 1024);
    QVERIFY(largest > 100 * 1024);
    // Nothing of the build is left beside the installation.
    QCOMPARE(workEntries(), QStringList{"demo"});
}

void tst_ConfigTool::demoSettings()
{
    makeDemo();
    CRegSettings settings;
    QCOMPARE(settings.GetUserSetting("Settings", "Database").toString(),
             QDir::toNativeSeparators(QDir(demoDir()).filePath("config.sqlite")));
    QVERIFY(QFile::exists(m_home->filePath("Quorvane/Quorvane Spindrel Client.ini")));
    QCOMPARE(settings.GetMachineSetting("", "Current Path").toString(),
             QDir::toNativeSeparators(QDir(qEnvironmentVariable("QS_BIN_DIR")).filePath("qspindrel-edit")));
    QVERIFY(QFile::exists(m_system->filePath("Quorvane/Editor.ini")));
}

void tst_ConfigTool::demoKeepsForeignDatabaseSettingNoted()
{
    CRegSettings settings;
    QVERIFY(settings.SaveUserSetting("Settings", "Database", "/srv/plant/config.sqlite"));
    const Result r = run({"demo", demoDir()});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains("/srv/plant/config.sqlite"), qPrintable(r.err));
}

void tst_ConfigTool::demoWithoutRightToTheEditorKey()
{
    // The machine-wide folder lies below a file: nothing can be written there.
    QFile blocker(m_work->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_DIRS", blocker.fileName().toLocal8Bit() + "/xdg");
    const Result r = run({"demo", demoDir()});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.contains("set-editor") && r.err.contains("could not be written"), qPrintable(r.err));
    QVERIFY(!CRegSettings().GetMachineSetting("", "Current Path").isValid());
    QVERIFY(CRegSettings().GetUserSetting("Settings", "Database").isValid());
}

void tst_ConfigTool::demoRefusesExistingInstallation()
{
    makeDemo();
    const QString database = QDir(demoDir()).filePath("config.sqlite");
    const QDateTime before = QFileInfo(database).lastModified();
    const Result r = run({"demo", demoDir()});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("already holds a demo installation"), qPrintable(r.err));
    QCOMPARE(QFileInfo(database).lastModified(), before);
    QCOMPARE(workEntries(), QStringList{"demo"});
}

void tst_ConfigTool::demoRefusesFolderWithContent()
{
    QVERIFY(QDir(m_work->path()).mkpath("demo"));
    QFile mine(QDir(demoDir()).filePath(".mine"));
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.close();
    const Result r = run({"demo", demoDir()});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("not empty"), qPrintable(r.err));
    QCOMPARE(QDir(demoDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{".mine"});
    QVERIFY(!CRegSettings().GetUserSetting("Settings", "Database").isValid());

    // An empty folder is taken.
    QVERIFY(mine.remove());
    QCOMPARE(run({"demo", demoDir()}).exitCode, 0);
    QVERIFY(QFile::exists(QDir(demoDir()).filePath("config.sqlite")));
}

void tst_ConfigTool::stationsLists()
{
    makeDemo();
    const Result r = run({"stations", QDir(demoDir()).filePath("config.sqlite")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains(GetPCName() + "\n"));
    QVERIFY(r.out.contains("L-101"));
    QVERIFY(r.out.contains("127.0.0.1:5106"));
    // The machine assigned to no station is not listed.
    QVERIFY(!r.out.contains("S-501"));

    const Result missing = run({"stations", "nothing.sqlite"});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(!QFile::exists(m_work->filePath("nothing.sqlite")));
}

QTEST_GUILESS_MAIN(tst_ConfigTool)
#include "tst_config_tool.moc"
