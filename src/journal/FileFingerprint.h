#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <optional>

// What a send's file was when it was sent: its size, modification time and
// the SHA-256 of its bytes. Reads the file: call it off the UI thread.
struct FileFingerprint {
    std::optional<qint64> size;   // the bytes hashed
    QDateTime modified;           // UTC
    QString sha256;               // lower-case hex; empty when the file could not be read
    QString error;
};
Q_DECLARE_METATYPE(FileFingerprint)

FileFingerprint ComputeFileFingerprint(const QString &path);
