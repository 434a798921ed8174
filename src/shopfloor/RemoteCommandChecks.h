#pragma once

#include <QChar>
#include <QDir>
#include <QString>
#include <QStringList>

// Actions of the station, as CurrentAction holds them.
enum StationAction : int { ActionNone = -1, ActionSend = 0, ActionReceive = 1 };

// The checks Go makes before it connects, one problem at a time:
// - an empty `fileText` shows message 177 (a text of blanks is not empty);
// - without a shown folder (`currentDirectory` empty: the action's root was
//   refused) or with a relative `actionRoot` the request is refused;
// - a request line (`remoteCommand`, a blank, the full path) with a control
//   character, or a full path outside `actionRoot` once "." and ".." are
//   resolved, or once its symbolic links are, is refused with its own message;
// - sending a file that does not exist shows 171 with its full path;
// - receiving over an existing file asks 178 (Yes/No); No stops.
// Returns the full path to request (see GetSelectedFilePath; a name that
// exists only in another case is taken as it exists), or an empty
// string when the request must not go on; the message has then been shown
// and the caller puts the focus back on txtFile.
QString CheckFileForGo(const QString &fileText, const QString &currentDirectory,
                       const QString &actionRoot, const QStringList &extensionList,
                       int currentAction, const QString &remoteCommand,
                       QChar separator = QDir::separator());

// The same for Edit and View: 177 for an empty name, the same refusals for a
// control character or a path outside `actionRoot`, 171 when the file does not
// exist (they never create one). Returns the full path or an empty string.
QString CheckFileForEditor(const QString &fileText, const QString &currentDirectory,
                           const QString &actionRoot, const QStringList &extensionList,
                           QChar separator = QDir::separator());
