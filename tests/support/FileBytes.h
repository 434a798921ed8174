#pragma once

// Whole files as bytes, for tests that check exactly what was written.

#include <QDir>
#include <QFile>
#include <QFileInfo>

// "<unreadable>" when it cannot be read, so that no content compares equal.
inline QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Makes the file's folder first.
inline bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
