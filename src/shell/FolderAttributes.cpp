#include "FolderAttributes.h"

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

FolderAttributes GetFolderAttributes(const QString &path)
{
    const QFileInfo info(withoutTrailingSeparator(path));
    FolderAttributes a;
    a.hidden = info.isHidden() && !info.isRoot();
    a.alias = info.isSymLink() || info.isJunction();
    return a;
}

bool IsRootFolder(const QString &path)
{
    return !path.isEmpty() && QFileInfo(withoutTrailingSeparator(path)).isRoot();
}
