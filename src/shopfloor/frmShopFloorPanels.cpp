// frmShopFloor: the directory tree and the file list. Every look at the file
// system goes through the folder reader; its answers are dropped when the
// window has moved on (another machine, action or folder) meanwhile.
#include "frmShopFloor.h"

#include "AppInfo.h"
#include "DirectoryTreeModel.h"
#include "FileGridView.h"
#include "FileListModel.h"
#include "FileNameEdit.h"
#include "FolderQuestions.h"
#include "FolderReader.h"
#include "Messages.h"
#include "TreeRoot.h"

#include <QDir>
#include <QTreeView>

#include <utility>

// What the tree and the list show first of an action's folder, read in one
// go: a machine click waits for one hand-over to a worker, not three.
struct RootOpening {
    RootProbe probe;
    SubfolderListing subfolders;
    FileListing files;
};

void frmShopFloor::RebuildDirectoryTree()
{
    TreeModel->clear();
    // The previous folder's answers, and its files, no longer count.
    ClearFileList();
    ++CheckGeneration;
    CheckPending = false;
    AfterRoot = nullptr;
    CurrentDirectory.clear();
    RootAnswered = RootNotAnswering = false;
    const int generation = ++RootGeneration;
    const QString root = ActionRoot;
    const QStringList extensions = ExtensionList;
    const int column = FileModel->sortColumn();
    const bool ascending = FileModel->sortAscending();
    // While loading, the activation handler reports a missing folder.
    const bool report = WindowActivated;
    FolderReader::Handlers<RootOpening> handlers;
    handlers.done = [this, generation, report](const RootOpening &opening) {
        if (generation == RootGeneration)
            ShowTreeRoot(opening, report);
    };
    handlers.slow = [this, generation] {
        if (generation == RootGeneration)
            TreeModel->setStatus(GetMessageText(MessageId::Reading));
    };
    handlers.notAnswering = [this, generation, root] {
        if (generation != RootGeneration)
            return;
        const QString text = GetMessageText(MessageId::FolderNotAnswering, root);
        TreeModel->setStatus(text);
        FileModel->setStatus(text);
        RootNotAnswering = true;
        if (const auto pending = std::exchange(AfterRoot, nullptr))
            pending();
    };
    const QString question = QStringLiteral("open %1 %2 %3")
                                 .arg(extensions.join(QLatin1Char('|')))
                                 .arg(column)
                                 .arg(ascending);
    FolderReader::shared().ask<RootOpening>(question, root, [=] {
        RootOpening opening;
        opening.probe = ProbeTreeRoot(root);
        if (opening.probe.verdict == MessageId::None) {
            opening.subfolders = ReadSubfolders(opening.probe.key);
            opening.files = FileListModel::read(opening.probe.key, extensions, column, ascending);
        }
        return opening;
    }, this, std::move(handlers));
}

void frmShopFloor::ShowTreeRoot(const RootOpening &opening, bool report)
{
    const RootProbe &probe = opening.probe;
    TreeModel->clear();
    RootAnswered = true;
    const auto pending = std::exchange(AfterRoot, nullptr);
    if (probe.verdict == MessageId::RootNotFound) {
        if (report)
            ReportMissingRoot();
        if (pending)
            pending();
        return;
    }
    if (probe.verdict != MessageId::None) {
        if (report)
            ClearFileList();
        ShowMessage(GetMessageText(probe.verdict, ActionRoot, ApplicationTitle()));
        if (pending)
            pending();
        return;
    }
    const QModelIndex root = TreeModel->setRoot(probe.key, probe.text);
    TreeModel->showSubfolders(root, opening.subfolders);
    tvDirectory->expand(root);
    RebuildingTree = true;
    tvDirectory->setCurrentIndex(root);
    RebuildingTree = false;
    ChooseFolder(root, &opening.files);
    if (pending)
        pending();
}

void frmShopFloor::tvDirectory_Expand(const QModelIndex &index)
{
    TreeModel->fetchMore(index);
}

void frmShopFloor::tvDirectory_Collapse(const QModelIndex &index)
{
    // A folder below the collapsed one is about to go: the collapsed folder
    // takes over the highlight, and with it the file list.
    for (QModelIndex i = tvDirectory->currentIndex(); i.isValid(); i = i.parent()) {
        if (i.parent() == index) {
            tvDirectory->setCurrentIndex(index);
            break;
        }
    }
    TreeModel->unload(index);
}

void frmShopFloor::tvDirectory_NodeClick(const QModelIndex &index)
{
    ChooseFolder(index, nullptr);
}

void frmShopFloor::ChooseFolder(const QModelIndex &index, const FileListing *files)
{
    if (!index.isValid() || TreeModel->isPlaceholder(index))
        return;
    // Choosing a folder that did not answer asks it again.
    if (TreeModel->isNotAnswering(index))
        TreeModel->reload(index);
    CurrentDirectory = TreeModel->key(index);
    if (!CurrentDirectory.endsWith(QDir::separator()))
        CurrentDirectory += QDir::separator();
    if (!files) {
        FillFileList();
        return;
    }
    ClearFileList();
    ShowFileListing(*files);
}

void frmShopFloor::ClearFileList()
{
    ++ListGeneration;
    FileModel->clear();
    txtFile->clear();
}

void frmShopFloor::FillFileList()
{
    ClearFileList();
    if (CurrentDirectory.isEmpty())
        return;
    const int generation = ListGeneration;
    const QString directory = CurrentDirectory;
    const QStringList extensions = ExtensionList;
    const int column = FileModel->sortColumn();
    const bool ascending = FileModel->sortAscending();
    FolderReader::Handlers<FileListing> handlers;
    handlers.done = [this, generation](const FileListing &listing) {
        if (generation == ListGeneration)
            ShowFileListing(listing);
    };
    handlers.slow = [this, generation] {
        if (generation == ListGeneration)
            FileModel->setStatus(GetMessageText(MessageId::Reading));
    };
    handlers.notAnswering = [this, generation, directory] {
        if (generation == ListGeneration)
            FileModel->setStatus(GetMessageText(MessageId::FolderNotAnswering, directory));
    };
    const QString question = QStringLiteral("files %1 %2 %3")
                                 .arg(extensions.join(QLatin1Char('|')))
                                 .arg(column)
                                 .arg(ascending);
    FolderReader::shared().ask<FileListing>(
        question, directory,
        [=] { return FileListModel::read(directory, extensions, column, ascending); }, this,
        std::move(handlers));
}

void frmShopFloor::ShowFileListing(const FileListing &listing)
{
    if (!listing.readable && listing.missing) {
        // The folder went away: the tree shows what is there now.
        RebuildDirectoryTree();
        return;
    }
    // Whatever the operator typed while the folder was read stays.
    const QString typed = txtFile->text();
    FileModel->adopt(listing);
    if (!typed.isEmpty())
        txtFile->setText(typed);
}
