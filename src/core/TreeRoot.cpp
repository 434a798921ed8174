#include "TreeRoot.h"

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

} // namespace

MessageId CheckTreeRoot(const QString &directory)
{
    // An empty directory would name the file-system root and a relative one
    // the station's working folder; neither was meant.
    if (!IsAbsoluteFolder(directory) || !FolderExists(directory))
        return MessageId::RootNotFound;
    const QString clean = cleanAbsolute(directory);
    DriveInfo drive;
    if (GetDriveInfo(clean, &drive) || isMountPoint(clean, nullptr))
        return MessageId::None;
    return RootRefusalMessage(GetFileAttributesOf(clean));
}

MessageId AttributeRefusal(quint32 attributes, MessageId firstMessage)
{
    if (attributes == InvalidFileAttributes)
        return MessageId::None;
    if (attributes & FileAttributeHidden)
        return firstMessage;
    if (attributes & FileAttributeSystem)
        return firstMessage + 1;
    if (attributes & FileAttributeReparsePoint)
        return firstMessage + 2;
    return MessageId::None;
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
