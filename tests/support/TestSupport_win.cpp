#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

void EndWithThisProcess(QProcess &)
{
}

bool SystemHasFifos()
{
    return false;
}

bool MakeFifo(const QString &)
{
    return false;
}

static std::wstring NativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

bool MakeHardLink(const QString &existing, const QString &link)
{
    return CreateHardLinkW(NativePath(link).c_str(), NativePath(existing).c_str(), nullptr) != 0;
}

bool MakeSymbolicLink(const QString &target, const QString &link)
{
    // Without the developer-mode flag only an administrator may make links.
    constexpr DWORD AllowUnprivileged = 0x2;
    const DWORD folder = QFileInfo(target).isDir() ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    return CreateSymbolicLinkW(NativePath(link).c_str(), NativePath(target).c_str(), folder | AllowUnprivileged) != 0;
}

bool SystemHasSymbolicLinks()
{
    static const bool made = [] {
        const QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("link"));
        return MakeSymbolicLink(dir.path(), link)
            && GetFileAttributesW(NativePath(link).c_str()) != INVALID_FILE_ATTRIBUTES;
    }();
    return made;
}

bool MakeHidden(const QString &path)
{
    const DWORD attributes = GetFileAttributesW(NativePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
        && SetFileAttributesW(NativePath(path).c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
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

RawSocket fromSocket(SOCKET s)
{
    return s == INVALID_SOCKET ? NoRawSocket : RawSocket(s);
}

} // namespace

// Qt's network module has started Winsock by the time a test gets here; one
// more start keeps these calls independent of that.
static const bool g_winsock = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}();

RawSocket RawListen(int backlog, quint16 *port)
{
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return NoRawSocket;
    sockaddr_in addr = loopback(0);
    auto *sa = reinterpret_cast<sockaddr *>(&addr);
    int len = sizeof addr;
    if (::bind(s, sa, len) != 0 || ::listen(s, backlog) != 0 || ::getsockname(s, sa, &len) != 0) {
        ::closesocket(s);
        return NoRawSocket;
    }
    *port = ntohs(addr.sin_port);
    return RawSocket(s);
}

RawSocket RawConnectPending(quint16 port)
{
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return NoRawSocket;
    u_long nonBlocking = 1;
    ::ioctlsocket(s, FIONBIO, &nonBlocking);
    const sockaddr_in addr = loopback(port);
    ::connect(s, reinterpret_cast<const sockaddr *>(&addr), sizeof addr);
    return RawSocket(s);
}

RawSocket RawAccept(RawSocket listener)
{
    return fromSocket(::accept(SOCKET(listener), nullptr, nullptr));
}

bool RawReadable(RawSocket socket)
{
    WSAPOLLFD p{SOCKET(socket), POLLRDNORM, 0};
    return ::WSAPoll(&p, 1, 0) == 1;
}

qint64 RawRead(RawSocket socket, char *buffer, qint64 size)
{
    return ::recv(SOCKET(socket), buffer, int(size), 0);
}

void RawClose(RawSocket socket)
{
    if (socket != NoRawSocket)
        ::closesocket(SOCKET(socket));
}

bool MountSmallDisk(const QString &, int, QString *why)
{
    *why = QStringLiteral("no small disk can be made on Windows");
    return false;
}

void UnmountSmallDisk(const QString &)
{
}

bool FileNamesAreBytes()
{
    return false;
}

int FileMode(const QString &)
{
    return -1;
}

int NewFileMode()
{
    return -1;
}
