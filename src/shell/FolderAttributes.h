#pragma once

#include <QString>

// The attribute bits (FileAttributeBits of Platform.h) of the folder `path`
// itself: a trailing separator is ignored, so "D:\PROGS\" is the folder, not
// its contents. 0 when there is no such folder.
quint32 GetFolderAttributes(const QString &path);
// True for a file system's or drive's root ("/", "C:\").
bool IsRootFolder(const QString &path);
