#include "Platform.h"
#include "SystemApi.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <qt_windows.h>
#include <winnetwk.h>

namespace {

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace

quint32 GetFileAttributesOf(const QString &path)
{
    return quint32(GetFileAttributesW(nativePath(path).c_str()));
}

bool SystemIsFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

bool SystemIsFolder(const QString &path)
{
    return QFileInfo(path).isDir();
}

bool GetDriveInfo(const QString &path, DriveInfo *info)
{
    static const QRegularExpression driveRoot(QStringLiteral("^([A-Za-z]):\\\\?$"));
    static const QRegularExpression shareRoot(QStringLiteral("^(\\\\\\\\[^\\\\]+\\\\[^\\\\]+)\\\\?$"));
    const QString native = QDir::toNativeSeparators(path);
    DriveInfo found;
    QString root;
    if (const auto m = driveRoot.match(native); m.hasMatch()) {
        found.driveLetter = m.captured(1).toUpper();
        root = found.driveLetter + QStringLiteral(":\\");
    } else if (const auto m = shareRoot.match(native); m.hasMatch()) {
        found.shareName = m.captured(1);
        root = found.shareName + QLatin1Char('\\');
    } else {
        return false;
    }
    const std::wstring wideRoot = root.toStdWString();
    found.type = GetDriveTypeW(wideRoot.c_str());
    wchar_t label[MAX_PATH + 1] = {};
    if (GetVolumeInformationW(wideRoot.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                              nullptr, 0))
        found.volumeName = QString::fromWCharArray(label);
    if (found.shareName.isEmpty() && found.type == DRIVE_REMOTE) {
        const std::wstring local = (found.driveLetter + QLatin1Char(':')).toStdWString();
        wchar_t remote[1024] = {};
        DWORD length = 1024;
        if (WNetGetConnectionW(local.c_str(), remote, &length) == NO_ERROR)
            found.shareName = QString::fromWCharArray(remote);
    }
    *info = found;
    return true;
}
