#pragma once

#include <QChar>
#include <QDateTime>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

#include <vector>

// Station keys.
QString GetPCName();
QString GetSessionUserName();

// True when a file (not a folder) exists at `path`; false for the empty string.
bool FileExists(const QString &path);
// Appends a separator when missing, then tests for a folder there; so the
// empty string tests the root.
bool FolderExists(const QString &path, QChar separator = QDir::separator());

// Windows file attribute bits. Elsewhere the same bits stand for what the
// system has: hidden = the name starts with ".", reparse point = a symbolic
// link, never system.
enum FileAttributeBits : quint32 {
    FileAttributeHidden = 0x2,
    FileAttributeSystem = 0x4,
    FileAttributeDirectory = 0x10,
    FileAttributeReparsePoint = 0x400,
};
constexpr quint32 InvalidFileAttributes = 0xFFFFFFFF;
quint32 GetFileAttributesOf(const QString &path);

// A Windows drive root (X:\ or \\server\share\) as the system reports it: the
// drive type as GetDriveType numbers it (2 removable, 3 fixed, 4 network,
// 5 CD, 6 RAM disk), the volume label, the drive letter ("" for a share) and
// the share (\\server\share, "" for a local drive).
struct DriveInfo {
    unsigned type = 0;
    QString volumeName;
    QString driveLetter;
    QString shareName;
};
// False for any other path, and always outside Windows, where mount points
// take the place of drives.
bool GetDriveInfo(const QString &path, DriveInfo *info);

// Path splitting: searches from the end, compares exactly, never normalises.
// The separator defaults to the platform's; tests pass '\\' to check the
// Windows rules on any platform.
QString GetFileExtension(const QString &path, bool withDot);
QString GetParentFolder(const QString &path, bool withSeparator,
                        QChar separator = QDir::separator());
QString GetFolderPart(const QString &path, QChar separator = QDir::separator());

// A program to start: on Windows `nativeCommandLine` is handed to the system
// exactly; elsewhere `program` with `arguments` as separate words.
struct LaunchCommand {
    QString program;
    QStringList arguments;
    QString nativeCommandLine;
};
// Starts without waiting, with `directory` as working directory. Failures are
// silent for the operator; the result is for tests.
bool LaunchProgram(const LaunchCommand &command, const QString &directory);
// `line` as a NUL-terminated wide-character buffer that the system may write
// into, as CreateProcessW does with its command line.
std::vector<wchar_t> WritableCommandLine(const QString &line);

// Local date and time to the whole second; 1 January 1970 00:00:00 on failure.
QDateTime SystemTimeToDate(int year, int month, int day, int hour, int minute, int second);
QDateTime FileTimeToLocalDate(const QDateTime &fileTimeUtc);
