#include "DirectoryTreeModel.h"

#include "FileNameCodec.h"
#include "FolderQuestions.h"
#include "FolderReader.h"
#include "MessageText.h"
#include "TreeRoot.h"

struct DirectoryTreeModel::Node {
    quint64 id = 0;
    QString key;
    QString text;
    bool status = false;       // a status row, not a folder
    bool reading = false;      // asked the reader, no answer taken yet
    bool loaded = false;       // children are the folder's subfolders
    bool notAnswering = false;
    bool hasSubfolders = true; // until a read says otherwise
    int row = 0;               // position among its parent's children
    Node *parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
};

DirectoryTreeModel::DirectoryTreeModel(FolderReader &reader, QObject *parent)
    : QAbstractItemModel(parent), m_reader(reader)
{
    // The selected folder shows open, as the tree's SelectedImage did.
    m_folderIcon.addFile(QStringLiteral(":/icons/FOLDER_32.svg"), QSize(), QIcon::Normal);
    m_folderIcon.addFile(QStringLiteral(":/icons/OPEN_FOLDER_32.svg"), QSize(), QIcon::Selected);
}

DirectoryTreeModel::~DirectoryTreeModel() = default;

std::unique_ptr<DirectoryTreeModel::Node> DirectoryTreeModel::makeNode(const QString &key,
                                                                       const QString &text, bool status)
{
    auto node = std::make_unique<Node>();
    node->id = m_nextId++;
    node->key = key;
    node->text = text;
    node->status = status;
    return node;
}

QModelIndex DirectoryTreeModel::setRoot(const QString &key, const QString &text)
{
    beginResetModel();
    m_root = makeNode(key, text, false);
    endResetModel();
    return rootIndex();
}

void DirectoryTreeModel::setStatus(const QString &text)
{
    beginResetModel();
    m_root = makeNode(QString(), text, true);
    endResetModel();
}

void DirectoryTreeModel::clear()
{
    beginResetModel();
    m_root.reset();
    endResetModel();
}

QModelIndex DirectoryTreeModel::rootIndex() const
{
    return m_root ? createIndex(0, 0, m_root.get()) : QModelIndex();
}

DirectoryTreeModel::Node *DirectoryTreeModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Node *>(index.internalPointer()) : nullptr;
}

QModelIndex DirectoryTreeModel::indexOf(Node *node) const
{
    if (!node)
        return QModelIndex();
    return createIndex(node->parent ? node->row : 0, 0, node);
}

DirectoryTreeModel::Node *DirectoryTreeModel::findNode(quint64 id) const
{
    if (!m_root)
        return nullptr;
    std::vector<Node *> pending{m_root.get()};
    while (!pending.empty()) {
        Node *node = pending.back();
        pending.pop_back();
        if (node->id == id)
            return node;
        for (const auto &child : node->children)
            pending.push_back(child.get());
    }
    return nullptr;
}

QString DirectoryTreeModel::key(const QModelIndex &index) const
{
    const Node *node = nodeOf(index);
    return node && !node->status ? node->key : QString();
}

bool DirectoryTreeModel::isPlaceholder(const QModelIndex &index) const
{
    const Node *node = nodeOf(index);
    return node && node->status;
}

bool DirectoryTreeModel::isNotAnswering(const QModelIndex &index) const
{
    const Node *node = nodeOf(index);
    return node && node->notAnswering;
}

QModelIndex DirectoryTreeModel::indexForKey(const QString &key) const
{
    if (!m_root)
        return QModelIndex();
    std::vector<Node *> pending{m_root.get()};
    while (!pending.empty()) {
        Node *node = pending.back();
        pending.pop_back();
        if (!node->status && node->key == key)
            return indexOf(node);
        for (const auto &child : node->children)
            pending.push_back(child.get());
    }
    return QModelIndex();
}

void DirectoryTreeModel::replaceChildren(const QModelIndex &index,
                                         std::vector<std::unique_ptr<Node>> children)
{
    Node *node = nodeOf(index);
    // New rows go in before the old ones leave, so the node never passes
    // through having no children while the view has it open.
    const int oldCount = int(node->children.size());
    if (!children.empty()) {
        beginInsertRows(index, oldCount, oldCount + int(children.size()) - 1);
        for (auto &child : children) {
            child->parent = node;
            child->row = int(node->children.size());
            node->children.push_back(std::move(child));
        }
        endInsertRows();
    }
    if (oldCount > 0) {
        beginRemoveRows(index, 0, oldCount - 1);
        node->children.erase(node->children.begin(), node->children.begin() + oldCount);
        for (size_t i = 0; i < node->children.size(); ++i)
            node->children[i]->row = int(i);
        endRemoveRows();
    }
}

bool DirectoryTreeModel::hasChildren(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return bool(m_root);
    const Node *node = nodeOf(parent);
    if (node->status)
        return false;
    return !node->children.empty() || (!node->loaded && node->hasSubfolders);
}

bool DirectoryTreeModel::canFetchMore(const QModelIndex &parent) const
{
    const Node *node = nodeOf(parent);
    return node && !node->status && !node->loaded && !node->reading;
}

void DirectoryTreeModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    Node *node = nodeOf(parent);
    node->reading = true;
    const quint64 id = node->id;
    const QString folder = node->key;
    FolderReader::Handlers<SubfolderListing> handlers;
    handlers.done = [this, id](const SubfolderListing &listing) { takeListing(id, listing); };
    handlers.slow = [this, id] {
        Node *n = findNode(id);
        if (n && n->reading && n->children.empty())
            showStatus(n, GetMessageText(MessageId::Reading));
    };
    handlers.notAnswering = [this, id, folder] {
        Node *n = findNode(id);
        if (!n || !n->reading)
            return;
        n->notAnswering = true;
        showStatus(n, GetMessageText(MessageId::FolderNotAnswering, folder));
    };
    m_reader.ask<SubfolderListing>(SubfoldersQuestion(), folder,
                                   [folder] { return ReadSubfolders(folder); }, this,
                                   std::move(handlers));
}

void DirectoryTreeModel::showStatus(Node *node, const QString &text)
{
    const QModelIndex index = indexOf(node);
    if (node->children.size() == 1 && node->children.front()->status) {
        node->children.front()->text = text;
        const QModelIndex row = this->index(0, 0, index);
        emit dataChanged(row, row);
        return;
    }
    std::vector<std::unique_ptr<Node>> rows;
    rows.push_back(makeNode(QString(), text, true));
    replaceChildren(index, std::move(rows));
}

void DirectoryTreeModel::takeListing(quint64 id, const SubfolderListing &listing)
{
    Node *node = findNode(id);
    // Collapsed, or the tree was rebuilt, meanwhile: nobody wants it.
    if (!node || !node->reading)
        return;
    node->reading = false;
    node->loaded = true;
    node->notAnswering = false;
    std::vector<std::unique_ptr<Node>> children;
    children.reserve(listing.entries.size());
    for (const SubfolderEntry &entry : listing.entries) {
        auto child = makeNode(ChildKey(node->key, entry.name), DisplayFileName(entry.name), false);
        child->hasSubfolders = entry.hasSubfolders;
        children.push_back(std::move(child));
    }
    node->hasSubfolders = !children.empty();
    const QModelIndex index = indexOf(node);
    replaceChildren(index, std::move(children));
    emit childrenLoaded(index);
}

void DirectoryTreeModel::showSubfolders(const QModelIndex &index, const SubfolderListing &listing)
{
    Node *node = nodeOf(index);
    if (!node || node->status)
        return;
    node->reading = true;
    takeListing(node->id, listing);
}

void DirectoryTreeModel::unload(const QModelIndex &index)
{
    Node *node = nodeOf(index);
    if (!node || node->status)
        return;
    node->reading = false;
    node->loaded = false;
    node->notAnswering = false;
    replaceChildren(index, {});
}

void DirectoryTreeModel::reload(const QModelIndex &index)
{
    Node *node = nodeOf(index);
    if (!node || node->status)
        return;
    // A read still in flight is asked again: it attaches to the same job.
    node->reading = false;
    node->loaded = false;
    fetchMore(index);
}

QModelIndex DirectoryTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return QModelIndex();
    if (!parent.isValid())
        return (m_root && row == 0) ? createIndex(0, 0, m_root.get()) : QModelIndex();
    const Node *node = nodeOf(parent);
    if (!node || size_t(row) >= node->children.size())
        return QModelIndex();
    return createIndex(row, 0, node->children[size_t(row)].get());
}

QModelIndex DirectoryTreeModel::parent(const QModelIndex &child) const
{
    const Node *node = nodeOf(child);
    return node ? indexOf(node->parent) : QModelIndex();
}

int DirectoryTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_root ? 1 : 0;
    if (parent.column() != 0)
        return 0;
    return int(nodeOf(parent)->children.size());
}

Qt::ItemFlags DirectoryTreeModel::flags(const QModelIndex &index) const
{
    const Node *node = nodeOf(index);
    if (node && node->status)
        return Qt::ItemIsEnabled;
    return QAbstractItemModel::flags(index);
}

int DirectoryTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant DirectoryTreeModel::data(const QModelIndex &index, int role) const
{
    const Node *node = nodeOf(index);
    if (!node)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return node->text;
    case Qt::ToolTipRole: return node->status ? QVariant(node->text) : QVariant();
    case Qt::DecorationRole: return node->status ? QVariant() : QVariant(m_folderIcon);
    case KeyRole: return key(index);
    case PlaceholderRole: return node->status;
    default: return QVariant();
    }
}
