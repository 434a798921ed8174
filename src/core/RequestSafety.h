#pragma once

#include "Verdict.h"

#include <QChar>
#include <QDir>
#include <QString>

// Guards for what a request names: a line-based DNC server takes a line
// feed for the end of a request, and a typing slip with ".." must not reach
// another machine's programs.

// True when `text` holds a character of the classes qspindrel-config escapes:
// controls (C0 with CR, LF, NUL and TAB, DEL, C1 with NEL), format
// characters, the line and paragraph separators U+2028/U+2029 and unpaired
// surrogates. A server that splits lines the Unicode way would read two
// requests; none of them belongs in a file name.
bool HasControlCharacter(const QString &text);
// Those classes: neither a request line carries them nor a listing prints them raw.
bool IsRefusedCategory(QChar::Category category);

// `text` with each such character made visible: <CR>, <LF>, <NUL>, <TAB>,
// <0x1B>, <0x85> or <U+2028> and the like.
QString ShowControlCharacters(const QString &text);

// True when `path` names the same place whatever the current folder is: with
// '/' as separator it begins with "/"; with '\\' it begins with a drive and
// its separator (X:\) or names a share (\\server\..., //server/...). Only such
// a folder can be an action's root.
bool IsAbsoluteFolder(const QString &path, QChar separator = QDir::separator());

// True when `fullPath`, with "." and ".." resolved by name, names something
// below `root` (not `root` itself). An empty or relative `root` holds
// nothing. With '\\' as separator '/' separates too, names compare without
// regard to case, as Windows does, and X:, X:\ and \\server start paths of
// their own, never inside a root of another start.
bool LiesInside(const QString &fullPath, const QString &root, QChar separator = QDir::separator());

// True when `fullPath`, with every symbolic link (or junction) on it
// resolved, still lies below `root` resolved the same way. A name that does
// not exist yet is judged by its deepest existing folder; a link that leads
// nowhere is refused, since the server would write where it points. Asks
// the file system (safe on any thread).
bool ResolvesInside(const QString &fullPath, const QString &root);

// The refusals.
Verdict ControlCharacterRefusal(const QString &text);
Verdict OutsideFolderRefusal(const QString &fullPath, const QString &root);
// No folder of the action is shown (its root was refused or is not set):
// no name can be made into a path.
Verdict NoActionFolderRefusal(const QString &root);
// For a name that is no valid text (see FileNameCodec.h): it cannot be
// written on the request line, nor handed to the editor, without becoming
// another name.
Verdict InvalidNameRefusal(const QString &fullPath);
