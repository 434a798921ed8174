#include "RootFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes its descriptor when it goes.
class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool WriteAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

RootFolder::RootFolder(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return;
    m_fd = ::open(QFile::encodeName(canonical).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd >= 0)
        m_path = canonical;
}

RootFolder::~RootFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RootFolder::isOpen() const
{
    return m_fd >= 0;
}

bool RootFolder::writeFile(const QStringList &names, const QByteArray &bytes, QString *why) const
{
    if (m_fd < 0 || names.isEmpty()) {
        *why = QStringLiteral("no folder to write in");
        return false;
    }
    Fd folder(::dup(m_fd));
    if (folder.get() < 0) {
        *why = SystemError(errno);
        return false;
    }
    for (qsizetype i = 0; i + 1 < names.size(); ++i) {
        const int next = ::openat(folder.get(), QFile::encodeName(names.at(i)).constData(),
                                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            const int error = errno;
            *why = error == ENOENT ? QStringLiteral("folder %1 does not exist").arg(names.at(i))
                   : error == ELOOP || error == ENOTDIR
                       ? QStringLiteral("%1 is a symbolic link or not a folder").arg(names.at(i))
                       : QStringLiteral("%1: %2").arg(names.at(i), SystemError(error));
            return false;
        }
        folder.reset(next);
    }
    const QByteArray name = QFile::encodeName(names.last());
    struct stat existing;
    if (::fstatat(folder.get(), name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(existing.st_mode)) {
            *why = QStringLiteral("path is a symbolic link");
            return false;
        }
        if (!S_ISREG(existing.st_mode)) {
            *why = QStringLiteral("path is not a plain file");
            return false;
        }
    }
    // O_EXCL: a name planted meanwhile, link or not, is never opened. Short,
    // so that a name near the system's length limit can be written too.
    const QByteArray temporary = ".qsd-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    Fd file(::openat(folder.get(), temporary.constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        *why = SystemError(errno);
        return false;
    }
    const bool written = WriteAll(file.get(), bytes);
    const int writeError = written ? 0 : (errno != 0 ? errno : EIO);
    file.reset();
    // rename() replaces a link planted at the name; it never writes through it.
    if (!written || ::renameat(folder.get(), temporary.constData(), folder.get(), name.constData()) != 0) {
        *why = SystemError(written ? errno : writeError);
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return false;
    }
    return true;
}
