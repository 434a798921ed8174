#pragma once

#include <QByteArray>
#include <QString>

// Reads the plain file at `path` (a link is followed to one), at most
// `maxBytes` of it. Devices, FIFOs, sockets and folders are refused before
// anything is read or waited for, and so is a file that holds more than
// `maxBytes`; *error then names the file and says why.
bool ReadPlainFile(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error);

// Replaces the file at `path` with `bytes`: through a temporary file renamed
// over it, so that it is never seen half written. When the folder may not be
// written but the file may, the file is written in place instead, after a
// safety copy of its old bytes in the temporary folder, which is put back
// if the write fails. *error says why nothing was saved.
bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString *error);
