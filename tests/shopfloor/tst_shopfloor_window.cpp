#include <QtTest>

#include "AppInfo.h"
#include "CRegSettings.h"
#include "ConfigSchema.h"
#include "DBAssist.h"
#include "DirectoryTreeModel.h"
#include "FileGridView.h"
#include "FileListModel.h"
#include "FileNameEdit.h"
#include "Messages.h"
#include "Platform.h"
#include "SplitterBar.h"
#include "clsAccessDBConnection.h"
#include "frmShopFloor.h"
#include "frmShopFloorButtonBar.h"
#include "frmKeyboard.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QTreeView>
#include <memory>

// The station window driven through its controls, on real folders and a real
// SQLite configuration database, with settings in a temporary folder.

namespace {

struct Row {
    int id;
    QString number;
    QString name;
    int icon;
    int editMode;
    int cmdType;
    QVariant sendDir;
    QVariant sendExt;
    QVariant recvDir;
    QVariant recvExt;
    QString station; // empty: this computer
};

void touch(const QString &path, int bytes = 10)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(bytes, 'x'));
}

} // namespace

class tst_ShopFloorWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void refusals_data();
    void refusals();
    void machinesInIdOrderWithOnePressed();
    void pressedMachineClickChangesNothing();
    void machineChangeChoosesFirstAllowedAction();
    void unknownCommandTypeKeepsPreviousMachine();
    void actionSwitchChangesTreeAndList();
    void editViewButtons_data();
    void editViewButtons();
    void treeClickListsFolderAndVanishedFolderRebuilds();
    void f5FromFileNameRebuildsTree();
    void arrowKeysChooseFolderAndCollapseDropsChildren();
    void activationReportsMissingRoot();
    void splitterReleaseIsStoredAndKept();
    void placement_data();
    void placement();
    void goSendsTheLineToTheMachinesServer();
    void editorButtons_data();
    void editorButtons();
    void keyboard_data();
    void keyboard();
    void maximisedResizeLaysOutOnceMore();

private:
    QString folder(const QString &relative);
    void writeDatabase(const QList<Row> &rows);
    frmShopFloor *load();
    frmShopFloor *loadShown();
    QVariant userSetting(const QString &section, const QString &key);
    void clickMachine(int index);
    void clickAction(int index);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_dbPath;
    QStringList m_messages;
    std::unique_ptr<frmShopFloor> m_window;
    QList<Row> m_standard;
    int m_port = 5001;
};

void tst_ShopFloorWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(folder(QStringLiteral("etc"))));
    gbUserMode = false;
    m_messages.clear();
    SetMessagePresenter([this](const QString &text, int) {
        m_messages << text;
        return int(MsgResultOk);
    });
    m_dbPath = m_dir->filePath(QStringLiteral("config.db"));
    m_port = 5001;

    // Machine 3 sends from send/ (.NC), receives into recv/; 7 only receives.
    touch(folder(QStringLiteral("send")) + QStringLiteral("/O1.NC"));
    touch(folder(QStringLiteral("send")) + QStringLiteral("/o2.nc"));
    touch(folder(QStringLiteral("send")) + QStringLiteral("/NOTES.TXT"));
    touch(folder(QStringLiteral("send/PARTS")) + QStringLiteral("/P9.NC"));
    touch(folder(QStringLiteral("recv")) + QStringLiteral("/R1.H"));
    touch(folder(QStringLiteral("recv7")) + QStringLiteral("/R7.MPF"));
    m_standard = {
        {7, QStringLiteral("7"), QStringLiteral("Mill"), 7, 0, 1, QVariant(), QVariant(),
         folder(QStringLiteral("recv7")), QVariant(), QString()},
        {3, QStringLiteral("3"), QStringLiteral("Lathe"), 3, 0, 2, folder(QStringLiteral("send")),
         QStringLiteral(".NC"), folder(QStringLiteral("recv")), QStringLiteral(".H"), QString()},
        {12, QStringLiteral("12"), QStringLiteral("Grinder"), 99, 0, 0,
         folder(QStringLiteral("send")), QStringLiteral(".TXT"), QVariant(), QVariant(), QString()},
        {5, QStringLiteral("5"), QStringLiteral("Elsewhere"), 5, 0, 2, folder(QStringLiteral("send")),
         QVariant(), folder(QStringLiteral("recv")), QVariant(), QStringLiteral("OTHER-STATION")},
    };
}

void tst_ShopFloorWindow::cleanup()
{
    m_window.reset();
    SetMessagePresenter({});
    m_dir.reset();
}

QString tst_ShopFloorWindow::folder(const QString &relative)
{
    const QString path = m_dir->filePath(relative);
    QDir().mkpath(path);
    return QDir::toNativeSeparators(path) + QDir::separator();
}

void tst_ShopFloorWindow::writeDatabase(const QList<Row> &rows)
{
    QString error;
    QVERIFY2(CreateDatabaseFile(m_dbPath, &error), qPrintable(error));
    clsAccessDBConnection db;
    db.setDatabase(m_dbPath);
    QVERIFY(db.Connect());
    QVERIFY2(CreateConfigTables(db, &error), qPrintable(error));
    for (const Row &r : rows) {
        QVERIFY2(ExecStatement(db,
                               QStringLiteral("INSERT INTO T_DNC_MACHINES (MACHINE_ID, MACHINE_NUMBER,"
                                              " MACHINE_NAME, IP_ADDRESS, PORT, ICON_INDEX)"
                                              " VALUES (?, ?, ?, '127.0.0.1', ?, ?)"),
                               {r.id, r.number, r.name, m_port, r.icon}, &error),
                 qPrintable(error));
        QVERIFY2(ExecStatement(db,
                               QStringLiteral("INSERT INTO T_DNC_MPPC (MACHINE_ID, PC_NAME, EDIT_MODE,"
                                              " CMD_TYPE, SEND_REMOTE_CMD, SEND_EXTENSION,"
                                              " SEND_DIRECTORY, RECV_REMOTE_CMD, RECV_EXTENSION,"
                                              " RECV_DIRECTORY) VALUES (?, ?, ?, ?, 'LOAD', ?, ?,"
                                              " 'SAVE', ?, ?)"),
                               {r.id, r.station.isEmpty() ? GetPCName() : r.station, r.editMode,
                                r.cmdType, r.sendExt, r.sendDir, r.recvExt, r.recvDir},
                               &error),
                 qPrintable(error));
    }
    QVERIFY(CRegSettings().SaveUserSetting(QStringLiteral("Settings"), QStringLiteral("Database"),
                                           m_dbPath));
}

frmShopFloor *tst_ShopFloorWindow::load()
{
    m_window = std::make_unique<frmShopFloor>();
    m_window->Form_Load();
    return m_window.get();
}

frmShopFloor *tst_ShopFloorWindow::loadShown()
{
    frmShopFloor *w = load();
    if (w->LoadFailed)
        return w;
    w->show();
    if (!QTest::qWaitForWindowExposed(w))
        return nullptr;
    return w;
}

QVariant tst_ShopFloorWindow::userSetting(const QString &section, const QString &key)
{
    return CRegSettings().GetUserSetting(section, key);
}

void tst_ShopFloorWindow::clickMachine(int index)
{
    QToolButton *b = m_window->tbMachines->Button(index);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

void tst_ShopFloorWindow::clickAction(int index)
{
    QToolButton *b = m_window->tbAction->Button(index);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

void tst_ShopFloorWindow::refusals_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("userMode");
    QTest::addColumn<QStringList>("messages");
    const QString title = ApplicationTitle();
    const QString noDb = GetMessageText(164, title);
    QTest::newRow("no database configured") << "none" << false << QStringList{noDb};
    QTest::newRow("database file missing") << "missing" << false << QStringList{noDb};
    QTest::newRow("no rows for this computer")
        << "otherStation" << false << QStringList{GetMessageText(168, title)};
    QTest::newRow("user mode names the user")
        << "otherStation" << true << QStringList{GetMessageText(198, GetSessionUserName(), title)};
    QTest::newRow("tables missing: error first, then 168") << "noTables" << false
                                                           << QStringList{QString(), GetMessageText(168, title)};
}

void tst_ShopFloorWindow::refusals()
{
    QFETCH(QString, setup);
    QFETCH(bool, userMode);
    QFETCH(QStringList, messages);
    gbUserMode = userMode;
    if (setup == QLatin1String("missing")) {
        CRegSettings().SaveUserSetting(QStringLiteral("Settings"), QStringLiteral("Database"),
                                       m_dir->filePath(QStringLiteral("gone.db")));
    } else if (setup == QLatin1String("otherStation")) {
        // Rows for the computer exist, but in user mode only the user's count.
        QList<Row> rows{m_standard.last()};
        if (userMode)
            rows << m_standard.first();
        writeDatabase(rows);
    } else if (setup == QLatin1String("noTables")) {
        QVERIFY(CreateDatabaseFile(m_dbPath));
        CRegSettings().SaveUserSetting(QStringLiteral("Settings"), QStringLiteral("Database"), m_dbPath);
    }
    frmShopFloor *w = load();
    QCOMPARE(w->LoadFailed, 1);
    QCOMPARE(m_messages.size(), messages.size());
    for (int i = 0; i < messages.size(); ++i) {
        if (messages[i].isEmpty())
            QVERIFY2(!m_messages[i].isEmpty() && m_messages[i] != messages.last(),
                     qPrintable(m_messages[i]));
        else
            QCOMPARE(m_messages[i], messages[i]);
    }
    // What the start routine does next: unload without showing.
    w->close();
    QVERIFY(!w->isVisible());
    for (QWidget *top : QApplication::topLevelWidgets())
        QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    QVERIFY(!userSetting(QStringLiteral("Defaults"), QStringLiteral("SFViewState")).isValid());
}

void tst_ShopFloorWindow::machinesInIdOrderWithOnePressed()
{
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    QCOMPARE(w->LoadFailed, 0);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(w->MachineCount, 3);
    QCOMPARE(w->tbMachines->Caption(1), QStringLiteral("3 - Lathe"));
    QCOMPARE(w->tbMachines->Caption(2), QStringLiteral("7 - Mill"));
    QCOMPARE(w->tbMachines->Caption(3), QStringLiteral("12 - Grinder"));
    QCOMPARE(w->tbMachines->Button(3)->toolTip(), QStringLiteral("12 - Grinder"));
    QVERIFY(!w->tbMachines->Button(3)->icon().isNull());
    QCOMPARE(w->windowTitle(), ApplicationTitle());
    QCOMPARE(w->cmdClose->text(), GetMessageText(183));
    QCOMPARE(w->cmdGo->toolTip(), GetMessageText(179));
    QCOMPARE(w->cmdKeyboard->toolTip(), GetMessageText(188));

    // Machine 1 pressed, Send chosen (CMD_TYPE 2), its folder at the root.
    for (int click : {0, 3, 2, 1}) {
        if (click)
            clickMachine(click);
        const int expected = click ? click : 1;
        QCOMPARE(w->CurrentMachine, expected);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(w->tbMachines->Value(i), i == expected ? 1 : 0);
    }
    QCOMPARE(w->CurrentAction, 0);
    QCOMPARE(w->txtFile->text(), QStringLiteral("O1.NC"));
    QCOMPARE(w->fileModel()->rowCount(), 2);
}

void tst_ShopFloorWindow::pressedMachineClickChangesNothing()
{
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    const QModelIndex root = w->directoryModel()->rootIndex();
    const QModelIndex parts = w->directoryModel()->index(0, 0, root);
    QCOMPARE(parts.data().toString(), QStringLiteral("PARTS"));
    QTest::mouseClick(w->tvDirectory->viewport(), Qt::LeftButton, {},
                      w->tvDirectory->visualRect(parts).center());
    QVERIFY(w->CurrentDirectory.endsWith(QStringLiteral("PARTS") + QDir::separator()));
    QCOMPARE(w->txtFile->text(), QStringLiteral("P9.NC"));

    clickMachine(1);
    QCOMPARE(w->tbMachines->Value(1), 1);
    QVERIFY(w->CurrentDirectory.endsWith(QStringLiteral("PARTS") + QDir::separator()));
    QCOMPARE(w->txtFile->text(), QStringLiteral("P9.NC"));
}

void tst_ShopFloorWindow::machineChangeChoosesFirstAllowedAction()
{
    QList<Row> rows = m_standard;
    rows[2].cmdType = 2;
    rows[2].recvDir = folder(QStringLiteral("recv"));
    writeDatabase(rows);
    frmShopFloor *w = loadShown();
    QVERIFY(w);

    clickAction(2);
    QCOMPARE(w->CurrentAction, 1);
    QCOMPARE(w->txtFile->text(), QStringLiteral("R1.H"));

    clickMachine(2); // receive only
    QVERIFY(!w->tbAction->ButtonEnabled(1));
    QVERIFY(w->tbAction->ButtonEnabled(2));
    QCOMPARE(w->tbAction->Value(1), 0);
    QCOMPARE(w->tbAction->Value(2), 1);
    QCOMPARE(w->CurrentAction, 1);
    QCOMPARE(w->RemoteCommand, QStringLiteral("SAVE"));
    QCOMPARE(w->txtFile->text(), QStringLiteral("R7.MPF"));

    clickAction(1); // disabled: nothing happens
    QCOMPARE(w->CurrentAction, 1);

    clickMachine(3); // both: Send again, although Receive was pressed before
    QCOMPARE(w->CurrentAction, 0);
    QCOMPARE(w->tbAction->Value(1), 1);
    QCOMPARE(w->tbAction->Value(2), 0);
    QCOMPARE(w->ExtensionList, QStringList{QStringLiteral(".TXT")});
    QCOMPARE(w->txtFile->text(), QStringLiteral("NOTES.TXT"));
    QCOMPARE(w->ServerAddress, QStringLiteral("127.0.0.1"));
    QCOMPARE(w->ServerPort, 5001);
}

void tst_ShopFloorWindow::unknownCommandTypeKeepsPreviousMachine()
{
    QList<Row> rows = m_standard;
    rows[0].cmdType = 7;
    writeDatabase(rows);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    const QString root = w->ActionRoot;
    clickMachine(2);
    QCOMPARE(w->CurrentMachine, 2);
    QCOMPARE(w->tbMachines->Value(2), 1);
    QCOMPARE(w->ActionRoot, root);
    QCOMPARE(w->CurrentAction, 0);
    QVERIFY(w->tbAction->ButtonEnabled(2));
    QCOMPARE(w->txtFile->text(), QStringLiteral("O1.NC"));
    QVERIFY(m_messages.isEmpty());
}

void tst_ShopFloorWindow::actionSwitchChangesTreeAndList()
{
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    DirectoryTreeModel *tree = w->directoryModel();
    QCOMPARE(tree->key(tree->rootIndex()) + QDir::separator(), folder(QStringLiteral("send")));
    QCOMPARE(tree->rowCount(tree->rootIndex()), 1);
    QVERIFY(w->tvDirectory->isExpanded(tree->rootIndex()));

    clickAction(2);
    QCOMPARE(tree->key(tree->rootIndex()) + QDir::separator(), folder(QStringLiteral("recv")));
    QCOMPARE(tree->rowCount(tree->rootIndex()), 0);
    QCOMPARE(w->CurrentDirectory, folder(QStringLiteral("recv")));
    QCOMPARE(w->fileModel()->rowCount(), 1);
    QCOMPARE(w->txtFile->text(), QStringLiteral("R1.H"));
}

void tst_ShopFloorWindow::editViewButtons_data()
{
    QTest::addColumn<bool>("editorConfigured");
    QTest::addColumn<bool>("editorExists");
    QTest::addColumn<int>("editMode");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<bool>("view");
    QTest::newRow("edit") << true << true << 2 << true << false;
    QTest::newRow("view only") << true << true << 1 << false << true;
    QTest::newRow("none") << true << true << 0 << false << false;
    QTest::newRow("no editor configured") << false << false << 2 << false << false;
    QTest::newRow("editor file gone") << true << false << 2 << false << false;
}

void tst_ShopFloorWindow::editViewButtons()
{
    QFETCH(bool, editorConfigured);
    QFETCH(bool, editorExists);
    QFETCH(int, editMode);
    QFETCH(bool, edit);
    QFETCH(bool, view);
    const QString editor = m_dir->filePath(QStringLiteral("editor"));
    if (editorExists)
        touch(editor);
    if (editorConfigured)
        QVERIFY(CRegSettings().SaveMachineSetting(QString(), QStringLiteral("Current Path"), editor));
    QList<Row> rows = m_standard;
    rows[1].editMode = editMode;
    writeDatabase(rows);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    QCOMPARE(w->EditorPath.isEmpty(), !(editorConfigured && editorExists));
    QCOMPARE(w->cmdEdit->isVisible(), edit);
    QCOMPARE(w->cmdView->isVisible(), view);
    // The visible middle button sits between the keyboard and Go.
    QPushButton *middle = edit ? w->cmdEdit : view ? w->cmdView : nullptr;
    const int afterKeyboard = w->cmdKeyboard->geometry().right();
    if (middle) {
        QVERIFY(middle->x() > afterKeyboard);
        QVERIFY(w->cmdGo->x() > middle->geometry().right());
    } else {
        QVERIFY(w->cmdGo->x() > afterKeyboard);
        QVERIFY(w->cmdGo->x() - afterKeyboard < w->cmdGo->width());
    }
    QVERIFY(w->cmdClose->x() > w->cmdGo->geometry().right());
    QVERIFY(w->cmdClose->geometry().right() < w->fraFile->width());
}

void tst_ShopFloorWindow::treeClickListsFolderAndVanishedFolderRebuilds()
{
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    DirectoryTreeModel *tree = w->directoryModel();
    const QModelIndex parts = tree->index(0, 0, tree->rootIndex());
    QVERIFY(QDir(folder(QStringLiteral("send/PARTS"))).removeRecursively());
    QTest::mouseClick(w->tvDirectory->viewport(), Qt::LeftButton, {},
                      w->tvDirectory->visualRect(parts).center());
    // The tree starts again at the root, which no longer has PARTS.
    QCOMPARE(tree->rowCount(tree->rootIndex()), 0);
    QCOMPARE(w->CurrentDirectory, folder(QStringLiteral("send")));
    QCOMPARE(w->txtFile->text(), QStringLiteral("O1.NC"));
}

void tst_ShopFloorWindow::f5FromFileNameRebuildsTree()
{
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    folder(QStringLiteral("send/NEW"));
    w->txtFile->setFocus();
    QTest::keyClick(w->txtFile, Qt::Key_F5);
    DirectoryTreeModel *tree = w->directoryModel();
    QCOMPARE(tree->rowCount(tree->rootIndex()), 2);
}

void tst_ShopFloorWindow::arrowKeysChooseFolderAndCollapseDropsChildren()
{
    touch(folder(QStringLiteral("send/PARTS/OLD")) + QStringLiteral("/X.NC"));
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    DirectoryTreeModel *tree = w->directoryModel();
    w->tvDirectory->setFocus();
    QTest::keyClick(w->tvDirectory, Qt::Key_Down);
    QCOMPARE(w->CurrentDirectory, folder(QStringLiteral("send/PARTS")));
    QCOMPARE(w->txtFile->text(), QStringLiteral("P9.NC"));

    // Opening reads the folder afresh; closing forgets what was below.
    const QModelIndex parts = tree->index(0, 0, tree->rootIndex());
    QVERIFY(tree->isPlaceholder(tree->index(0, 0, parts)));
    w->tvDirectory->expand(parts);
    QCOMPARE(tree->index(0, 0, parts).data().toString(), QStringLiteral("OLD"));
    w->tvDirectory->collapse(parts);
    folder(QStringLiteral("send/PARTS/NEW"));
    w->tvDirectory->expand(parts);
    QCOMPARE(tree->rowCount(parts), 2);
}

void tst_ShopFloorWindow::activationReportsMissingRoot()
{
    QList<Row> rows = m_standard;
    rows[1].sendDir = m_dir->filePath(QStringLiteral("nowhere")) + QDir::separator();
    writeDatabase(rows);
    frmShopFloor *w = load();
    QCOMPARE(w->LoadFailed, 0);
    QVERIFY(m_messages.isEmpty()); // not while loading
    QVERIFY(!w->WindowActivated);
    w->show();
    QApplication::setActiveWindow(w);
    QTRY_VERIFY(w->WindowActivated);
    QCOMPARE(m_messages, QStringList{GetMessageText(181, w->ActionRoot, ApplicationTitle())});
    QCOMPARE(w->fileModel()->rowCount(), 0);
    QVERIFY(w->txtFile->text().isEmpty());
    // Once active, F5 reports it too.
    QTest::keyClick(w->tvDirectory, Qt::Key_F5);
    QCOMPARE(m_messages.size(), 2);
}

void tst_ShopFloorWindow::splitterReleaseIsStoredAndKept()
{
    writeDatabase(m_standard);
    frmShopFloor *w = load();
    w->setWindowState(Qt::WindowNoState);
    w->resize(760, 520);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const double dpi = w->logicalDpiX();
    const int barX = w->VSplitter->x();
    QCOMPARE(barX, qRound((4500 + 10) * dpi / 1440));
    // Drag the bar 40 px to the left and let go.
    const QPoint grip(w->VSplitter->width() / 2, w->VSplitter->height() / 2);
    QTest::mousePress(w->VSplitter, Qt::LeftButton, {}, grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip.x() - 40, grip.y()),
                     w->VSplitter->mapToGlobal(QPointF(grip.x() - 40, grip.y())), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->VSplitter, &move);
    QTest::mouseRelease(w->VSplitter, Qt::LeftButton, {}, QPoint(grip.x() - 40, grip.y()));
    const int stored = userSetting(QStringLiteral("Settings"), QStringLiteral("SFWizardVSplitter")).toInt();
    QVERIFY2(stored >= 3000 && stored < 4500, qPrintable(QString::number(stored)));
    QVERIFY(!w->VSplitterShadow->isVisible());
    w->resize(700, 500);
    QCOMPARE(w->tvDirectory->width(), qRound(stored * dpi / 1440) - qRound(50 * dpi / 1440));
}

void tst_ShopFloorWindow::placement_data()
{
    QTest::addColumn<QVariant>("storedState");
    QTest::addColumn<bool>("storedRect");
    QTest::addColumn<QString>("closeAs");
    QTest::addColumn<QVariant>("savedState");
    QTest::addColumn<int>("savedLeft");
    QTest::newRow("first start opens maximised") << QVariant() << false << "as opened" << QVariant(2) << -1;
    QTest::newRow("normal without values uses defaults") << QVariant(0) << false << "as opened" << QVariant(0) << 1000;
    QTest::newRow("normal from stored values") << QVariant(0) << true << "as opened" << QVariant(0) << 1500;
    QTest::newRow("maximised keeps stored normal values") << QVariant(2) << true << "as opened" << QVariant(2) << 1500;
    QTest::newRow("minimised saves nothing") << QVariant(0) << true << "minimised" << QVariant(0) << 1500;
    QTest::newRow("odd stored state opens maximised") << QVariant(QStringLiteral("x")) << false << "as opened" << QVariant(2) << -1;
}

void tst_ShopFloorWindow::placement()
{
    QFETCH(QVariant, storedState);
    QFETCH(bool, storedRect);
    QFETCH(QString, closeAs);
    QFETCH(QVariant, savedState);
    QFETCH(int, savedLeft);
    writeDatabase(m_standard);
    CRegSettings reg;
    const QString d = QStringLiteral("Defaults");
    if (storedState.isValid())
        reg.SaveUserSetting(d, QStringLiteral("SFViewState"), storedState);
    if (storedRect) {
        reg.SaveUserSetting(d, QStringLiteral("SFViewLeft"), 1500);
        reg.SaveUserSetting(d, QStringLiteral("SFViewTop"), 1200);
        reg.SaveUserSetting(d, QStringLiteral("SFViewWidth"), 10500);
        reg.SaveUserSetting(d, QStringLiteral("SFViewHeight"), 6000);
    }
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    const double dpi = w->logicalDpiX();
    const bool normal = storedState == QVariant(0);
    QCOMPARE(w->isMaximized(), !normal);
    if (normal) {
        const QRect outer = w->frameGeometry();
        QCOMPARE(outer.left(), qRound((storedRect ? 1500 : 1000) * dpi / 1440));
        // The default 7850 twips is narrower than the window's minimum.
        QCOMPARE(outer.width(), qRound((storedRect ? 10500 : 10000) * dpi / 1440));
    }
    if (closeAs == QLatin1String("minimised")) {
        w->showMinimized();
        QTRY_VERIFY(w->isMinimized());
    }
    w->close();
    QCOMPARE(reg.GetUserSetting(d, QStringLiteral("SFViewState")).toInt(), savedState.toInt());
    const QVariant left = reg.GetUserSetting(d, QStringLiteral("SFViewLeft"));
    if (savedLeft < 0)
        QVERIFY(!left.isValid());
    else
        QVERIFY2(qAbs(left.toInt() - savedLeft) <= 15, qPrintable(left.toString()));
}

void tst_ShopFloorWindow::goSendsTheLineToTheMachinesServer()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    m_port = server.serverPort();
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);

    w->txtFile->clear();
    QTest::mouseClick(w->cmdGo, Qt::LeftButton);
    QCOMPARE(m_messages, QStringList{GetMessageText(177)});
    QVERIFY(w->txtFile->hasFocus());

    // A typed name without extension gets the list's first one.
    QTest::keyClicks(w->txtFile, QStringLiteral("O1"));
    QTest::mouseClick(w->cmdGo, Qt::LeftButton);
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket *peer = server.nextPendingConnection();
    QByteArray received;
    connect(peer, &QTcpSocket::readyRead, this, [&] { received += peer->readAll(); });
    QTRY_VERIFY_WITH_TIMEOUT(peer->state() == QAbstractSocket::UnconnectedState, 10000);
    received += peer->readAll();
    QCOMPARE(QString::fromUtf8(received),
             QStringLiteral("LOAD ") + folder(QStringLiteral("send")) + QStringLiteral("O1.NC"));
    QCOMPARE(m_messages.size(), 1);
}

void tst_ShopFloorWindow::editorButtons_data()
{
    QTest::addColumn<int>("editMode");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("edit") << 2 << QStringList{};
    QTest::newRow("view") << 1 << QStringList{QStringLiteral("-o")};
}

void tst_ShopFloorWindow::editorButtons()
{
    QFETCH(int, editMode);
    QFETCH(QStringList, arguments);
    const QString out = m_dir->filePath(QStringLiteral("editor.out"));
    const QString editor = m_dir->filePath(QStringLiteral("editor.sh"));
    {
        QFile f(editor);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '%1.tmp'\n"
                               "mv '%1.tmp' '%1'\n")
                    .arg(out)
                    .toUtf8());
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    QVERIFY(CRegSettings().SaveMachineSetting(QString(), QStringLiteral("Current Path"), editor));
    QList<Row> rows = m_standard;
    rows[1].editMode = editMode;
    writeDatabase(rows);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    QPushButton *button = editMode == 2 ? w->cmdEdit : w->cmdView;

    w->txtFile->setText(QStringLiteral("MISSING"));
    QTest::mouseClick(button, Qt::LeftButton);
    const QString missing = folder(QStringLiteral("send")) + QStringLiteral("MISSING.NC");
    QCOMPARE(m_messages, QStringList{GetMessageText(171, missing)});

    // The folder tree's PARTS, then its file by name.
    const QModelIndex parts = w->directoryModel()->index(0, 0, w->directoryModel()->rootIndex());
    QTest::mouseClick(w->tvDirectory->viewport(), Qt::LeftButton, {},
                      w->tvDirectory->visualRect(parts).center());
    QCOMPARE(w->txtFile->text(), QStringLiteral("P9.NC"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(QFile::exists(out));
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString partsFolder = folder(QStringLiteral("send/PARTS"));
    const QStringList expected =
        QStringList{QDir(partsFolder).canonicalPath(), partsFolder + QStringLiteral("P9.NC")} + arguments;
    QCOMPARE(lines, expected);
}

void tst_ShopFloorWindow::keyboard_data()
{
    QTest::addColumn<QString>("finish");
    QTest::addColumn<QString>("expected");
    QTest::newRow("OK takes the entry") << "cmdOK" << "12";
    QTest::newRow("Cancel keeps the name") << "cmdCancel" << "O1.NC";
}

void tst_ShopFloorWindow::keyboard()
{
    QFETCH(QString, finish);
    QFETCH(QString, expected);
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    int helpContext = 0;
    QPoint offset;
    QTimer::singleShot(0, this, [&] {
        auto *kb = qobject_cast<frmKeyboard *>(QApplication::activeModalWidget());
        if (!kb)
            return;
        helpContext = kb->HelpContextID;
        offset = kb->frameGeometry().center() - w->frameGeometry().center();
        for (QPushButton *key : kb->findChildren<QPushButton *>()) {
            if (key->text() == QLatin1String("1"))
                QTest::mouseClick(key, Qt::LeftButton);
        }
        for (QPushButton *key : kb->findChildren<QPushButton *>()) {
            if (key->text() == QLatin1String("2"))
                QTest::mouseClick(key, Qt::LeftButton);
        }
        if (auto *done = kb->findChild<QPushButton *>(finish))
            QTest::mouseClick(done, Qt::LeftButton);
        else
            kb->reject();
    });
    QTest::mouseClick(w->cmdKeyboard, Qt::LeftButton);
    QCOMPARE(helpContext, 500);
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    QCOMPARE(w->txtFile->text(), expected);
}

void tst_ShopFloorWindow::maximisedResizeLaysOutOnceMore()
{
    writeDatabase(m_standard);
    frmShopFloor *w = loadShown();
    QVERIFY(w);
    QVERIFY(w->isMaximized());
    QTRY_VERIFY(!w->timRepaint->isActive());
    w->DoResize();
    QVERIFY(w->timRepaint->isActive());
    QTRY_VERIFY(!w->timRepaint->isActive());
    w->showNormal();
    QTRY_VERIFY(!w->isMaximized());
    w->DoResize();
    QVERIFY(!w->timRepaint->isActive());
}

QTEST_MAIN(tst_ShopFloorWindow)
#include "tst_shopfloor_window.moc"
