// frmShopFloor: the buttons of the file-name row.
#include "frmShopFloor.h"

#include "AppInfo.h"
#include "DirectoryTreeModel.h"
#include "EditorCommand.h"
#include "FileNameEdit.h"
#include "FormUtil.h"
#include "Messages.h"
#include "Platform.h"
#include "RemoteCommandChecks.h"
#include "RemoteCommandClient.h"
#include "SelectedFilePath.h"
#include "StationJournal.h"
#include "frmKeyboard.h"

void frmShopFloor::cmdGo_Click()
{
    // A second Go while a request is under way is ignored, not queued.
    if (RemoteClient->isBusy())
        return;
    const MachineAssignment machine = Machines.value(CurrentMachine - 1);
    QString fullPath;
    {
        MessageCapture shown;
        fullPath = CheckFileForGo(txtFile->text(), CurrentDirectory, TreeRootKey(ActionRoot), ExtensionList,
                                  CurrentAction, RemoteCommand);
        if (fullPath.isEmpty())
            Journal->requestRefused(machine, CurrentAction, RemoteCommand,
                                    GetSelectedFilePath(txtFile->text(), CurrentDirectory, ExtensionList), shown);
    }
    if (fullPath.isEmpty()) {
        txtFile->setFocus();
        return;
    }
    Journal->requestStarting(machine, CurrentAction, RemoteCommand, fullPath);
    RemoteClient->start({ServerAddress, ServerPort, RemoteCommand, fullPath});
}

void frmShopFloor::cmdEdit_Click()
{
    LaunchEditor(false);
}

void frmShopFloor::cmdView_Click()
{
    LaunchEditor(true);
}

void frmShopFloor::LaunchEditor(bool viewOnly)
{
    if (EditorPath.isEmpty() || CurrentEditMode == 0)
        return;
    const MachineAssignment machine = Machines.value(CurrentMachine - 1);
    MessageCapture shown;
    const QString fullPath = CheckFileForEditor(txtFile->text(), CurrentDirectory,
                                                 TreeRootKey(ActionRoot), ExtensionList);
    if (fullPath.isEmpty()) {
        Journal->editorRefused(machine, viewOnly,
                               GetSelectedFilePath(txtFile->text(), CurrentDirectory, ExtensionList), shown);
        txtFile->setFocus();
        return;
    }
    const bool started = LaunchProgram(EditorCommandLine(EditorPath, fullPath, viewOnly),
                                       EditorWorkingDirectory(fullPath));
    Journal->editorLaunched(machine, viewOnly, fullPath, started);
}

void frmShopFloor::cmdKeyboard_Click()
{
    frmKeyboard keyboard(this);
    keyboard.HelpContextID = HelpContextKeyboard;
    CenterForm(&keyboard, this);
    keyboard.exec();
    if (keyboard.Result == 1)
        txtFile->setText(keyboard.EnteredText);
}
