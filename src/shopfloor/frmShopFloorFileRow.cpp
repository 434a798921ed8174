// frmShopFloor: the buttons of the file-name row.
#include "frmShopFloor.h"

#include "AppInfo.h"
#include "EditorCommand.h"
#include "FileNameEdit.h"
#include "FolderReader.h"
#include "FormUtil.h"
#include "Messages.h"
#include "Platform.h"
#include "RemoteCommandChecks.h"
#include "RemoteCommandClient.h"
#include "RequestSafety.h"
#include "TreeRoot.h"
#include "frmKeyboard.h"

void frmShopFloor::cmdGo_Click()
{
    // A second Go while a request is checked or under way is ignored, not queued.
    if (RemoteClient->isBusy() || m_checkPending)
        return;
    const RequestText text =
        CheckRequestText(txtFile->text(), CurrentDirectory, TreeRootKey(ActionRoot), ExtensionList,
                         RequestLineStart(RemoteCommand));
    const RemoteCommandRequest request{ServerAddress, ServerPort, RemoteCommand, QString()};
    const int action = CurrentAction;
    CheckRequestFile(text, 1003, [this, request, action](const RequestFile &file) {
        const QString fullPath = ConcludeGo(file, action);
        if (fullPath.isEmpty()) {
            txtFile->setFocus();
            return;
        }
        RemoteCommandRequest r = request;
        r.fullPath = fullPath;
        RemoteClient->start(r);
    });
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
    if (EditorPath.isEmpty() || CurrentEditMode == 0 || m_checkPending)
        return;
    const RequestText text = CheckRequestText(txtFile->text(), CurrentDirectory,
                                              TreeRootKey(ActionRoot), ExtensionList, QString());
    const QString editor = EditorPath;
    CheckRequestFile(text, 1004, [this, editor, viewOnly](const RequestFile &file) {
        const QString fullPath = ConcludeEditor(file);
        if (fullPath.isEmpty()) {
            txtFile->setFocus();
            return;
        }
        LaunchProgram(EditorCommandLine(editor, fullPath, viewOnly), EditorWorkingDirectory(fullPath));
    });
}

void frmShopFloor::CheckRequestFile(const RequestText &text, int notAnsweringMessage,
                                    std::function<void(const RequestFile &)> conclude)
{
    // A folder that has not answered yet is the reason, not the missing folder.
    if (!m_rootAnswered && !txtFile->text().isEmpty() && IsAbsoluteFolder(ActionRoot)) {
        ShowMessage(GetMessageText(notAnsweringMessage, ActionRoot, txtFile->text()));
        txtFile->setFocus();
        return;
    }
    if (!text.refusal.isEmpty()) {
        ShowMessage(text.refusal);
        txtFile->setFocus();
        return;
    }
    // Never a request for a file that could not be checked: an answer after
    // the bound finds the generation moved on and is dropped.
    const int generation = ++m_checkGeneration;
    m_checkPending = true;
    const QString fullPath = text.fullPath;
    const QString root = TreeRootKey(ActionRoot);
    const QString folder = GetFolderPart(fullPath);
    FolderReader::Handlers<RequestFile> handlers;
    handlers.done = [this, generation, conclude = std::move(conclude)](const RequestFile &file) {
        if (generation != m_checkGeneration)
            return;
        m_checkPending = false;
        conclude(file);
    };
    handlers.notAnswering = [this, generation, folder, fullPath, notAnsweringMessage] {
        if (generation != m_checkGeneration)
            return;
        ++m_checkGeneration;
        m_checkPending = false;
        ShowMessage(GetMessageText(notAnsweringMessage, folder, fullPath));
        txtFile->setFocus();
    };
    FolderReader::shared().ask<RequestFile>(
        QStringLiteral("file ") + fullPath, folder,
        [fullPath, root] { return ProbeRequestFile(fullPath, root); },
        this, std::move(handlers));
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
