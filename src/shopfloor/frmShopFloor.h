#pragma once

#include "Help.h"
#include "MessageId.h"
#include "StationStartup.h"
#include "StationTables.h"

#include <QMainWindow>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

class DirectoryTreeModel;
class FileGridView;
class FileListModel;
class FileNameEdit;
class QGroupBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QTimer;
class QTreeView;
class RemoteCommandClient;
class RequestConfirmation;
class SplitterBar;
class StationJournal;
class frmShopFloorButtonBar;
struct FileListing;
struct RequestFile;
struct RequestCheck;
struct RootProbe;
struct Verdict;

// The operator's window: machines along the top, the action's folder tree and
// its files in the middle, actions and the file-name row at the bottom.
class frmShopFloor : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmShopFloor(QWidget *parent = nullptr);
    ~frmShopFloor() override;

    // Load handler: reads the settings and starts reading the database and
    // the editor's file in workers; returns at once. The load ends in
    // loadFinished(), always after Form_Load has returned: LoadFailed is then
    // 1 (its messages shown) when the station cannot be used, and the window
    // stays hidden.
    void Form_Load();
    // The bound on reading the database at load; the start fails after it.
    void setLoadTimeout(int ms) { LoadTimeoutMs = ms; }
    // Runs the window's resize layout.
    void DoResize();

    void setHelpContextID(int id) { HelpContextID = id; }

    // For the start routine and tests.
    bool loadFailed() const { return LoadFailed != 0; }
    const QVector<MachineAssignment> &machines() const { return Machines; }
    int currentMachine() const { return CurrentMachine; }
    int currentAction() const { return CurrentAction; }
    const QString &actionRoot() const { return ActionRoot; }
    const QString &currentDirectory() const { return CurrentDirectory; }
    DirectoryTreeModel *directoryModel() const { return TreeModel; }
    FileListModel *fileModel() const { return FileModel; }

signals:
    void loadFinished();

public slots:
    void tbMachines_ButtonClick(int index);
    void tbAction_ButtonClick(int index);
    void cmdGo_Click();
    void cmdEdit_Click();
    void cmdView_Click();
    void cmdKeyboard_Click();
    void cmdClose_Click();
    void RebuildDirectoryTree();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateFileRow();
    void SetFixedCaptions();
    void SetToolTips();
    void SetOwnerIcon();
    void RestorePlacement();
    void ApplyNormalPlacement();
    void ApplyPlacementOnceFramed();
    void ApplyMinimumSize();

    void FinishLoad(const StationStartup::Result &result);
    void FailLoad(const QString &message);
    bool LoadMachineList(const LoadResult<MachineAssignment> &result);
    void BuildMachineButtons();
    void EnableActionsForMachine();
    void ApplyMachineAndAction();

    void Form_Activate();
    void ReportMissingRoot();
    void Form_KeyUp(int key);
    void Form_QueryUnload();
    void Form_Unload();

    void Form_Resize();
    void picFiles_Resize();
    void timRepaint_Timer();
    void LayoutFileRow();
    void VSplitter_Released(int xTwips);

    void tvDirectory_Expand(const QModelIndex &index);
    void tvDirectory_Collapse(const QModelIndex &index);
    void tvDirectory_NodeClick(const QModelIndex &index);
    void ShowTreeRoot(const struct RootOpening &opening, bool report);
    // The folder of `index` becomes CurrentDirectory; its files are read, or
    // taken from `files` when they were read with the folder already.
    void ChooseFolder(const QModelIndex &index, const FileListing *files);
    void ClearFileList();
    void FillFileList();
    void ShowFileListing(const FileListing &listing);

    void LaunchEditor(bool viewOnly);
    // Refuses `text` with its verdict, or asks the reader about its file and
    // has `conclude` judge the answer; a folder that does not answer gets
    // `notAnswering` after the bound. The one verdict is shown here: when it
    // lets the press go on, `proceed` gets the full path, else `refused`
    // hears the path and the verdict the operator saw. `replay` presses the
    // button again once the action's folder answers.
    void CheckRequestFile(const RequestCheck &text, MessageId notAnswering, std::function<void()> replay,
                          std::function<void(const QString &, const Verdict &)> refused,
                          std::function<RequestCheck(const RequestFile &)> conclude,
                          std::function<void(const QString &)> proceed);

    double Dpi() const;
    QRect ToPixels(const QRect &twips) const;
    int ToTwips(int pixels) const;

    int LoadFailed = 0;
    int HelpContextID = 0;

    // State the panels read; set by the handlers named beside each.
    bool WindowActivated = false;         // Form_Activate
    QString StationKey;                   // Form_Load
    QString DatabasePath;                 // Form_Load
    QString EditorPath;                   // Form_Load
    QVector<MachineAssignment> Machines;  // index 0 is machine button 1
    int MachineCount = 0;
    int CurrentMachine = 0;               // tbMachines_ButtonClick; 0 = none
    int CurrentAction = -1;               // tbAction_ButtonClick; -1 = none
    QString ActionRoot;                   // ApplyMachineAndAction
    QString RemoteCommand;
    QStringList ExtensionList;
    QString ServerAddress;
    int ServerPort = 0;
    int CurrentEditMode = 0;
    QString CurrentDirectory;             // tvDirectory_NodeClick; ends in a separator

    // Controls.
    frmShopFloorButtonBar *tbMachines = nullptr;
    QWidget *picFiles = nullptr;
    QTreeView *tvDirectory = nullptr;
    FileGridView *grdFiles = nullptr;
    SplitterBar *VSplitter = nullptr;
    QWidget *VSplitterShadow = nullptr;
    QGroupBox *fraAction = nullptr;
    frmShopFloorButtonBar *tbAction = nullptr;
    QGroupBox *fraFile = nullptr;
    QLabel *lblFile = nullptr;
    FileNameEdit *txtFile = nullptr;
    QPushButton *cmdKeyboard = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdView = nullptr;
    QPushButton *cmdGo = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *timRepaint = nullptr;
    RemoteCommandClient *RemoteClient = nullptr;
    StationJournal *Journal = nullptr;
    RequestConfirmation *lblConfirmation = nullptr;

    int LoadTimeoutMs = StationStartup::DefaultTimeoutMs;
    DirectoryTreeModel *TreeModel = nullptr;
    FileListModel *FileModel = nullptr;
    bool ResizePending = false;
    bool RebuildingTree = false;
    // Answers of the folder reader count only while their generation is current.
    int RootGeneration = 0;     // the tree's root and the activation test
    int ListGeneration = 0;     // the file list
    int CheckGeneration = 0;    // the checks of Go, Edit and View
    bool CheckPending = false;
    bool RootAnswered = false;  // the action's folder has answered its check
    bool RootNotAnswering = false;
    std::function<void()> AfterRoot;  // a Go, Edit or View waiting for that answer
    bool Unloaded = false;
    QRect NormalTwips;          // outer placement to apply once the frame is known
    bool PlacementPending = false;
    bool AwaitingFrame = false;  // shown undecorated so far; the window manager frames it later
    bool LostToMessageBox = false;
    KeyReleaseOnce KeyUpOnce;
};
