#pragma once

#include <QChar>
#include <QDir>
#include <QString>
#include <QStringList>

// The full path of the file named by `fileText` (the text of txtFile, taken
// as typed, blanks included):
// - a name whose extension (from the last ".") is not in `extensionList`, or
//   a name without "." when the list lacks ".", gets the list's first entry
//   appended; an empty list never changes the name;
// - a text that begins with `currentDirectory` (ignoring case) is returned as
//   it is, any other text gets `currentDirectory` in front.
// `extensionList` holds entries like ".NC" and "." (no extension), compared
// without regard to case. `currentDirectory` ends in `separator`; when it
// does not, one is added so that a sibling folder never passes as a prefix.
// An empty `currentDirectory` leaves the text without a directory.
QString GetSelectedFilePath(const QString &fileText, const QString &currentDirectory,
                            const QStringList &extensionList,
                            QChar separator = QDir::separator());
