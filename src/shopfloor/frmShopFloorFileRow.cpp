// frmShopFloor: the buttons of the file-name row.
#include "frmShopFloor.h"

#include "AppInfo.h"
#include "DirectoryTreeModel.h"
#include "EditorCommand.h"
#include "FileNameEdit.h"
#include "FormUtil.h"
#include "Platform.h"
#include "RemoteCommandChecks.h"
#include "RemoteCommandClient.h"
#include "frmKeyboard.h"

void frmShopFloor::cmdGo_Click()
{
    // A second Go while a request is under way is ignored, not queued.
    if (RemoteClient->isBusy())
        return;
    const QString fullPath =
        CheckFileForGo(txtFile->text(), CurrentDirectory, TreeRootKey(ActionRoot), ExtensionList,
                       CurrentAction, RemoteCommand);
    if (fullPath.isEmpty()) {
        txtFile->setFocus();
        return;
    }
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
    const QString fullPath = CheckFileForEditor(txtFile->text(), CurrentDirectory,
                                                 TreeRootKey(ActionRoot), ExtensionList);
    if (fullPath.isEmpty()) {
        txtFile->setFocus();
        return;
    }
    LaunchProgram(EditorCommandLine(EditorPath, fullPath, viewOnly),
                  EditorWorkingDirectory(fullPath));
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
