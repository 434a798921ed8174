#include "FolderAttributes.h"

#include "Platform.h"
#include "TreeRoot.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString withoutTrailingSeparator(const QString &path)
{
    QString p = QDir::fromNativeSeparators(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')) && !QFileInfo(p).isRoot())
        p.chop(1);
    return p;
}

} // namespace

quint32 GetFolderAttributes(const QString &path)
{
    const quint32 bits = GetFileAttributesOf(QDir::toNativeSeparators(withoutTrailingSeparator(path)));
    return bits == InvalidFileAttributes ? 0 : bits;
}

bool IsRootFolder(const QString &path)
{
    return !path.isEmpty() && QFileInfo(withoutTrailingSeparator(path)).isRoot();
}

MessageId OptionsFolderMessage(const QString &folder)
{
    if (!FolderExists(folder))
        return MessageId::DirectoryNotFound;
    if (IsRootFolder(folder))
        return MessageId::None;
    return AttributeRefusal(GetFolderAttributes(folder), MessageId::FolderHidden);
}
