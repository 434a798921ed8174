#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

bool PermissionsBind()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    if (!QFile::setPermissions(path, QFileDevice::WriteOwner))
        return false;
    const bool refused = !file.open(QIODevice::ReadOnly);
    file.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return refused;
}
