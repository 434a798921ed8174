#include "RootFolder.h"

// Walking a folder by descriptors needs openat(); without it nothing is written.
RootFolder::RootFolder(const QString &) {}
RootFolder::~RootFolder() = default;
bool RootFolder::isOpen() const { return false; }
bool RootFolder::writeFile(const QStringList &, const QByteArray &, QString *why) const
{
    *why = QStringLiteral("not supported on this system");
    return false;
}
