#pragma once

// Test helpers that reach the operating system below Qt. One file per system
// implements them (TestSupport_unix.cpp, TestSupport_win.cpp), so the tests
// themselves compile everywhere.

#include <QString>
#include <QtGlobal>

class QProcess;

// False where file permissions do not stop this process (root, or a system
// whose permissions Qt cannot take away): tests of unreadable files skip there.
bool PermissionsBind();

// Named pipes, where the system has them.
bool SystemHasFifos();
bool MakeFifo(const QString &path);

// A second name for an existing file.
bool MakeHardLink(const QString &existing, const QString &link);
// A symbolic link (QFile::link makes a shortcut file on Windows); `target` need not exist.
bool MakeSymbolicLink(const QString &target, const QString &link);
// False where links cannot be made: Windows without developer mode, and Wine 8,
// whose CreateSymbolicLinkW reports success and makes nothing.
bool SystemHasSymbolicLinks();
// Hides an existing file or folder whose name starts with ".": that alone hides it outside Windows.
bool MakeHidden(const QString &path);

// Raw loopback TCP sockets, for peers that Qt's sockets cannot play: a
// listener that never accepts, a close that resets.
using RawSocket = qintptr;
constexpr RawSocket NoRawSocket = -1;
// Listens on 127.0.0.1 on a free port with `backlog`; NoRawSocket on failure.
RawSocket RawListen(int backlog, quint16 *port);
// Starts a non-blocking connect to 127.0.0.1:`port` and returns at once.
RawSocket RawConnectPending(quint16 port);
RawSocket RawAccept(RawSocket listener);
// True when a read would not block (data, end of stream or a waiting peer).
bool RawReadable(RawSocket socket);
qint64 RawRead(RawSocket socket, char *buffer, qint64 size);
void RawClose(RawSocket socket);

// A small file system of its own at `folder` (an existing empty folder), so
// that a test can fill it: a tmpfs of `kilobytes`, mounted where this process
// may mount (root). False with the reason when it cannot be made.
bool MountSmallDisk(const QString &folder, int kilobytes, QString *why);
void UnmountSmallDisk(const QString &folder);

// Makes the program that `process` starts next end with this test, even when
// the test is killed or crashes (Linux; elsewhere it does nothing).
void EndWithThisProcess(QProcess &process);

// True where a file name is bytes that need be valid in no encoding (Unix).
bool FileNamesAreBytes();


// Permission bits of the file at `path` (links followed), and those a new
// file gets; -1 where the system has no such modes.
int FileMode(const QString &path);
int NewFileMode();
