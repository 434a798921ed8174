#include <QtGlobal>

#ifndef Q_OS_WIN

#include "Platform.h"
#include "SystemApi.h"

#include <QDirIterator>
#include <QFileInfo>

namespace {

quint32 attributesOf(const QFileInfo &info)
{
    if (!info.exists() && !info.isSymLink())
        return InvalidFileAttributes;
    quint32 bits = 0;
    if (info.fileName().startsWith(QLatin1Char('.')))
        bits |= FileAttributeHidden;
    if (info.isDir())
        bits |= FileAttributeDirectory;
    if (info.isSymLink())
        bits |= FileAttributeReparsePoint;
    return bits;
}

} // namespace

quint32 SystemFileAttributes(const QString &path)
{
    return attributesOf(QFileInfo(path));
}

bool SystemListDirectory(const QString &directory,
                         const std::function<bool(const DirectoryEntry &)> &visit)
{
    if (!QFileInfo(directory).isDir())
        return false;
    QDirIterator it(directory, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        const DirectoryEntry entry{name, attributesOf(info), info.size(),
                                   info.lastModified().toSecsSinceEpoch()};
        if (entry.attributes != InvalidFileAttributes && !visit(entry))
            break;
    }
    return true;
}

bool SystemDriveInfo(const QString &, DriveInfo *)
{
    return false;
}

#endif
