#pragma once

#include "MessageId.h"

#include <QString>

// The attribute bits (FileAttributeBits of Platform.h) of the folder `path`
// itself: a trailing separator is ignored, so "D:\PROGS\" is the folder, not
// its contents. 0 when there is no such folder.
quint32 GetFolderAttributes(const QString &path);
// True for a file system's or drive's root ("/", "C:\").
bool IsRootFolder(const QString &path);

// The wizard's verdict on a send or receive folder: DirectoryNotFound when
// there is no such folder, FolderHidden/System/Alias for a hidden, system or
// alias one (a drive or file system root never), else None. Reads the file
// system: call it on a worker.
MessageId OptionsFolderMessage(const QString &folder);
