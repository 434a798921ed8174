#!/usr/bin/python3
"""A network share for tests: a FUSE file system that shows the folder
BACKING at MOUNT, every call taking --delay milliseconds (a slow share).
Prints "mounted" when ready; ends on SIGTERM or when unmounted.

A test stops the share answering as a server that went away does, by
stopping this process (SIGSTOP): every call on the share then waits, and
stays killable, as calls on NFS and SMB shares do. (A call that this process
had already taken and never answered would keep its caller from ending at
all; real shares do not do that.)

    stuckshare.py BACKING MOUNT [--delay MS]
"""
import argparse
import os
import signal
import sys
import threading
import time

import fusepy as fuse


class StuckShare(fuse.Operations):
    def __init__(self, backing, delay):
        self.backing = backing
        self.delay = delay / 1000.0

    def _real(self, path):
        return os.path.join(self.backing, path.lstrip('/'))

    def _wait(self):
        if self.delay:
            time.sleep(self.delay)

    def getattr(self, path, fh=None):
        self._wait()
        try:
            st = os.lstat(self._real(path))
        except OSError as e:
            raise fuse.FuseOSError(e.errno)
        return {k: getattr(st, k) for k in ('st_mode', 'st_nlink', 'st_size', 'st_uid', 'st_gid',
                                           'st_atime', 'st_mtime', 'st_ctime')}

    def readdir(self, path, fh):
        self._wait()
        return ['.', '..'] + os.listdir(self._real(path))

    def open(self, path, flags):
        self._wait()
        return os.open(self._real(path), flags)

    def read(self, path, size, offset, fh):
        self._wait()
        os.lseek(fh, offset, os.SEEK_SET)
        return os.read(fh, size)

    def release(self, path, fh):
        os.close(fh)
        return 0

    def statfs(self, path):
        st = os.statvfs(self._real(path))
        return {k: getattr(st, k) for k in ('f_bavail', 'f_bfree', 'f_blocks', 'f_bsize', 'f_favail',
                                           'f_ffree', 'f_files', 'f_flag', 'f_frsize', 'f_namemax')}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('backing')
    parser.add_argument('mount')
    parser.add_argument('--delay', type=int, default=0)
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))

    def announce():
        # The mount is there once the root answers through it.
        while not os.path.ismount(args.mount):
            time.sleep(0.05)
        print('mounted', flush=True)

    threading.Thread(target=announce, daemon=True).start()
    fuse.FUSE(StuckShare(args.backing, args.delay), args.mount, foreground=True,
              nothreads=False, allow_other=False, default_permissions=False)


if __name__ == '__main__':
    sys.exit(main())
