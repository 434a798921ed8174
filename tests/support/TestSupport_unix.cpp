#include "TestSupport.h"

#include <QFile>
#include <QProcess>

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <csignal>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

void EndWithThisProcess(QProcess &process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

bool SystemHasFifos()
{
    return true;
}

bool SystemHasSymbolicLinks()
{
    return true;
}

bool MakeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

bool MakeHardLink(const QString &existing, const QString &link)
{
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(link).constData()) == 0;
}

bool MakeSymbolicLink(const QString &target, const QString &link)
{
    return QFile::link(target, link);
}

bool MakeHidden(const QString &path)
{
    return QFile::exists(path);
}

namespace {

sockaddr_in loopback(quint16 port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    return addr;
}

} // namespace

RawSocket RawListen(int backlog, quint16 *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return NoRawSocket;
    sockaddr_in addr = loopback(0);
    auto *sa = reinterpret_cast<sockaddr *>(&addr);
    socklen_t len = sizeof addr;
    if (::bind(fd, sa, len) != 0 || ::listen(fd, backlog) != 0 || ::getsockname(fd, sa, &len) != 0) {
        ::close(fd);
        return NoRawSocket;
    }
    *port = ntohs(addr.sin_port);
    return fd;
}

RawSocket RawConnectPending(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return NoRawSocket;
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    const sockaddr_in addr = loopback(port);
    ::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr);
    return fd;
}

RawSocket RawAccept(RawSocket listener)
{
    const int fd = ::accept(int(listener), nullptr, nullptr);
    return fd < 0 ? NoRawSocket : fd;
}

bool RawReadable(RawSocket socket)
{
    pollfd p{int(socket), POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}

qint64 RawRead(RawSocket socket, char *buffer, qint64 size)
{
    return ::read(int(socket), buffer, size_t(size));
}

void RawClose(RawSocket socket)
{
    if (socket != NoRawSocket)
        ::close(int(socket));
}

bool MountSmallDisk(const QString &folder, int kilobytes, QString *why)
{
    QProcess mount;
    mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                          QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"), folder});
    if (mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0)
        return true;
    *why = QStringLiteral("a tmpfs cannot be mounted here (%1)")
               .arg(QString::fromLocal8Bit(mount.readAllStandardError()).trimmed());
    return false;
}

void UnmountSmallDisk(const QString &folder)
{
    QProcess::execute(QStringLiteral("umount"), {folder});
}

bool FileNamesAreBytes()
{
    return true;
}

int FileMode(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

int NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return int(0666 & ~mask);
}
