#include "StationTables.h"
#include "TestDatabases.h"

#include <QtTest>

namespace {

struct Machine {
    int id;
    QString number;
    QString name;
    QVariant port;
};

// Machines as another tool keeps them: nullable columns, PORT of either type
// and a column of its own.
bool makeMachines(clsAccessDBConnection &c, const QString &portType, const QList<Machine> &machines,
                  QString *error)
{
    if (!ExecStatement(c, QStringLiteral("CREATE TABLE T_DNC_MACHINES (MACHINE_ID integer, "
                                         "MACHINE_NUMBER text, MACHINE_NAME text, IP_ADDRESS text, "
                                         "PORT %1, ICON_INDEX integer, LOCATION text)").arg(portType),
                       {}, error))
        return false;
    if (!CreateConfigTables(c, error))
        return false;
    for (const Machine &m : machines) {
        if (!ExecStatement(c, QStringLiteral("INSERT INTO T_DNC_MACHINES VALUES (?, ?, ?, '127.0.0.1', ?, ?, 'hall 2')"),
                           {m.id, m.number, m.name, m.port, m.id % 31 + 1}, error))
            return false;
    }
    return true;
}

QList<Machine> plant()
{
    return {{3, QStringLiteral("M3"), QStringLiteral("Lathe"), 5003},
            {5, QStringLiteral("M5"), QStringLiteral("Mill"), 5005},
            {7, QStringLiteral("M7"), QStringLiteral("Grinder"), 5007},
            {12, QStringLiteral("M12"), QStringLiteral("Router"), 5012}};
}

StationMachineSetting setting(int id, int cmdType, const QString &tag = QString())
{
    StationMachineSetting s;
    s.MACHINE_ID = id;
    s.EDIT_MODE = EditModeEdit;
    s.CMD_TYPE = cmdType;
    s.sendRemoteCommand = QStringLiteral("LOAD") + tag;
    s.sendExtension = QStringLiteral("nc;txt");
    s.sendDirectory = QStringLiteral("D:\\PROGS\\M%1").arg(id);
    s.recvRemoteCommand = QStringLiteral("SAVE") + tag;
    s.recvExtension = QString();
    s.recvDirectory = QStringLiteral("D:\\IN\\");
    return s;
}

QList<QVariantList> dumpStationRows(clsAccessDBConnection &c)
{
    RecordSet rows;
    if (!OpenRecordset(c, QStringLiteral("select * from T_DNC_MPPC order by MPPC_ID"), {}, &rows))
        return {{QStringLiteral("dump failed")}};
    QList<QVariantList> all;
    for (int i = 0; i < rows.count(); ++i)
        all << rows.row(i);
    return all;
}

QList<int> ids(const QList<MachineAssignment> &machines)
{
    QList<int> out;
    for (const auto &m : machines)
        out << m.MACHINE_ID;
    return out;
}

} // namespace

class tst_StationTables : public QObject
{
    Q_OBJECT

private slots:
    void parseExtensionList_data();
    void parseExtensionList();
    void storedTexts_data();
    void storedTexts();
    void codeTexts();
    void machineQueryIsTheOriginalWithTheKeyBound();

    void backends_data();
    void readsAndWritesStationRows_data() { backends_data(); }
    void readsAndWritesStationRows();
    void wizardReaders_data() { backends_data(); }
    void wizardReaders();
    void portConversion_data();
    void portConversion();
    void failedSaveLeavesTableAsBefore_data();
    void failedSaveLeavesTableAsBefore();
};

void tst_StationTables::parseExtensionList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("null") << QString() << QStringList();
    QTest::newRow("plain") << "NC;TXT" << QStringList{".NC", ".TXT"};
    QTest::newRow("blanks and empty pieces") << " .nc ; ; H " << QStringList{".nc", ".H"};
    QTest::newRow("dot alone") << "." << QStringList{"."};
    QTest::newRow("wildcard kept") << "*.NC" << QStringList{".*.NC"};
    QTest::newRow("only separators") << " ; ;" << QStringList();
    QTest::newRow("tab is no blank") << "\tNC" << QStringList{".\tNC"};
}

void tst_StationTables::parseExtensionList()
{
    QFETCH(QString, text);
    QTEST(ParseExtensionList(text), "list");
}

void tst_StationTables::storedTexts_data()
{
    QTest::addColumn<QString>("extensionCell");
    QTest::addColumn<QVariant>("extension");
    QTest::addColumn<QString>("directoryCell");
    QTest::addColumn<QString>("directory");
    QTest::newRow("dotted") << ".nc" << QVariant(".nc") << "D:\\PROGS\\" << "D:\\PROGS\\";
    QTest::newRow("bare") << "nc" << QVariant(".nc") << "D:\\PROGS" << "D:\\PROGS\\";
    QTest::newRow("first character only") << "nc;txt" << QVariant(".nc;txt") << "D:\\" << "D:\\";
    QTest::newRow("empty") << "" << QVariant() << "\\\\srv\\nc" << "\\\\srv\\nc\\";
}

void tst_StationTables::storedTexts()
{
    QFETCH(QString, extensionCell);
    QFETCH(QVariant, extension);
    QFETCH(QString, directoryCell);
    const QVariant stored = StoredExtensionText(extensionCell);
    QCOMPARE(stored.isNull(), extension.isNull());
    if (!extension.isNull())
        QCOMPARE(stored.toString(), extension.toString());
    QTEST(StoredDirectoryText(directoryCell), "directory");
}

void tst_StationTables::codeTexts()
{
    QCOMPARE(EditModeText(EditModeViewOnly), QStringLiteral("View Only"));
    QCOMPARE(CmdTypeText(CmdTypeBoth), QStringLiteral("Both"));
    QVERIFY(CmdTypeText(3).isEmpty());
    QVERIFY(EditModeText(-1).isEmpty());
}

void tst_StationTables::machineQueryIsTheOriginalWithTheKeyBound()
{
    // The text for LATHE1 as the original builds it, doubled blanks included.
    const QString original = QStringLiteral(
        "select T_DNC_MACHINES.MACHINE_ID, T_DNC_MACHINES.MACHINE_NUMBER,  T_DNC_MACHINES.MACHINE_NAME, "
        "T_DNC_MACHINES.IP_ADDRESS, T_DNC_MACHINES.PORT,  T_DNC_MACHINES.ICON_INDEX, JOIN1.MPPC_ID, "
        "JOIN1.EDIT_MODE,  JOIN1.CMD_TYPE, JOIN1.SEND_REMOTE_CMD, JOIN1.SEND_EXTENSION,  "
        "JOIN1.SEND_DIRECTORY, JOIN1.RECV_REMOTE_CMD, JOIN1.RECV_EXTENSION,  JOIN1.RECV_DIRECTORY  "
        "from T_DNC_MACHINES, (select * from T_DNC_MPPC  where PC_NAME = 'LATHE1') JOIN1 where "
        "T_DNC_MACHINES.MACHINE_ID = JOIN1.MACHINE_ID  order by T_DNC_MACHINES.MACHINE_ID ");
    const SqlStatement s = StationMachinesQuery(DbBackend::Access, QStringLiteral("LATHE1"));
    QCOMPARE(QString(s.text).replace(QLatin1String("?"), QLatin1String("'LATHE1'")), original);
    QCOMPARE(s.values, QVariantList{QStringLiteral("LATHE1")});

    const QString key = QStringLiteral("x' or '1'='1");
    for (DbBackend b : {DbBackend::Access, DbBackend::Sqlite, DbBackend::PostgreSql}) {
        for (const SqlStatement &st :
             {StationMachinesQuery(b, key), MachinesForStationQuery(b, key),
              StationOptionsQuery(b, key, TransferDirection::Receive, {3, 7, 12}),
              DeleteStationRowsStatement(b, key), InsertStationRowStatement(key, setting(3, CmdTypeBoth))}) {
            QVERIFY2(!st.text.contains(QLatin1Char('\'')), qPrintable(st.text));
            QCOMPARE(st.text.count(QLatin1Char('?')), st.values.size());
            QVERIFY(st.values.contains(key));
        }
    }
    QVERIFY(StationOptionsQuery(DbBackend::Sqlite, key, TransferDirection::Send, {3, 7, 12})
                .text.contains(QLatin1String(" IN ( 3, 7, 12) ")));
}

void tst_StationTables::backends_data()
{
    QTest::addColumn<QString>("backend");
    for (const QString &b : TestBackends())
        QTest::newRow(qPrintable(b)) << b;
}

void tst_StationTables::readsAndWritesStationRows()
{
    QFETCH(QString, backend);
    QS_REQUIRE_BACKEND(backend);
    TestDatabase db;
    QString error;
    QVERIFY2(db.create(backend, &error), qPrintable(error));
    clsAccessDBConnection c;
    c.setDatabase(db.path());
    QVERIFY(c.Connect());
    QVERIFY2(makeMachines(c, QStringLiteral("integer"), plant(), &error), qPrintable(error));

    const QString key = QStringLiteral("O'Brien");
    SaveResult saved = SaveStationMachines(
        c, QStringLiteral("LATHE1"), {setting(3, CmdTypeSend, QStringLiteral("-pc"))});
    QVERIFY2(saved.ok(), qPrintable(saved.error));
    saved = SaveStationMachines(c, key, {setting(7, CmdTypeBoth), setting(3, CmdTypeSend),
                                         setting(12, CmdTypeReceive)});
    QVERIFY2(saved.ok(), qPrintable(saved.error));
    // A row of a machine that no longer exists is read by nobody.
    QS_EXEC(c, QStringLiteral("INSERT INTO T_DNC_MPPC (MACHINE_ID, PC_NAME, EDIT_MODE, CMD_TYPE) VALUES (99, ?, 0, 0)"), key);

    LoadResult<MachineAssignment> loaded = LoadStationMachines(c, key);
    QVERIFY2(loaded.ok, qPrintable(loaded.error));
    QCOMPARE(ids(loaded.rows), (QList<int>{3, 7, 12}));
    const MachineAssignment &m3 = loaded.rows.at(0);
    QCOMPARE(m3.MACHINE_NUMBER, QStringLiteral("M3"));
    QCOMPARE(m3.IP_ADDRESS, QStringLiteral("127.0.0.1"));
    QCOMPARE(m3.PORT, 5003);
    QCOMPARE(m3.ICON_INDEX, 4);
    QCOMPARE(m3.EDIT_MODE, int(EditModeEdit));
    QCOMPARE(m3.CMD_TYPE, int(CmdTypeSend));
    QCOMPARE(m3.SEND_REMOTE_CMD, QStringLiteral("LOAD"));
    QCOMPARE(m3.SEND_EXTENSION, (QStringList{".nc", ".txt"}));
    QCOMPARE(m3.SEND_DIRECTORY, QStringLiteral("D:\\PROGS\\M3\\"));
    QVERIFY(m3.RECV_REMOTE_CMD.isEmpty()); // not set for a send-only row
    QVERIFY(m3.RECV_EXTENSION.isEmpty());
    QVERIFY(m3.MPPC_ID != 0);
    const MachineAssignment &m12 = loaded.rows.at(2);
    QCOMPARE(m12.RECV_REMOTE_CMD, QStringLiteral("SAVE"));
    QVERIFY(m12.RECV_EXTENSION.isEmpty()); // stored as null
    QVERIFY(m12.SEND_DIRECTORY.isEmpty());
    QVERIFY(loaded.rows.at(1).MPPC_ID != m3.MPPC_ID);

    // The key compares without case, as Access does; quotes cannot break out.
    QCOMPARE(ids(LoadStationMachines(c, QStringLiteral("o'brien")).rows), (QList<int>{3, 7, 12}));
    QCOMPARE(LoadStationMachines(c, QStringLiteral("LATHE1")).rows.value(0).SEND_REMOTE_CMD,
             QStringLiteral("LOAD-pc"));
    loaded = LoadStationMachines(c, QStringLiteral("x' or '1'='1"));
    QVERIFY(loaded.ok);
    QVERIFY(loaded.rows.isEmpty());

    // Saving again replaces the station's rows (the orphan too) and nothing else.
    saved = SaveStationMachines(c, QStringLiteral("O'BRIEN"), {setting(5, CmdTypeBoth)});
    QVERIFY2(saved.ok(), qPrintable(saved.error));
    QCOMPARE(ids(LoadStationMachines(c, key).rows), QList<int>{5});
    QCOMPARE(ids(LoadStationMachines(c, QStringLiteral("LATHE1")).rows), QList<int>{3});
    RecordSet rows;
    QVERIFY(OpenRecordset(c, QStringLiteral("select * from T_DNC_MPPC"), {}, &rows));
    QCOMPARE(rows.count(), 2);

    saved = SaveStationMachines(c, key, {});
    QVERIFY(saved.ok());
    loaded = LoadStationMachines(c, key);
    QVERIFY(loaded.ok);
    QVERIFY(loaded.rows.isEmpty());
}

void tst_StationTables::wizardReaders()
{
    QFETCH(QString, backend);
    QS_REQUIRE_BACKEND(backend);
    TestDatabase db;
    QString error;
    QVERIFY2(db.create(backend, &error), qPrintable(error));
    clsAccessDBConnection c;
    c.setDatabase(db.path());
    QVERIFY(c.Connect());
    QVERIFY2(makeMachines(c, QStringLiteral("integer"), plant(), &error), qPrintable(error));
    StationMachineSetting viewOnly = setting(7, CmdTypeBoth);
    viewOnly.EDIT_MODE = EditModeViewOnly;
    QVERIFY(SaveStationMachines(c, QStringLiteral("PC1"), {setting(3, CmdTypeSend), viewOnly}).ok());
    QVERIFY(SaveStationMachines(c, QStringLiteral("OTHER"), {setting(5, CmdTypeSend)}).ok());

    const LoadResult<MachineChoice> choices = LoadMachineChoices(c, QStringLiteral("pc1"));
    QVERIFY2(choices.ok, qPrintable(choices.error));
    QCOMPARE(choices.rows.size(), 4);
    QCOMPARE(choices.rows.at(0).MACHINE_ID, 3);
    QVERIFY(choices.rows.at(0).enabled);
    QCOMPARE(choices.rows.at(0).CMD_TYPE, int(CmdTypeSend));
    QCOMPARE(choices.rows.at(1).MACHINE_ID, 5); // another station's machine
    QVERIFY(!choices.rows.at(1).enabled);
    QCOMPARE(choices.rows.at(1).EDIT_MODE, int(EditModeNone));
    QCOMPARE(choices.rows.at(1).CMD_TYPE, int(CmdTypeBoth));
    QCOMPARE(choices.rows.at(2).EDIT_MODE, int(EditModeViewOnly));
    QCOMPARE(choices.rows.at(3).MACHINE_NAME, QStringLiteral("Router"));

    const auto send = LoadMachineOptions(c, QStringLiteral("PC1"), TransferDirection::Send, {7, 5, 3});
    QVERIFY2(send.ok, qPrintable(send.error));
    QCOMPARE(send.rows.size(), 3);
    QCOMPARE(send.rows.at(0).extension, QStringLiteral(".nc;txt"));
    QCOMPARE(send.rows.at(0).directory, QStringLiteral("D:\\PROGS\\M3\\"));
    QVERIFY(!send.rows.at(1).hasRow);
    QCOMPARE(send.rows.at(1).remoteCommand, QStringLiteral("LOAD"));
    QVERIFY(send.rows.at(1).directory.isEmpty());

    // A send-only row switched to Both shows its empty receive command, not "SAVE".
    const auto receive = LoadMachineOptions(c, QStringLiteral("PC1"), TransferDirection::Receive, {3, 12});
    QVERIFY2(receive.ok, qPrintable(receive.error));
    QCOMPARE(receive.rows.size(), 2);
    QVERIFY(receive.rows.at(0).hasRow);
    QVERIFY(receive.rows.at(0).remoteCommand.isEmpty());
    QCOMPARE(receive.rows.at(1).remoteCommand, QStringLiteral("SAVE"));
}

void tst_StationTables::portConversion_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("portType");
    QTest::addColumn<QVariant>("port");
    QTest::addColumn<int>("expected"); // 0: an error naming PORT and the machine

    const QVariant null(QMetaType(QMetaType::QString));
    for (const QString &b : TestBackends()) {
        const QByteArray p = b.toLatin1() + ' ';
        QTest::newRow(p + "text 5001") << b << "text" << QVariant("5001") << 5001;
        QTest::newRow(p + "number 5001") << b << "integer" << QVariant(5001) << 5001;
        QTest::newRow(p + "text with blanks") << b << "text" << QVariant(" 5001 ") << 5001;
        QTest::newRow(p + "text abc") << b << "text" << QVariant("abc") << 0;
        QTest::newRow(p + "text fraction") << b << "text" << QVariant("5001.5") << 0;
        QTest::newRow(p + "text too large") << b << "text" << QVariant("4294972297") << 0;
        QTest::newRow(p + "null text") << b << "text" << null << 0;
        QTest::newRow(p + "null number") << b << "integer" << QVariant(QMetaType(QMetaType::Int)) << 0;
    }
}

void tst_StationTables::portConversion()
{
    QFETCH(QString, backend);
    QFETCH(QString, portType);
    QFETCH(QVariant, port);
    QFETCH(int, expected);
    QS_REQUIRE_BACKEND(backend);
    TestDatabase db;
    QString error;
    QVERIFY2(db.create(backend, &error), qPrintable(error));
    clsAccessDBConnection c;
    c.setDatabase(db.path());
    QVERIFY(c.Connect());
    QVERIFY2(makeMachines(c, portType,
                          {{3, QStringLiteral("M3"), QStringLiteral("Lathe"), 5003},
                           {7, QStringLiteral("M7"), QStringLiteral("Grinder"), port}},
                          &error),
             qPrintable(error));
    QVERIFY(SaveStationMachines(c, QStringLiteral("PC1"), {setting(3, CmdTypeSend), setting(7, CmdTypeSend)}).ok());

    const LoadResult<MachineAssignment> loaded = LoadStationMachines(c, QStringLiteral("PC1"));
    if (expected) {
        QVERIFY2(loaded.ok, qPrintable(loaded.error));
        QCOMPARE(loaded.rows.size(), 2);
        QCOMPARE(loaded.rows.at(1).PORT, expected);
    } else {
        QVERIFY(!loaded.ok);
        QVERIFY(loaded.rows.isEmpty());
        QVERIFY2(loaded.error.contains(QLatin1String("PORT")), qPrintable(loaded.error));
        QVERIFY2(loaded.error.contains(QLatin1String("M7 - Grinder")), qPrintable(loaded.error));
    }
}

void tst_StationTables::failedSaveLeavesTableAsBefore_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("status");
    for (const QString &b : TestBackends()) {
        const QByteArray p = b.toLatin1() + ' ';
        QTest::newRow(p + "second insert") << b << "insert" << int(SaveResult::Failed);
        QTest::newRow(p + "delete") << b << "delete" << int(SaveResult::DeleteFailed);
        QTest::newRow(p + "invalid code") << b << "code" << int(SaveResult::Failed);
    }
}

void tst_StationTables::failedSaveLeavesTableAsBefore()
{
    QFETCH(QString, backend);
    QFETCH(QString, failure);
    QFETCH(int, status);
    QS_REQUIRE_BACKEND(backend);
    TestDatabase db;
    QString error;
    QVERIFY2(db.create(backend, &error), qPrintable(error));
    clsAccessDBConnection c;
    c.setDatabase(db.path());
    QVERIFY(c.Connect());
    QVERIFY2(makeMachines(c, QStringLiteral("integer"), plant(), &error), qPrintable(error));
    QVERIFY(SaveStationMachines(c, QStringLiteral("PC1"), {setting(3, CmdTypeSend), setting(5, CmdTypeBoth)}).ok());
    QVERIFY(SaveStationMachines(c, QStringLiteral("PC2"), {setting(3, CmdTypeReceive)}).ok());
    const QList<QVariantList> before = dumpStationRows(c);
    QCOMPARE(before.size(), 3);

    // The database itself refuses, as a real failure would.
    const bool pg = backend == QLatin1String("postgresql");
    const QString event = failure == QLatin1String("delete") ? QStringLiteral("DELETE") : QStringLiteral("INSERT");
    const QString when = failure == QLatin1String("delete") ? QStringLiteral("1 = 1")
                                                            : QStringLiteral("NEW.MACHINE_ID = 7");
    if (failure != QLatin1String("code")) {
        if (pg) {
            QS_EXEC(c, QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                                      "$$ BEGIN RAISE EXCEPTION 'refused by the test'; END $$"));
            QS_EXEC(c, QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON T_DNC_MPPC FOR EACH ROW "
                                      "WHEN (%2) EXECUTE FUNCTION refuse()").arg(event, when));
        } else {
            QS_EXEC(c, QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON T_DNC_MPPC FOR EACH ROW "
                                      "WHEN %2 BEGIN SELECT RAISE(ABORT, 'refused by the test'); END")
                           .arg(event, when));
        }
    }
    StationMachineSetting third = setting(12, CmdTypeBoth);
    if (failure == QLatin1String("code"))
        third.CMD_TYPE = 3;
    const SaveResult saved = SaveStationMachines(
        c, QStringLiteral("PC1"), {setting(3, CmdTypeBoth), setting(7, CmdTypeSend), third});
    QCOMPARE(int(saved.status), status);
    QVERIFY(!saved.error.isEmpty());
    if (failure == QLatin1String("insert")) {
        QVERIFY2(saved.error.contains(QLatin1String("refused by the test")), qPrintable(saved.error));
        QVERIFY2(saved.error.contains(QLatin1String("MACHINE_ID 7")), qPrintable(saved.error));
    }
    QCOMPARE(dumpStationRows(c), before);

    // No transaction is left hanging: the next save works.
    if (failure != QLatin1String("code"))
        QS_EXEC(c, QStringLiteral("DROP TRIGGER refuse") + (pg ? QStringLiteral(" ON T_DNC_MPPC") : QString()));
    const SaveResult again = SaveStationMachines(c, QStringLiteral("PC1"), {setting(7, CmdTypeSend)});
    QVERIFY2(again.ok(), qPrintable(again.error));
    QCOMPARE(dumpStationRows(c).size(), 2);
}

QTEST_GUILESS_MAIN(tst_StationTables)
#include "tst_stationtables.moc"
