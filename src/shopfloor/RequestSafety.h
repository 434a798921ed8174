#pragma once

#include <QChar>
#include <QDir>
#include <QString>

// Guards for what a request names: a line-based DNC server takes a line
// feed for the end of a request, and a typing slip with ".." must not reach
// another machine's programs.

// True when `text` holds a character below 32 (CR, LF, NUL, TAB and the rest).
bool HasControlCharacter(const QString &text);

// `text` with each such character made visible: <CR>, <LF>, <NUL>, <TAB> or
// <0x1B> and the like.
QString ShowControlCharacters(const QString &text);

// True when `fullPath`, with "." and ".." resolved by name, names something
// below `root` (not `root` itself). With '\\' as separator '/' separates too
// and names compare without regard to case, as Windows does.
bool LiesInside(const QString &fullPath, const QString &root, QChar separator = QDir::separator());

// The texts of the refusals, for ShowMessage.
QString ControlCharacterErrorText(const QString &text);
QString OutsideFolderErrorText(const QString &fullPath, const QString &root);
// For a name that is no valid text (see FileNameCodec.h): it cannot be
// written on the request line, nor handed to the editor, without becoming
// another name.
QString InvalidNameErrorText(const QString &fullPath);
