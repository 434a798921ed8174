#include <QtGlobal>

#ifdef Q_OS_WIN

#include "Platform.h"
#include "SystemApi.h"

#include <QDir>
#include <QRegularExpression>

#include <qt_windows.h>
#include <winnetwk.h>

namespace {

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// 100-ns intervals since 1601 to seconds since 1970.
qint64 toUnixSeconds(const FILETIME &time)
{
    const quint64 ticks = (quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return qint64(ticks / 10000000ULL) - 11644473600LL;
}

} // namespace

quint32 SystemFileAttributes(const QString &path)
{
    return quint32(GetFileAttributesW(nativePath(path).c_str()));
}

bool SystemListDirectory(const QString &directory,
                         const std::function<bool(const DirectoryEntry &)> &visit)
{
    QString pattern = QDir::toNativeSeparators(directory);
    if (!pattern.endsWith(QLatin1Char('\\')))
        pattern += QLatin1Char('\\');
    pattern += QLatin1Char('*');
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW(pattern.toStdWString().c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const QString name = QString::fromWCharArray(data.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        const qint64 size = qint64((quint64(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        const DirectoryEntry entry{name, quint32(data.dwFileAttributes), size,
                                   toUnixSeconds(data.ftLastWriteTime)};
        if (!visit(entry))
            break;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

bool SystemDriveInfo(const QString &path, DriveInfo *info)
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

#endif
