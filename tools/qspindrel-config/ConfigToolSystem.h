#pragma once

// What qspindrel-config does differently per system: ConfigToolSystem_unix.cpp
// and ConfigToolSystem_win.cpp.

#include <QString>

class QProcess;
class QTemporaryFile;

// Before `process` starts: a group of its own, so that KillWithChildren
// reaches whatever it starts too, and at most `maxMemoryBytes` of address
// space (0: no bound), where the system can bound them.
void ConfineChild(QProcess &process, qint64 maxMemoryBytes);
void KillWithChildren(QProcess &process);

// Gives a file made by QTemporaryFile (only its owner may read it) the
// permissions of any new file, through its open handle.
void UseDefaultPermissions(const QTemporaryFile &file);

// The file name of the program `name` on this system.
QString ProgramFileName(const QString &name);

// Says why the machine-wide editor path could not be written and how an
// administrator sets it.
QString EditorPathNote(const QString &company, const QString &editorPath);
