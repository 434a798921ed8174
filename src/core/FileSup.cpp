#include "Platform.h"

#include "FileNameCodec.h"

#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

// QFileInfo would turn a name that is no valid text into other bytes.
bool IsKind(const QString &path, bool folder)
{
#ifndef Q_OS_WIN
    if (HasRawFileNameBytes(path)) {
        struct stat st;
        return stat(EncodeFileName(path).constData(), &st) == 0
            && (folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode));
    }
#endif
    const QFileInfo info(path);
    return folder ? info.isDir() : info.isFile();
}

} // namespace

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return IsKind(path, false);
}

bool FolderExists(const QString &path, QChar separator)
{
    QString folder = path;
    if (!folder.endsWith(separator))
        folder += separator;
    return IsKind(folder, true);
}

QString GetFileExtension(const QString &path, bool withDot)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot >= 0 ? path.mid(dot + 1) : QString();
    return withDot ? QLatin1Char('.') + extension : extension;
}

QString GetParentFolder(const QString &path, bool withSeparator, QChar separator)
{
    const int last = path.lastIndexOf(separator);
    const QString parent = last >= 0 ? path.left(last) : QString();
    return withSeparator ? parent + separator : parent;
}

QString GetFolderPart(const QString &path, QChar separator)
{
    const int last = path.lastIndexOf(separator);
    return last >= 0 ? path.left(last + 1) : QString();
}
