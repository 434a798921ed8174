#pragma once

#include "MessageId.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Why a directory cannot be the tree's root: the message to show (with %1 =
// the directory, %2 = the application title), or None when it can.
// Checked in this order: empty, relative or missing (RootNotFound); a drive
// root or mount point is always accepted; then the attributes
// (RootRefusalMessage).
MessageId CheckTreeRoot(const QString &directory);
// The refusal by attribute bits (Platform.h), first set first: hidden
// `firstMessage`, system the next, alias (reparse point) the one after; None
// when none is set or the bits are unknown. The tree's root counts from
// RootHidden, the wizard's folders from FolderHidden.
MessageId AttributeRefusal(quint32 attributes, MessageId firstMessage);
inline MessageId RootRefusalMessage(quint32 attributes)
{
    return AttributeRefusal(attributes, MessageId::RootHidden);
}

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
