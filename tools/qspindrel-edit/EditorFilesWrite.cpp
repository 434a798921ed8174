#include "EditorFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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
// a copy of the old ones kept aside until they are safely replaced.
bool WriteInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    QTemporaryFile copy(QDir::temp().filePath(QStringLiteral("qspindrel-edit-XXXXXX-")
                                              + QFileInfo(path).fileName()));
    copy.setAutoRemove(false);
    if (!copy.open() || !CopyBytes(path, copy)) {
        copy.remove();
        *error = QStringLiteral("The file %1 cannot be saved: its folder may not be written, and no "
                                "safety copy of the file could be made in %2 before writing it in place.")
                     .arg(path, QDir::tempPath());
        return false;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly)
        && WriteThrough(file, bytes)) {
        file.close();
        copy.remove();
        return true;
    }
    const QString why = file.errorString();
    file.close();
    QFile restore(path);
    if (restore.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly)
        && CopyBytes(copy.fileName(), restore)) {
        copy.remove();
        *error = QStringLiteral("The file %1 cannot be saved (%2); it was left as it was.").arg(path, why);
    } else {
        *error = QStringLiteral("The file %1 cannot be saved (%2) and may be damaged; its old content "
                                "is in %3.").arg(path, why, copy.fileName());
    }
    return false;
}

} // namespace

bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString *error)
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
        return WriteInPlace(path, bytes, error);
    if (!info.isWritable())
        *error = QStringLiteral("The file %1 cannot be saved: it may not be written (it is read-only, "
                                "or belongs to someone else).").arg(path);
    else
        *error = QStringLiteral("The file %1 cannot be saved: %2").arg(path, file.errorString());
    return false;
}
