#pragma once

#include "Verdict.h"

#include <QChar>
#include <QDir>
#include <QString>
#include <QStringList>

// Actions of the station, as CurrentAction holds them.
enum StationAction : int { ActionNone = -1, ActionSend = 0, ActionReceive = 1 };

// The checks Go, Edit and View make before a request or the editor, one
// problem at a time, in three steps so that the window never waits for the
// file system. Each returns the path it reached and its verdict; none shows
// anything: the window shows the one verdict (ShowVerdict).
//
// 1. CheckRequestText, no file system: an empty `fileText` is refused with
//    NoFileSelected (a text of blanks is not empty); without a shown folder
//    (`currentDirectory` empty: the action's root was refused) or with a
//    relative `actionRoot`, a name that is no valid text, a request line
//    (`line`, then the full path) with a control character, or a full path
//    outside `actionRoot` once "." and ".." are resolved, each with its own
//    refusal. Otherwise the full path (see GetSelectedFilePath).
// 2. ProbeRequestFile, on a worker: the file as it exists (a name that exists
//    only in another case is taken as it exists), refused when its symbolic
//    links lead out of `actionRoot`, and whether it is a file.
// 3. ConcludeGo / ConcludeEditor, on the UI thread: sending or editing a file
//    that does not exist is refused with FileNotFound and its full path;
//    receiving over an existing file asks OverwriteFile, a question.
struct RequestCheck {
    QString fullPath; // empty when refused before a path was made
    Verdict verdict;
};
RequestCheck CheckRequestText(const QString &fileText, const QString &currentDirectory,
                              const QString &actionRoot, const QStringList &extensionList,
                              const QString &line, QChar separator = QDir::separator());

struct RequestFile {
    QString fullPath;
    Verdict refusal;
    bool exists = false;
};
RequestFile ProbeRequestFile(const QString &fullPath, const QString &actionRoot,
                             QChar separator = QDir::separator());

RequestCheck ConcludeGo(const RequestFile &file, int currentAction);
RequestCheck ConcludeEditor(const RequestFile &file);

// The request line's start for Go's checks (the remote command and a blank).
QString RequestLineStart(const QString &remoteCommand);

// The three steps at once, for callers that may wait for the file system.
RequestCheck CheckFileForGo(const QString &fileText, const QString &currentDirectory,
                            const QString &actionRoot, const QStringList &extensionList,
                            int currentAction, const QString &remoteCommand,
                            QChar separator = QDir::separator());
RequestCheck CheckFileForEditor(const QString &fileText, const QString &currentDirectory,
                                const QString &actionRoot, const QStringList &extensionList,
                                QChar separator = QDir::separator());
