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
#include "SelectedFilePath.h"
#include "StationJournal.h"
#include "TreeRoot.h"
#include "frmKeyboard.h"

void frmShopFloor::cmdGo_Click()
{
    // A second Go while a request is checked or under way is ignored, not queued.
    if (RemoteClient->isBusy() || CheckPending)
        return;
    const RequestCheck text =
        CheckRequestText(txtFile->text(), CurrentDirectory, TreeRootKey(ActionRoot), ExtensionList,
                         RequestLineStart(RemoteCommand));
    const MachineAssignment machine = Machines.value(CurrentMachine - 1);
    const RemoteCommandRequest request{ServerAddress, ServerPort, RemoteCommand, QString()};
    const int action = CurrentAction;
    const auto refused = [this, machine, action, request](const QString &path, const Verdict &why) {
        Journal->requestRefused(machine, action, request.remoteCommand, path, why);
    };
    const auto conclude = [action](const RequestFile &file) { return ConcludeGo(file, action); };
    CheckRequestFile(text, MessageId::FolderNotAnsweringNothingSent, [this] { cmdGo_Click(); }, refused,
                     conclude, [this, machine, action, request](const QString &fullPath) {
                         Journal->requestStarting(machine, action, request.remoteCommand, fullPath);
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
    if (EditorPath.isEmpty() || CurrentEditMode == 0 || CheckPending)
        return;
    const RequestCheck text = CheckRequestText(txtFile->text(), CurrentDirectory,
                                               TreeRootKey(ActionRoot), ExtensionList, QString());
    const MachineAssignment machine = Machines.value(CurrentMachine - 1);
    const QString editor = EditorPath;
    const auto refused = [this, machine, viewOnly](const QString &path, const Verdict &why) {
        Journal->editorRefused(machine, viewOnly, path, why);
    };
    CheckRequestFile(text, MessageId::FolderNotAnsweringEditorNotStarted,
                     [this, viewOnly] { LaunchEditor(viewOnly); }, refused, ConcludeEditor,
                     [this, machine, editor, viewOnly](const QString &fullPath) {
                         const bool started = LaunchProgram(EditorCommandLine(editor, fullPath, viewOnly),
                                                            EditorWorkingDirectory(fullPath));
                         Journal->editorLaunched(machine, viewOnly, fullPath, started);
                     });
}

void frmShopFloor::CheckRequestFile(const RequestCheck &text, MessageId notAnswering,
                                    std::function<void()> replay,
                                    std::function<void(const QString &, const Verdict &)> refused,
                                    std::function<RequestCheck(const RequestFile &)> conclude,
                                    std::function<void(const QString &)> proceed)
{
    const QString typedPath = GetSelectedFilePath(txtFile->text(), CurrentDirectory, ExtensionList);
    // The one place where the checks' verdict is shown; a refusal is
    // journaled under `path`.
    const auto settle = [this, refused, proceed](const QString &path, const RequestCheck &check) {
        if (ShowVerdict(check.verdict)) {
            proceed(check.fullPath);
            return;
        }
        refused(path, check.verdict);
        txtFile->setFocus();
    };
    // The action's folder is still being checked: the press waits for its
    // answer, or is refused once the folder has not answered in time.
    if (!RootAnswered && !txtFile->text().isEmpty() && IsAbsoluteFolder(ActionRoot)) {
        if (RootNotAnswering)
            settle(typedPath, {QString(), {notAnswering, {ActionRoot, txtFile->text()}}});
        else
            AfterRoot = replay;
        return;
    }
    if (!text.verdict.passed()) {
        settle(typedPath, text);
        return;
    }
    // Never a request for a file that could not be checked: an answer after
    // the bound finds the generation moved on and is dropped.
    const int generation = ++CheckGeneration;
    CheckPending = true;
    const QString fullPath = text.fullPath;
    const QString root = TreeRootKey(ActionRoot);
    const QString folder = GetFolderPart(fullPath);
    FolderReader::Handlers<RequestFile> handlers;
    handlers.done = [this, generation, conclude = std::move(conclude), settle](const RequestFile &file) {
        if (generation != CheckGeneration)
            return;
        CheckPending = false;
        settle(file.fullPath, conclude(file));
    };
    handlers.notAnswering = [this, generation, folder, fullPath, notAnswering, typedPath, settle] {
        if (generation != CheckGeneration)
            return;
        ++CheckGeneration;
        CheckPending = false;
        settle(typedPath, {QString(), {notAnswering, {folder, fullPath}}});
    };
    FolderReader::shared().ask<RequestFile>(
        QStringLiteral("file ") + fullPath, folder,
        [fullPath, root] { return ProbeRequestFile(fullPath, root); }, this, std::move(handlers));
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
