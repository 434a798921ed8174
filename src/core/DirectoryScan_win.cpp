#include "DirectoryScan.h"

#include "Platform.h"

#include <QDir>

#include <qt_windows.h>

namespace {

// One entry as FindFirstFileEx reports it: attribute bits (Platform.h), size
// in bytes, last-write time in seconds since the epoch (UTC).
struct DirectoryEntry {
    QStringView name;
    quint32 attributes;
    qint64 size;
    qint64 mtime;
};

// 100-ns intervals since 1601 to seconds since 1970.
qint64 toUnixSeconds(const FILETIME &time)
{
    const quint64 ticks = (quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return qint64(ticks / 10000000ULL) - 11644473600LL;
}

// Every entry but "." and "..", in the order the system returns them; `visit`
// returns false to stop. False when the directory cannot be read.
bool listDirectory(const QString &directory, const std::function<bool(const DirectoryEntry &)> &visit)
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

} // namespace

bool ScanPlainFiles(const QString &directory,
                    const std::function<bool(QStringView name)> &wanted,
                    const std::function<void(QStringView name, qint64 size, qint64 mtime)> &add)
{
    return listDirectory(directory, [&](const DirectoryEntry &entry) {
        if (ShowsAsFile(entry.attributes) && wanted(entry.name))
            add(entry.name, entry.size, entry.mtime);
        return true;
    });
}

bool ScanSubfolders(const QString &directory, const std::function<bool(QStringView name)> &visit)
{
    return listDirectory(directory, [&](const DirectoryEntry &entry) {
        return !ShowsAsFolder(entry.attributes) || visit(entry.name);
    });
}
