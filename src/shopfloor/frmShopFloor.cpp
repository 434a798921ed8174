#include "frmShopFloor.h"

#include "ActionAvailability.h"
#include "ActionToolbar.h"
#include "AppInfo.h"
#include "CRegSettings.h"
#include "DefaultButton.h"
#include "DirectoryTreeModel.h"
#include "TouchScrolling.h"
#include "TreeRoot.h"
#include "FileGridView.h"
#include "FileListModel.h"
#include "FileNameEdit.h"
#include "FolderQuestions.h"
#include "FolderReader.h"
#include "FormUtil.h"
#include "Help.h"
#include "IntlFonts.h"
#include "MachineToolbar.h"
#include "Messages.h"
#include "Platform.h"
#include "RemoteCommandClient.h"
#include "RequestConfirmation.h"
#include "RequestSafety.h"
#include "SplitterBar.h"
#include "StationJournal.h"
#include "StationStartup.h"
#include "Twips.h"
#include "frmShopFloorButtonBar.h"
#include "frmShopFloorPlacement.h"
#include "frmShopFloorStyle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

frmShopFloor::frmShopFloor(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(ApplicationTitle());
    CreateControls();
}

frmShopFloor::~frmShopFloor()
{
    Form_Unload();
}

void frmShopFloor::CreateControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmShopFloorClient"));
    client->setAttribute(Qt::WA_StyledBackground);
    setCentralWidget(client);

    tbMachines = new frmShopFloorButtonBar(client);
    tbMachines->setObjectName(QStringLiteral("tbMachines"));
    connect(tbMachines, &frmShopFloorButtonBar::ButtonClick, this,
            &frmShopFloor::tbMachines_ButtonClick);

    picFiles = new QWidget(client);
    picFiles->setObjectName(QStringLiteral("picFiles"));
    picFiles->installEventFilter(this);

    TreeModel = new DirectoryTreeModel(FolderReader::shared(), this);
    tvDirectory = new QTreeView(picFiles);
    tvDirectory->setObjectName(QStringLiteral("tvDirectory"));
    tvDirectory->setHeaderHidden(true);
    tvDirectory->setIconSize(QSize(32, 32));
    tvDirectory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvDirectory->setModel(TreeModel);
    EnableTouchScrolling(tvDirectory);
    connect(tvDirectory, &QTreeView::expanded, this, &frmShopFloor::tvDirectory_Expand);
    connect(tvDirectory, &QTreeView::collapsed, this, &frmShopFloor::tvDirectory_Collapse);
    connect(tvDirectory, &QTreeView::clicked, this, &frmShopFloor::tvDirectory_NodeClick);
    // Whatever moves the highlight (keys, a collapse, rows that go away
    // under it) chooses that folder, so that the tree, CurrentDirectory and
    // the file list never disagree; a click on the chosen folder refreshes it.
    connect(tvDirectory->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (RebuildingTree || !current.isValid() || TreeModel->isPlaceholder(current))
                    return;
                QString directory = TreeModel->key(current);
                if (!directory.endsWith(QDir::separator()))
                    directory += QDir::separator();
                if (directory != CurrentDirectory)
                    tvDirectory_NodeClick(current);
            });

    FileModel = new FileListModel(this);
    grdFiles = new FileGridView(picFiles);
    grdFiles->setObjectName(QStringLiteral("grdFiles"));
    grdFiles->setFileModel(FileModel);
    EnableTouchScrolling(grdFiles);

    VSplitter = new SplitterBar(picFiles);
    VSplitter->setObjectName(QStringLiteral("VSplitter"));
    VSplitterShadow = VSplitter->shadow();
    VSplitterShadow->setObjectName(QStringLiteral("VSplitterShadow"));
    connect(VSplitter, &SplitterBar::released, this, &frmShopFloor::VSplitter_Released);

    fraAction = new QGroupBox(picFiles);
    fraAction->setObjectName(QStringLiteral("fraAction"));
    tbAction = new frmShopFloorButtonBar(fraAction);
    tbAction->setObjectName(QStringLiteral("tbAction"));
    // Two buttons side by side in the bar's fixed place, small pictures
    // over the captions to fit its height.
    tbAction->setShareWidth(true);
    tbAction->setIconSize(QSize(16, 16));
    connect(tbAction, &frmShopFloorButtonBar::ButtonClick, this,
            &frmShopFloor::tbAction_ButtonClick);

    CreateFileRow();

    timRepaint = new QTimer(this);
    timRepaint->setObjectName(QStringLiteral("timRepaint"));
    timRepaint->setSingleShot(true);
    timRepaint->setInterval(1);
    connect(timRepaint, &QTimer::timeout, this, &frmShopFloor::timRepaint_Timer);

    RemoteClient = new RemoteCommandClient(this);
    RemoteClient->setObjectName(QStringLiteral("Winsock1"));
    Journal = new StationJournal(RemoteClient, this);
    lblConfirmation = new RequestConfirmation(grdFiles);
    connect(Journal, &StationJournal::requestSent, lblConfirmation, &RequestConfirmation::showText);

    ApplyShopFloorStyle(this);
}

void frmShopFloor::CreateFileRow()
{
    fraFile = new QGroupBox(picFiles);
    fraFile->setObjectName(QStringLiteral("fraFile"));
    lblFile = new QLabel(fraFile);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    txtFile = new FileNameEdit(fraFile);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    connect(grdFiles, &FileGridView::selectedNameChanged, txtFile, &QLineEdit::setText);

    auto pictureButton = [this](const char *name, const char *icon) {
        auto *b = new QPushButton(fraFile);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(QIcon(QString::fromLatin1(icon)));
        b->setIconSize(QSize(32, 32));
        return b;
    };
    cmdKeyboard = pictureButton("cmdKeyboard", ":/icons/KEYBOARD.svg");
    cmdEdit = pictureButton("cmdEdit", ":/icons/EDIT.svg");
    cmdView = pictureButton("cmdView", ":/icons/VIEW.svg");
    cmdGo = pictureButton("cmdGo", ":/icons/GO.svg");
    cmdClose = new QPushButton(fraFile);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdEdit->hide();
    cmdView->hide();
    // Go is the window's default button: Enter anywhere but on another button.
    new DefaultButtonKeys(this, cmdGo);

    connect(cmdKeyboard, &QPushButton::clicked, this, &frmShopFloor::cmdKeyboard_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmShopFloor::cmdEdit_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmShopFloor::cmdView_Click);
    connect(cmdGo, &QPushButton::clicked, this, &frmShopFloor::cmdGo_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmShopFloor::cmdClose_Click);
}

// ---------------------------------------------------------------- lifecycle

void frmShopFloor::Form_Load()
{
    CIntlFontClass().SetProperFonts(this);
    WindowActivated = false;
    SetFixedCaptions();
    PrepareFormHelp(this);
    SetOwnerIcon();
    ResizePending = false;
    LoadFailed = 0;
    SetFormIcon(this);
    VSplitterShadow->hide();

    DatabasePath.clear();
    CurrentAction = -1;
    ClearFileList();

    StationKey = gbUserMode ? GetSessionUserName() : GetPCName();

    RestorePlacement();
    {
        CRegSettings reg;
        DatabasePath = reg.GetUserSetting(QStringLiteral("Settings"), QStringLiteral("Database"),
                                          QString())
                           .toString();
        EditorPath = reg.GetMachineSetting(QString(), QStringLiteral("Current Path")).toString();
    }
    Journal->load(StationKey, gbUserMode, DatabasePath);

    // Every load ends after Form_Load has returned, in loadFinished.
    if (DatabasePath.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { FailLoad(GetMessageText(MessageId::NoDatabaseSpecified, ApplicationTitle())); },
            Qt::QueuedConnection);
        return;
    }
    // The editor and the database may sit on a share or a server that does
    // not answer: workers read them, and the load goes on in FinishLoad when
    // they have answered or the bound has passed.
    auto *startup = new StationStartup(this);
    connect(startup, &StationStartup::finished, this,
            [this, startup](const StationStartup::Result &result) {
                startup->deleteLater();
                FinishLoad(result);
            });
    startup->start(DatabasePath, StationKey, EditorPath, LoadTimeoutMs);
}

void frmShopFloor::FinishLoad(const StationStartup::Result &result)
{
    if (Unloaded)
        return;
    if (!result.editorFound)
        EditorPath.clear();
    const StationConfiguration &c = result.configuration;
    if (!result.timedOut && !c.databaseFound) {
        FailLoad(GetMessageText(MessageId::NoDatabaseSpecified, ApplicationTitle()));
        return;
    }
    // The reason goes first: the query would only find the database closed.
    if (result.timedOut)
        ShowMessage(result.timeoutText);
    else if (!c.connected)
        ShowMessage(c.connectFailure);

    ExtensionList.clear();

    if (result.timedOut || !c.connected || !LoadMachineList(c.machines)) {
        if (gbUserMode)
            FailLoad(GetMessageText(MessageId::NoMachinesForUser, GetSessionUserName(), ApplicationTitle()));
        else
            FailLoad(GetMessageText(MessageId::NoMachinesForPc, ApplicationTitle()));
        return;
    }

    BuildActionButtons(tbAction);
    BuildMachineButtons();
    SetToolTips();

    tbMachines_ButtonClick(1);
    DoResize();
    emit loadFinished();
}

void frmShopFloor::FailLoad(const QString &message)
{
    LoadFailed = 1;
    ShowMessage(message);
    emit loadFinished();
}

void frmShopFloor::RestorePlacement()
{
    const ShopFloorPlacement p = ReadShopFloorPlacement();
    if (p.state == ViewNormal) {
        NormalTwips = p.twips;
        PlacementPending = true;
        ApplyNormalPlacement();
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    } else if (p.state == ViewMinimised) {
        setWindowState((windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
    } else {
        // Where no window manager runs (a kiosk station), nobody maximises
        // the window: give it the whole screen ourselves; a manager that
        // does maximise overrides this.
        if (const QScreen *s = screen())
            setGeometry(s->availableGeometry());
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    }
}

void frmShopFloor::ApplyNormalPlacement()
{
    // The stored values are the outer frame; the frame's own extent is
    // known only once the platform decorates the window, so this runs again
    // when the window is first shown.
    ApplyMinimumSize();
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    const QRect outer = ToPixels(NormalTwips);
    move(outer.topLeft());
    resize(outer.size() - frameExtra);
}

void frmShopFloor::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!PlacementPending)
        return;
    PlacementPending = false;
    if (windowState() != Qt::WindowNoState)
        return;
    ApplyNormalPlacement();
    AwaitingFrame = frameGeometry().size() == geometry().size();
}

void frmShopFloor::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    ApplyPlacementOnceFramed();
}

void frmShopFloor::ApplyPlacementOnceFramed()
{
    // A window manager adds its frame after the window is shown; only then
    // can the stored outer size be met without growing the window by the
    // frame at every start.
    if (!AwaitingFrame || frameGeometry().size() == geometry().size())
        return;
    AwaitingFrame = false;
    if (windowState() == Qt::WindowNoState)
        ApplyNormalPlacement();
}

void frmShopFloor::SetOwnerIcon()
{
    QWidget *owner = parentWidget();
    if (!owner)
        return;
    while (owner->parentWidget())
        owner = owner->parentWidget();
    owner->setWindowIcon(QIcon(QStringLiteral(":/icons/AAA.svg")));
}

void frmShopFloor::SetFixedCaptions()
{
    setWindowTitle(ApplicationTitle());
    lblFile->setText(GetMessageText(MessageId::FileNameLabel));
    lblFile->adjustSize();
    cmdClose->setText(GetMessageText(MessageId::CloseButton));
}

void frmShopFloor::SetToolTips()
{
    for (int i = 1; i <= tbMachines->Count(); ++i)
        tbMachines->SetToolTip(i, tbMachines->Caption(i));
    for (int i = 1; i <= tbAction->Count(); ++i)
        tbAction->SetToolTip(i, tbAction->Caption(i));
    cmdEdit->setToolTip(GetMessageText(MessageId::EditTip));
    cmdView->setToolTip(GetMessageText(MessageId::ViewTip));
    cmdGo->setToolTip(GetMessageText(MessageId::GoTip));
    cmdClose->setToolTip(GetMessageText(MessageId::CloseTip));
    cmdKeyboard->setToolTip(GetMessageText(MessageId::KeyboardTip));
}

void frmShopFloor::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || LoadFailed || Unloaded)
        return;
    if (!isActiveWindow()) {
        // Our own message boxes take the activation for a moment; coming
        // back from one is not a return to the window (it would repeat 181
        // for ever while the directory is missing).
        LostToMessageBox = qobject_cast<QMessageBox *>(QApplication::activeWindow()) != nullptr;
        return;
    }
    if (LostToMessageBox) {
        LostToMessageBox = false;
        return;
    }
    Form_Activate();
}

void frmShopFloor::Form_Activate()
{
    WindowActivated = true;
    // An empty directory is no folder at all, not the file-system root, and
    // a relative one not the working folder.
    if (!IsAbsoluteFolder(ActionRoot)) {
        ReportMissingRoot();
        return;
    }
    // The same question as the tree's root: a rebuild in flight answers both.
    const int generation = RootGeneration;
    const QString root = ActionRoot;
    FolderReader::Handlers<RootProbe> handlers;
    handlers.done = [this, generation](const RootProbe &probe) {
        if (generation != RootGeneration || !isActiveWindow())
            return;
        if (probe.verdict == MessageId::RootNotFound)
            ReportMissingRoot();
        else
            tvDirectory->setFocus(Qt::ActiveWindowFocusReason);
    };
    FolderReader::shared().ask<RootProbe>(RootQuestion(), root, [root] { return ProbeTreeRoot(root); },
                                          this, std::move(handlers));
}

void frmShopFloor::ReportMissingRoot()
{
    ClearFileList();
    ShowMessage(GetMessageText(MessageId::RootNotFound, DirectoryForMessage(ActionRoot), ApplicationTitle()));
}

void frmShopFloor::keyReleaseEvent(QKeyEvent *event)
{
    if (KeyUpOnce.take(event))
        Form_KeyUp(event->key());
    QMainWindow::keyReleaseEvent(event);
}

void frmShopFloor::Form_KeyUp(int key)
{
    if (key == Qt::Key_F1)
        ShowHelpTopic(1, HelpContextID ? HelpContextID : int(HelpContextShopFloor));
    else if (key == Qt::Key_F5)
        RebuildDirectoryTree();
}

void frmShopFloor::cmdClose_Click()
{
    close();
}

void frmShopFloor::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    Form_Unload();
    event->accept();
}

void frmShopFloor::Form_QueryUnload()
{
    if (Unloaded)
        return;
    int state = ViewNormal;
    if (isMinimized())
        state = ViewMinimised;
    else if (isMaximized() || isFullScreen())
        state = ViewMaximised;
    const QRect outer = frameGeometry();
    SaveShopFloorPlacement(PlacementOnClose(isVisible(), state, QRectF(PixelsToTwips(outer, Dpi()))));
}

void frmShopFloor::Form_Unload()
{
    if (Unloaded)
        return;
    Unloaded = true;
    timRepaint->stop();
    FileModel->clear();
    // Closing the station ends the program, whatever else is open.
    if (isVisible())
        QCoreApplication::quit();
}

// ---------------------------------------------------------------- machines

bool frmShopFloor::LoadMachineList(const LoadResult<MachineAssignment> &result)
{
    if (!result.ok) {
        ShowMessage(result.error);
        return false;
    }
    if (result.rows.isEmpty())
        return false;
    Machines = QVector<MachineAssignment>(result.rows.begin(), result.rows.end());
    MachineCount = int(Machines.size());
    return true;
}

void frmShopFloor::BuildMachineButtons()
{
    tbMachines->Clear();
    for (const MachineAssignment &m : std::as_const(Machines))
        tbMachines->AddButton(MachineCaption(m.MACHINE_NUMBER, m.MACHINE_NAME),
                              MachineIcon(m.ICON_INDEX));
}

void frmShopFloor::tbMachines_ButtonClick(int index)
{
    if (index < 1 || index > MachineCount)
        return;
    if (CurrentMachine != 0 && index == CurrentMachine) {
        tbMachines->SetValue(index, 1);
        return;
    }
    if (CurrentMachine != 0)
        tbMachines->SetValue(CurrentMachine, 0);
    CurrentMachine = index;
    tbMachines->SetValue(CurrentMachine, 1);
    tbMachines->update();
    EnableActionsForMachine();
}

// ---------------------------------------------------------------- actions

void frmShopFloor::EnableActionsForMachine()
{
    if (CurrentMachine < 1 || CurrentMachine > MachineCount)
        return;
    const ActionAvailability a = ActionsForCommandType(Machines.at(CurrentMachine - 1).CMD_TYPE);
    if (!a.known)
        return;
    tbAction->SetButtonEnabled(ActionSendButton, a.sendEnabled);
    tbAction->SetButtonEnabled(ActionReceiveButton, a.receiveEnabled);
    tbAction_ButtonClick(a.firstButton);
}

void frmShopFloor::tbAction_ButtonClick(int index)
{
    if (index == ActionSendButton) {
        CurrentAction = 0;
        tbAction->SetValue(ActionSendButton, 1);
        tbAction->SetValue(ActionReceiveButton, 0);
    } else if (index == ActionReceiveButton) {
        CurrentAction = 1;
        tbAction->SetValue(ActionSendButton, 0);
        tbAction->SetValue(ActionReceiveButton, 1);
    }
    tbAction->update();
    ApplyMachineAndAction();
}

void frmShopFloor::ApplyMachineAndAction()
{
    if (CurrentMachine < 1 || CurrentMachine > MachineCount)
        return;
    const MachineAssignment &m = Machines.at(CurrentMachine - 1);
    if (CurrentAction == 0) {
        ActionRoot = m.SEND_DIRECTORY;
        RemoteCommand = m.SEND_REMOTE_CMD;
        ExtensionList = m.SEND_EXTENSION;
    } else if (CurrentAction == 1) {
        ActionRoot = m.RECV_DIRECTORY;
        RemoteCommand = m.RECV_REMOTE_CMD;
        ExtensionList = m.RECV_EXTENSION;
    }
    ServerPort = m.PORT;
    ServerAddress = m.IP_ADDRESS;
    CurrentEditMode = m.EDIT_MODE;
    if (const auto vis = EditViewFor(!EditorPath.isEmpty(), CurrentEditMode)) {
        cmdEdit->setVisible(vis->edit);
        cmdView->setVisible(vis->view);
    }
    LayoutFileRow();
    RebuildDirectoryTree();
}
