#include "EditorFiles.h"

#include <QFile>
#include <QFileInfo>

bool ReadPlainFile(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("The file %1 does not exist.").arg(path);
        return false;
    }
    if (!info.isFile()) {
        *error = QStringLiteral("%1 is not a plain file; only plain files can be opened.").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("The file %1 cannot be opened: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray read = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    if (read.size() > maxBytes) {
        *error = QStringLiteral("%1 is larger than %2 MB, more than this editor opens.")
                     .arg(path)
                     .arg(maxBytes / (1024 * 1024));
        return false;
    }
    *bytes = read;
    return true;
}
