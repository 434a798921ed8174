#include "Platform.h"

#include "SystemApi.h"

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return SystemIsFile(path);
}

bool FolderExists(const QString &path, QChar separator)
{
    QString folder = path;
    if (!folder.endsWith(separator))
        folder += separator;
    return SystemIsFolder(folder);
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
