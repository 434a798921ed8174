#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>
#include <memory>
#include <vector>

// Why a directory cannot be the tree's root: the number of the message to show
// (with %1 = the directory, %2 = the application title), or 0 when it can.
// Checked in this order: empty, relative or missing (181); a drive root or
// mount point is always accepted; then the attributes (RootRefusalMessage).
int CheckTreeRoot(const QString &directory);
// The refusal by attribute bits (Platform.h), first set first: hidden 191,
// system 192, alias (reparse point) 193; 0 when none is set or the bits are
// unknown.
int RootRefusalMessage(quint32 attributes);

// The directory as the messages about it name it: an empty one (nothing was
// configured) shows as "" rather than leaving the placeholder unfilled.
QString DirectoryForMessage(const QString &directory);

// The key of the root node: the absolute, cleaned path in native separators;
// a drive or file-system root keeps its trailing separator, others have none.
// Empty for a relative directory, which is no root.
QString TreeRootKey(const QString &directory);

// The root node's text. A mount point (drive root): a network share shows the
// share's last path component, a local volume its label (or, without a label,
// the mount point's own folder name); any other directory its folder name.
QString TreeRootText(const QString &directory);

// The text of a mount point's root from what the system reports about it:
// network file systems (or a device of the form //server/share, \\server\share,
// host:/path) give the share's last component; a Windows drive X:/ gives
// "label (X:)"; elsewhere the label, or without one the mount point's folder
// name ("/" for the file-system root).
QString VolumeRootText(const QByteArray &fileSystemType, const QString &device,
                       const QString &label, const QString &mountPoint);

// The text of a Windows drive root by its GetDriveType number: a fixed disk
// "label (X:)", a network drive the share's part after its last backslash,
// any other kind the empty text.
QString DriveRootText(unsigned driveType, const QString &volumeName, const QString &driveLetter,
                      const QString &shareName);

// Appends `name` to `parentKey` with one separator between them.
QString ChildKey(const QString &parentKey, const QString &name);

// The folders that the tree shows below `directory` (not hidden, not system;
// symbolic links to folders count), in the order the file system returns them.
QStringList ListedSubfolders(const QString &directory);
// True when `directory` has at least one folder that ListedSubfolders would
// return; stops at the first.
bool HasListedSubfolder(const QString &directory);

// tvDirectory's model: one root and lazily loaded folders below it. A folder
// that has not been opened holds one placeholder child "dummy" when it has
// subfolders, so the view draws the expand sign. The owner connects the view:
// QTreeView::expanded -> loadChildren, QTreeView::collapsed -> addPlaceholder.
class DirectoryTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Role { KeyRole = Qt::UserRole + 1, PlaceholderRole };

    explicit DirectoryTreeModel(QObject *parent = nullptr);
    ~DirectoryTreeModel() override;

    // Replaces the tree by one root node (key, text) with its children loaded
    // (the caller has checked the directory with CheckTreeRoot). Returns the
    // root's index; the owner expands it with its expand handling suppressed.
    QModelIndex setRoot(const QString &key, const QString &text);
    // Removes every node.
    void clear();

    QModelIndex rootIndex() const;
    QString key(const QModelIndex &index) const;   // empty for a placeholder
    bool isPlaceholder(const QModelIndex &index) const;
    // The node whose key equals `key` exactly among the loaded nodes.
    QModelIndex indexForKey(const QString &key) const;

    // LoadChildren: the node's children become its listed subfolders, sorted
    // by name, each with a placeholder when it has subfolders itself.
    void loadChildren(const QModelIndex &index);
    // AddPlaceholder: drops the node's children and puts back one placeholder
    // when the folder has subfolders.
    void addPlaceholder(const QModelIndex &index);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    struct Node;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(Node *node) const;
    void replaceChildren(const QModelIndex &index, std::vector<std::unique_ptr<Node>> children);

    std::unique_ptr<Node> m_root;
    QIcon m_folderIcon;        // "FOLDER_32", and "OPEN_FOLDER_32" when selected
};
