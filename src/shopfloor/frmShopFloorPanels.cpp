// frmShopFloor: the directory tree and the file list.
#include "frmShopFloor.h"

#include "AppInfo.h"
#include "DirectoryTreeModel.h"
#include "FileGridView.h"
#include "FileListModel.h"
#include "FileNameEdit.h"
#include "Messages.h"
#include "Platform.h"

#include <QDir>
#include <QTreeView>

void frmShopFloor::RebuildDirectoryTree()
{
    m_tree->clear();
    // Set again once the root is shown; a refused root leaves no folder to
    // name files in (not the previous machine's).
    CurrentDirectory.clear();
    const int refusal = CheckTreeRoot(ActionRoot);
    if (refusal == 181) {
        // While loading, the activation handler reports the missing folder.
        if (WindowActivated) {
            ClearFileList();
            ShowMessage(GetMessageText(181, DirectoryForMessage(ActionRoot), ApplicationTitle()));
        }
        return;
    }
    if (refusal != 0) {
        if (WindowActivated)
            ClearFileList();
        ShowMessage(GetMessageText(refusal, ActionRoot, ApplicationTitle()));
        return;
    }
    const QModelIndex root = m_tree->setRoot(TreeRootKey(ActionRoot), TreeRootText(ActionRoot));
    SuppressExpand = true;
    tvDirectory->expand(root);
    SuppressExpand = false;
    m_rebuildingTree = true;
    tvDirectory->setCurrentIndex(root);
    m_rebuildingTree = false;
    tvDirectory_NodeClick(root);
}

void frmShopFloor::tvDirectory_Expand(const QModelIndex &index)
{
    if (!SuppressExpand)
        m_tree->loadChildren(index);
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
    m_tree->addPlaceholder(index);
}

void frmShopFloor::tvDirectory_NodeClick(const QModelIndex &index)
{
    if (!index.isValid() || m_tree->isPlaceholder(index))
        return;
    const QString key = m_tree->key(index);
    if (!FolderExists(key)) {
        RebuildDirectoryTree();
        return;
    }
    CurrentDirectory = key;
    if (!CurrentDirectory.endsWith(QDir::separator()))
        CurrentDirectory += QDir::separator();
    FillFileList();
}

void frmShopFloor::ClearFileList()
{
    m_files->clear();
    txtFile->clear();
}

void frmShopFloor::FillFileList()
{
    ClearFileList();
    if (CurrentDirectory.isEmpty() || !FolderExists(CurrentDirectory))
        return;
    m_files->fill(CurrentDirectory, ExtensionList);
    grdFiles->selectFirstRow();
    txtFile->setText(grdFiles->selectedName());
}
