#pragma once

#include <QString>

// The attribute bits (FileAttributeBits of Platform.h) of the folder `path`
// itself: a trailing separator is ignored, so "D:\PROGS\" is the folder, not
// its contents. 0 when there is no such folder.
quint32 GetFolderAttributes(const QString &path);
// True for a file system's or drive's root ("/", "C:\").
bool IsRootFolder(const QString &path);

// The wizard's verdict on a send or receive folder: 153 when there is no such
// folder, 194/195/196 for a hidden, system or alias one (a drive or file
// system root never), else 0. Reads the file system: call it on a worker.
int OptionsFolderMessage(const QString &folder);
