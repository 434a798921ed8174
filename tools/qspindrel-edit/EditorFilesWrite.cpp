#include "EditorFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// Writes all of `bytes` to the open, emptied `file`, its buffer included.
bool WriteThrough(QFile &file, const QByteArray &bytes)
{
    return file.write(bytes) == bytes.size() && file.flush();
}

bool CopyBytes(const QString &from, QFile &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            return to.flush();
        if (to.write(buffer, n) != n)
            return false;
    }
}

// The folder refuses new files; the file itself takes the new bytes, with
// a copy of the old ones kept aside until they are known written.
bool WriteInPlace(const QString &path, const QByteArray &bytes, const SaveOptions &options, QString *error)
{
    const QString folder = options.safetyFolder;
    QTemporaryFile copy(QDir(folder).filePath(QFileInfo(path).fileName() + QStringLiteral(".XXXXXX")));
    copy.setAutoRemove(false);
    if (!QDir().mkpath(folder) || !copy.open() || !CopyBytes(path, copy) || !options.syncAndClose(copy)) {
        copy.remove();
        *error = QStringLiteral("The file %1 cannot be saved: its folder may not be written, and no "
                                "safety copy of the file could be made in %2 before writing it in place.")
                     .arg(path, QDir::toNativeSeparators(folder));
        return false;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly)
        && WriteThrough(file, bytes) && options.syncAndClose(file)) {
        copy.remove();
        return true;
    }
    const QString why = file.errorString();
    file.close();
    QFile restore(path);
    const bool restored = restore.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly)
                          && CopyBytes(copy.fileName(), restore) && options.syncAndClose(restore);
    const QString kept = QDir::toNativeSeparators(copy.fileName());
    if (restored)
        *error = QStringLiteral("The file %1 cannot be saved (%2); it was left as it was. A copy of its "
                                "old content is kept in %3.").arg(path, why, kept);
    else
        *error = QStringLiteral("The file %1 cannot be saved (%2) and may be damaged; its old content "
                                "is kept in %3.").arg(path, why, kept);
    return false;
}

} // namespace

bool SyncAndClose(QFile &file)
{
    const bool synced = file.flush() && SyncToDisk(file);
    file.close();  // keeps the flush's error, or takes the close's own
    return synced && file.error() == QFileDevice::NoError;
}

QString DefaultSafetyFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/qspindrel-edit/safety-copies");
}

bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString *error, const SaveOptions &options)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        if (file.write(bytes) == bytes.size() && file.commit())
            return true;
        *error = QStringLiteral("The file %1 cannot be saved: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    const QFileInfo info(path);
    const bool folderWritable = QFileInfo(info.absolutePath()).isWritable();
    if (!folderWritable && info.isWritable())
        return WriteInPlace(path, bytes, options, error);
    if (!info.isWritable())
        *error = QStringLiteral("The file %1 cannot be saved: it may not be written (it is read-only, "
                                "or belongs to someone else).").arg(path);
    else
        *error = QStringLiteral("The file %1 cannot be saved: %2").arg(path, file.errorString());
    return false;
}
