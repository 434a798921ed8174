#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

// Reads the plain file at `path` (a link is followed to one), at most
// `maxBytes` of it. Devices, FIFOs, sockets and folders are refused before
// anything is read or waited for, and so is a file that holds more than
// `maxBytes`; *error then names the file and says why.
bool ReadPlainFile(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error);

// Flushes `file`, has the system put it on its disk and closes it; false
// when any step fails (a full or over-quota share often says so only here).
bool SyncAndClose(QFile &file);
// The system part of SyncAndClose (EditorSystem_*.cpp).
bool SyncToDisk(QFile &file);

// A lasting folder of the user's for the safety copies of in-place saves.
QString DefaultSafetyFolder();

struct SaveOptions {
    QString safetyFolder = DefaultSafetyFolder();
    std::function<bool(QFile &)> syncAndClose = SyncAndClose;
};

// Replaces the file at `path` with `bytes`: through a temporary file renamed
// over it, so that it is never seen half written. When the folder may not be
// written but the file may, the file is written in place instead, after a
// safety copy of its old bytes in the safety folder, which is removed only
// once the new bytes are known written; on any failure the old bytes are put
// back where possible and *error says where the copy is.
bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString *error,
                     const SaveOptions &options = {});
