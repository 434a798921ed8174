// readdir and fstatat: the kind of most entries comes with the name, and
// nothing is read for a name the caller does not want.

#include "DirectoryScan.h"

#include "FileNameCodec.h"

#include <cstring>
#include <memory>

#include <dirent.h>
#include <sys/stat.h>

namespace {

// Entry names as UTF-16 without a heap allocation for the usual ASCII name.
class NameDecoder
{
public:
    QStringView decode(const char *name, size_t length)
    {
        if (length <= sizeof m_buffer / sizeof m_buffer[0]) {
            size_t i = 0;
            for (; i < length; ++i) {
                const unsigned char c = static_cast<unsigned char>(name[i]);
                if (c >= 0x80)
                    break;
                m_buffer[i] = char16_t(c);
            }
            if (i == length)
                return QStringView(m_buffer, qsizetype(length));
        }
        // Names that are no valid text keep their bytes (see FileNameCodec.h).
        m_wide = DecodeFileName(QByteArrayView(name, qsizetype(length)));
        return m_wide;
    }

private:
    char16_t m_buffer[512];
    QString m_wide;
};

struct DirCloser {
    void operator()(DIR *d) const { closedir(d); }
};

bool isDirectory(int dirFd, const dirent *entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    struct stat st;
    return fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// Calls `each(fd, entry)` for every entry of `directory` whose name does not
// start with "." until it returns false; false when the folder cannot be opened.
template <class Each>
bool ForEachEntry(const QString &directory, Each each)
{
    const QByteArray path = EncodeFileName(directory);
    std::unique_ptr<DIR, DirCloser> dir(opendir(path.constData()));
    if (!dir)
        return false;
    const int fd = dirfd(dir.get());
    while (const dirent *entry = readdir(dir.get())) {
        if (entry->d_name[0] != '.' && !each(fd, entry))
            break;
    }
    return true;
}

} // namespace

bool ScanPlainFiles(const QString &directory,
                    const std::function<bool(QStringView name)> &wanted,
                    const std::function<void(QStringView name, qint64 size, qint64 mtime)> &add)
{
    NameDecoder decoder;
    return ForEachEntry(directory, [&](int fd, const dirent *entry) {
        const char *name = entry->d_name;
        if (entry->d_type == DT_DIR)
            return true;
        const QStringView wide = decoder.decode(name, std::strlen(name));
        if (!wanted(wide))
            return true;
        struct stat st;
        if (fstatat(fd, name, &st, 0) == 0 && S_ISREG(st.st_mode))
            add(wide, qint64(st.st_size), qint64(st.st_mtim.tv_sec));
        return true;
    });
}

bool ScanSubfolders(const QString &directory, const std::function<bool(QStringView name)> &visit)
{
    NameDecoder decoder;
    return ForEachEntry(directory, [&](int fd, const dirent *entry) {
        const char *name = entry->d_name;
        return !isDirectory(fd, entry) || visit(decoder.decode(name, std::strlen(name)));
    });
}
