// FileShareTable (native build only): the Windows share-mode and byte-range
// lock rules for CFile on a POSIX system.
//
// Every CFile open in this process is listed with its access (read/write) and
// the access it denies to others, keyed by the file's device and inode.  A new
// open is refused when its access meets an existing opener's denial or its
// denial meets an existing opener's access, exactly as CreateFile decides.
// Other processes are kept out by advisory record locks on four marker bytes
// far beyond any real data (0x7FFFFF00 + 0 read, 1 write, 2 deny-read,
// 3 deny-write): an opener holds a shared lock on the bytes of its access and
// denials and tests the opposite bytes before it opens.  POSIX drops all of a
// process's record locks on a file when any descriptor of it is closed, so the
// table closes descriptors itself and re-takes the locks of those still open.
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
