#include "DirectoryTreeModel.h"

#include "DirectoryScan.h"
#include "FileNameCodec.h"
#include "Platform.h"
#include "RequestSafety.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

QString cleanAbsolute(const QString &directory)
{
    return QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
}

// A mount point itself, not a link to one: the counterpart of a drive root.
bool isMountPoint(const QString &clean, QStorageInfo *storage)
{
    const QFileInfo info(clean);
    if (info.isSymLink())
        return false;
    QStorageInfo s(clean);
    if (!s.isValid())
        return false;
    if (QDir::cleanPath(s.rootPath()) != QDir::cleanPath(info.canonicalFilePath()))
        return false;
    if (storage)
        *storage = s;
    return true;
}

bool isNetworkFileSystem(const QByteArray &type)
{
    static const char *const types[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "sshfs",
                                        "fuse.sshfs", "9p", "afs", "ncpfs", "davfs",
                                        "fuse.davfs2", "glusterfs", "ceph"};
    for (const char *t : types) {
        if (type == t)
            return true;
    }
    return false;
}

QString lastComponent(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? path : path.mid(cut + 1);
}

bool lessByName(const QString &a, const QString &b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

} // namespace

int CheckTreeRoot(const QString &directory)
{
    // An empty directory would name the file-system root and a relative one
    // the station's working folder; neither was meant.
    if (!IsAbsoluteFolder(directory) || !FolderExists(directory))
        return 181;
    const QString clean = cleanAbsolute(directory);
    DriveInfo drive;
    if (GetDriveInfo(clean, &drive) || isMountPoint(clean, nullptr))
        return 0;
    return RootRefusalMessage(GetFileAttributesOf(clean));
}

int RootRefusalMessage(quint32 attributes)
{
    if (attributes == InvalidFileAttributes)
        return 0;
    if (attributes & FileAttributeHidden)
        return 191;
    if (attributes & FileAttributeSystem)
        return 192;
    if (attributes & FileAttributeReparsePoint)
        return 193;
    return 0;
}

QString DriveRootText(unsigned driveType, const QString &volumeName, const QString &driveLetter,
                      const QString &shareName)
{
    enum { Fixed = 3, Network = 4 };
    if (driveType == Fixed)
        return volumeName + QLatin1String(" (") + driveLetter + QLatin1String(":)");
    if (driveType == Network)
        return shareName.mid(shareName.lastIndexOf(QLatin1Char('\\')) + 1);
    return QString();
}

QString DirectoryForMessage(const QString &directory)
{
    return directory.isEmpty() ? QStringLiteral("\"\"") : directory;
}

QString TreeRootKey(const QString &directory)
{
    if (!IsAbsoluteFolder(directory))
        return QString();
    return QDir::toNativeSeparators(cleanAbsolute(directory));
}

QString VolumeRootText(const QByteArray &fileSystemType, const QString &device,
                       const QString &label, const QString &mountPoint)
{
    // \\?\Volume{...} names a local Windows volume, not a share.
    const bool localVolume = device.startsWith(QLatin1String("\\\\?\\"));
    const bool shareDevice = device.startsWith(QLatin1String("//"))
        || (device.startsWith(QLatin1String("\\\\")) && !localVolume)
        || (device.contains(QLatin1String(":/")) && !device.startsWith(u'/'));
    if (isNetworkFileSystem(fileSystemType) || shareDevice)
        return lastComponent(device);
    const QString root = QDir::fromNativeSeparators(mountPoint);
    if (root.size() == 3 && root.at(0).isLetter() && root.at(1) == u':' && root.at(2) == u'/')
        return label + QLatin1String(" (") + root.left(2) + u')';
    if (!label.isEmpty())
        return label;
    const QString name = lastComponent(root);
    return name.isEmpty() ? QStringLiteral("/") : name;
}

QString TreeRootText(const QString &directory)
{
    const QString clean = cleanAbsolute(directory);
    DriveInfo drive;
    if (GetDriveInfo(clean, &drive))
        return DriveRootText(drive.type, drive.volumeName, drive.driveLetter, drive.shareName);
    QStorageInfo storage;
    if (isMountPoint(clean, &storage))
        return VolumeRootText(storage.fileSystemType(), QString::fromLocal8Bit(storage.device()),
                              storage.name(), storage.rootPath());
    const QString name = QFileInfo(clean).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(clean) : name;
}

QString ChildKey(const QString &parentKey, const QString &name)
{
    const QChar sep = QDir::separator();
    if (parentKey.endsWith(sep))
        return parentKey + name;
    return parentKey + sep + name;
}

QStringList ListedSubfolders(const QString &directory)
{
    QStringList names;
    ScanSubfolders(directory, [&](QStringView name) {
        names.append(name.toString());
        return true;
    });
    return names;
}

bool HasListedSubfolder(const QString &directory)
{
    bool found = false;
    ScanSubfolders(directory, [&](QStringView) {
        found = true;
        return false;
    });
    return found;
}

struct DirectoryTreeModel::Node {
    QString key;
    QString text;
    bool placeholder = false;
    int row = 0;            // position among its parent's children
    Node *parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
};

DirectoryTreeModel::DirectoryTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
    // The selected folder shows open, as the tree's SelectedImage did.
    m_folderIcon.addFile(QStringLiteral(":/icons/FOLDER_32.svg"), QSize(), QIcon::Normal);
    m_folderIcon.addFile(QStringLiteral(":/icons/OPEN_FOLDER_32.svg"), QSize(), QIcon::Selected);
}

DirectoryTreeModel::~DirectoryTreeModel() = default;

QModelIndex DirectoryTreeModel::setRoot(const QString &key, const QString &text)
{
    beginResetModel();
    m_root = std::make_unique<Node>();
    m_root->key = key;
    m_root->text = text;
    endResetModel();
    const QModelIndex root = rootIndex();
    loadChildren(root);
    return root;
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

QString DirectoryTreeModel::key(const QModelIndex &index) const
{
    const Node *node = nodeOf(index);
    return node && !node->placeholder ? node->key : QString();
}

bool DirectoryTreeModel::isPlaceholder(const QModelIndex &index) const
{
    const Node *node = nodeOf(index);
    return node && node->placeholder;
}

QModelIndex DirectoryTreeModel::indexForKey(const QString &key) const
{
    if (!m_root)
        return QModelIndex();
    std::vector<Node *> pending{m_root.get()};
    while (!pending.empty()) {
        Node *node = pending.back();
        pending.pop_back();
        if (!node->placeholder && node->key == key)
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

void DirectoryTreeModel::loadChildren(const QModelIndex &index)
{
    Node *node = nodeOf(index);
    if (!node || node->placeholder)
        return;
    QStringList names = ListedSubfolders(node->key);
    std::sort(names.begin(), names.end(), lessByName);
    std::vector<std::unique_ptr<Node>> children;
    children.reserve(size_t(names.size()));
    for (const QString &name : names) {
        auto child = std::make_unique<Node>();
        child->key = ChildKey(node->key, name);
        child->text = DisplayFileName(name);
        if (HasListedSubfolder(child->key)) {
            auto dummy = std::make_unique<Node>();
            dummy->text = QStringLiteral("dummy");
            dummy->placeholder = true;
            dummy->parent = child.get();
            child->children.push_back(std::move(dummy));
        }
        children.push_back(std::move(child));
    }
    replaceChildren(index, std::move(children));
}

void DirectoryTreeModel::addPlaceholder(const QModelIndex &index)
{
    Node *node = nodeOf(index);
    if (!node || node->placeholder)
        return;
    std::vector<std::unique_ptr<Node>> children;
    if (HasListedSubfolder(node->key)) {
        auto dummy = std::make_unique<Node>();
        dummy->text = QStringLiteral("dummy");
        dummy->placeholder = true;
        children.push_back(std::move(dummy));
    }
    replaceChildren(index, std::move(children));
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
    case Qt::DecorationRole: return m_folderIcon;
    case KeyRole: return key(index);
    case PlaceholderRole: return node->placeholder;
    default: return QVariant();
    }
}
