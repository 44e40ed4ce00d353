// FileShareTable (native build only): the Windows share-mode and byte-range
// lock rules for CFile on a POSIX system.
//
// Every CFile open in this process is listed with its access (read/write) and
// the access it denies to others, keyed by the file's device and inode.  A new
// open is refused when its access meets an existing opener's denial or its
// denial meets an existing opener's access, exactly as CreateFile decides.
// Other processes are kept out by advisory record locks on four marker bytes
// far beyond any real data (2^40 + 0 read, 1 write, 2 deny-read,
// 3 deny-write): an opener holds a shared lock on the bytes of its access and
// denials and tests the opposite bytes before it opens.  The locks are open
// file description locks (F_OFD_*): they belong to the opener's descriptor, so
// closing another descriptor of the same file (a refused open, another
// opener's close) leaves them in place, where a process-wide POSIX lock would
// be dropped by any close.  Conflicts inside the process are decided by the
// table before the marker test, so an opener's own markers never refuse it.
#pragma once

#ifndef _WIN32

#include "classlib/Types.h"

class FileShareTable
{
public:
    static FileShareTable& Instance();

    // Adds an opener of fd (already open on path); FALSE when the share rules
    // refuse it (nothing is added).
    bool Register(const void* owner, int fd, UINT nOpenFlags);
    // Adds a duplicate of an existing opener: same rights, never refused.
    void RegisterDuplicate(const void* owner, int fd, const void* original);
    // Drops the opener and its range locks and closes fd; returns close()'s result.
    // The other openers keep their locks.
    int Close(const void* owner, int fd);
    // Whether any opener in this process holds the file at the native path.
    bool IsOpen(const char* nativePath) const;

    // Byte ranges: an overlapping range held through any CFile is refused;
    // unlocking needs the exact range that was locked.
    bool LockRange(const void* owner, int fd, DWORD pos, DWORD count);
    bool UnlockRange(const void* owner, int fd, DWORD pos, DWORD count);

private:
    FileShareTable() = default;
};

#endif
