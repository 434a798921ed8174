#pragma once

// The operating-system calls behind the shell's plain functions. One file per
// platform implements them (SystemApi_win.cpp, SystemApi_unix.cpp), so no other
// file needs to know which system it runs on.

#include <QString>

#include <functional>

class QProcess;
struct LaunchCommand;
struct DirectoryEntry;
struct DriveInfo;

QString SystemComputerName();
QString SystemSessionUserName();

// Program, arguments and command line of `command` onto `process`.
void SystemPrepareLaunch(QProcess &process, const LaunchCommand &command);

// The file-system facts behind GetFileAttributesOf, ListDirectoryEntries and
// GetDriveInfo (Platform.h).
quint32 SystemFileAttributes(const QString &path);
bool SystemListDirectory(const QString &directory,
                         const std::function<bool(const DirectoryEntry &)> &visit);
bool SystemDriveInfo(const QString &path, DriveInfo *info);

// Locale identifier (Windows LCID) of the user interface, and the ANSI code
// page of a locale identifier; 0 when unknown.
int SystemLocaleId();
int SystemAnsiCodePage(int lcid);

// Where this user session's running instance listens, and its lock file.
QString SystemInstanceServerName();
QString SystemInstanceLockPath();

// Lets the running instance take the foreground (Windows keeps it from a
// process that was not started by the user).
void SystemAllowForegroundActivation();

// Opens a compiled help file at a context number; false when there is no
// such viewer on this system or it refused.
bool SystemShowCompiledHelp(const QString &helpFilePath, int contextNumber);
