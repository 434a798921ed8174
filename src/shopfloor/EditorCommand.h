#pragma once

#include "Platform.h"

#include <QChar>
#include <QDir>
#include <QString>

// The editor's command line for `fullPath`:
//   Edit: "EDITOR" "FILE"
//   View: "EDITOR" "FILE" -o      (the native line ends in " -o ")
// `nativeCommandLine` is that exact text (Windows); elsewhere `program` is the
// editor and `arguments` are the file and, for viewing, "-o".
LaunchCommand EditorCommandLine(const QString &editorPath, const QString &fullPath, bool viewOnly);

// The folder the editor starts in: the file's folder with a trailing separator.
QString EditorWorkingDirectory(const QString &fullPath, QChar separator = QDir::separator());
