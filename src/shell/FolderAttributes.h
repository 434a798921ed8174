#pragma once

#include <QString>

// The attributes of a folder that decide whether operators can use it. On
// Windows the file attributes; elsewhere hidden means a name starting with
// ".", system never holds, and alias means a symbolic link (or junction).
struct FolderAttributes {
    bool hidden = false;
    bool system = false;
    bool alias = false;
};

// Of the folder `path` itself (a trailing separator is ignored).
FolderAttributes GetFolderAttributes(const QString &path);
// True for a file system's or drive's root ("/", "C:\").
bool IsRootFolder(const QString &path);
