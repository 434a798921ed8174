#include "EditorFiles.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe (FIFO)");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a plain file");
}

QString NotPlain(const QString &path, mode_t mode)
{
    return QStringLiteral("%1 is %2, not a plain file; only plain files can be opened.")
        .arg(path, KindOf(mode));
}

QString TooLarge(const QString &path, qint64 maxBytes)
{
    return QStringLiteral("%1 is larger than %2 MB, more than this editor opens.")
        .arg(path)
        .arg(maxBytes / (1024 * 1024));
}

} // namespace

bool ReadPlainFile(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0) {
        *error = errno == ENOENT ? QStringLiteral("The file %1 does not exist.").arg(path)
                                 : QStringLiteral("The file %1 cannot be opened: %2")
                                       .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = NotPlain(path, info.st_mode);
        return false;
    }
    // O_NONBLOCK: should the name be swapped for a FIFO meanwhile, open does
    // not wait for a writer; fstat below then refuses it.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *error = QStringLiteral("The file %1 cannot be opened: %2")
                     .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    bool ok = false;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = NotPlain(path, info.st_mode);
    } else if (info.st_size > maxBytes) {
        *error = TooLarge(path, maxBytes);
    } else {
        // The size is only a hint (a file may grow, /proc reports 0): the
        // read itself stops one byte past the limit.
        QByteArray read(qsizetype(info.st_size) + 1, Qt::Uninitialized);
        qsizetype done = 0;
        ok = true;
        for (;;) {
            if (done == read.size()) {
                if (done > maxBytes)
                    break;
                read.resize(qMin<qint64>(qMax<qsizetype>(2 * done, 4096), maxBytes + 1));
            }
            const ssize_t n = ::read(fd, read.data() + done, size_t(read.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                *error = QStringLiteral("The file %1 cannot be read: %2")
                             .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
                ok = false;
                break;
            }
            if (n == 0)
                break;
            done += n;
        }
        if (ok && done > maxBytes) {
            *error = TooLarge(path, maxBytes);
            ok = false;
        }
        if (ok) {
            read.truncate(done);
            *bytes = std::move(read);
        }
    }
    ::close(fd);
    return ok;
}
