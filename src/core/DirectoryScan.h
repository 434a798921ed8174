#pragma once

#include <QString>
#include <QStringView>
#include <functional>

// Directory enumeration for the tree and the file list, close to the system
// calls: no QFileInfo per entry. Hidden entries (on Linux: names starting with
// ".") and system entries are skipped; entries that vanish or cannot be read
// are skipped too. The name passed to a callback is valid during the call.

// Whether an entry with these attribute bits (Platform.h) is listed: a folder
// in the tree, a plain file in the file list; hidden and system ones never.
bool ShowsAsFolder(quint32 attributes);
bool ShowsAsFile(quint32 attributes);

// Plain files of `directory`. `wanted` decides on the name alone, before the
// entry's size and time are read; `add` receives the accepted ones with their
// size in bytes and last-write time in seconds since the epoch (UTC).
// Returns false when the directory cannot be opened.
bool ScanPlainFiles(const QString &directory,
                    const std::function<bool(QStringView name)> &wanted,
                    const std::function<void(QStringView name, qint64 size, qint64 mtime)> &add);

// Subfolders of `directory` (symbolic links to folders included). `visit`
// returns false to stop early. Returns false when the directory cannot be opened.
bool ScanSubfolders(const QString &directory, const std::function<bool(QStringView name)> &visit);
