#pragma once

// The operating-system parts of the plain functions in Platform.h and of the
// shell. SystemApi_*.cpp and FileSystem_*.cpp implement them per platform
// (with those of Platform.h that are system calls and nothing else), so no
// other file needs to know which system it runs on.

#include <QString>

class QProcess;
struct LaunchCommand;

// Program, arguments and command line of `command` onto `process`.
void SystemPrepareLaunch(QProcess &process, const LaunchCommand &command);

// Whether a plain file, or a folder, is at `path` (links followed), behind
// FileExists and FolderExists.
bool SystemIsFile(const QString &path);
bool SystemIsFolder(const QString &path);

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
