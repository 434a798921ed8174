#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>
#include <memory>
#include <vector>

class FolderReader;
struct SubfolderListing;

// tvDirectory's model: one root and folders below it, read by the folder
// reader when the view first opens them (canFetchMore/fetchMore), never
// inside the model's own methods. A folder not read yet shows the expand sign
// when it is known to have subfolders. While a read has no answer, the folder
// holds one status row ("Reading…" after the reader's short delay, then "The
// folder X does not answer."); the status row is no folder and cannot be
// selected. The owner connects QTreeView::collapsed -> unload, so that the
// next expansion reads the folder afresh.
class DirectoryTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Role { KeyRole = Qt::UserRole + 1, PlaceholderRole };

    explicit DirectoryTreeModel(FolderReader &reader, QObject *parent = nullptr);
    ~DirectoryTreeModel() override;

    // Replaces the tree by one root node (key, text), not read yet (the
    // caller has checked the directory with CheckTreeRoot). Returns the
    // root's index; the owner expands it.
    QModelIndex setRoot(const QString &key, const QString &text);
    // Replaces the tree by one status row (the root is being checked).
    void setStatus(const QString &text);
    // Removes every node.
    void clear();

    QModelIndex rootIndex() const;
    QString key(const QModelIndex &index) const;   // empty for a status row
    bool isPlaceholder(const QModelIndex &index) const;
    // True while the folder's read has passed the reader's bound unanswered.
    bool isNotAnswering(const QModelIndex &index) const;
    // The node whose key equals `key` exactly among the loaded nodes.
    QModelIndex indexForKey(const QString &key) const;

    // Collapse: drops the node's children; the next expansion reads again.
    void unload(const QModelIndex &index);
    // Asks for the node's subfolders again (a folder that did not answer).
    void reload(const QModelIndex &index);
    // Shows subfolders read already (with the root, in the same job).
    void showSubfolders(const QModelIndex &index, const SubfolderListing &listing);

    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // A folder's subfolders arrived and are shown.
    void childrenLoaded(const QModelIndex &index);

private:
    struct Node;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(Node *node) const;
    Node *findNode(quint64 id) const;
    void replaceChildren(const QModelIndex &index, std::vector<std::unique_ptr<Node>> children);
    void showStatus(Node *node, const QString &text);
    void takeListing(quint64 id, const SubfolderListing &listing);
    std::unique_ptr<Node> makeNode(const QString &key, const QString &text, bool status);

    FolderReader &m_reader;
    std::unique_ptr<Node> m_root;
    quint64 m_nextId = 1;
    QIcon m_folderIcon;        // "FOLDER_32", and "OPEN_FOLDER_32" when selected
};
