#pragma once

#include <QChar>
#include <QDateTime>
#include <QDir>
#include <QString>
#include <QStringList>

class QWidget;

// Station keys.
QString GetPCName();
QString GetSessionUserName();

// True when a file (not a folder) exists at `path`; false for the empty string.
bool FileExists(const QString &path);
// Appends a separator when missing, then tests for a folder there; so the
// empty string tests the root.
bool FolderExists(const QString &path, QChar separator = QDir::separator());

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

// Folder picker: only existing folders can be chosen; a typed folder that does
// not exist shows message 154 and keeps the dialog open. Empty on cancel.
QString BrowseForFolder(QWidget *owner, const QString &initialDirectory);

// Local date and time to the whole second; 1 January 1970 00:00:00 on failure.
QDateTime SystemTimeToDate(int year, int month, int day, int hour, int minute, int second);
QDateTime FileTimeToLocalDate(const QDateTime &fileTimeUtc);
