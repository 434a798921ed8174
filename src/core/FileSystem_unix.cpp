#include "FileNameCodec.h"
#include "Platform.h"
#include "SystemApi.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace {

// stat() on the very bytes: QFileInfo would turn a name that is no valid
// text into other bytes.
bool modeOf(const QString &path, mode_t *mode)
{
    struct stat st;
    if (stat(EncodeFileName(path).constData(), &st) != 0)
        return false;
    *mode = st.st_mode;
    return true;
}

} // namespace

quint32 GetFileAttributesOf(const QString &path)
{
    const QFileInfo info(path);
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

bool GetDriveInfo(const QString &, DriveInfo *)
{
    return false;
}

bool SystemIsFile(const QString &path)
{
    mode_t mode = 0;
    return modeOf(path, &mode) && S_ISREG(mode);
}

bool SystemIsFolder(const QString &path)
{
    mode_t mode = 0;
    return modeOf(path, &mode) && S_ISDIR(mode);
}
