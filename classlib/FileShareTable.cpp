#ifndef _WIN32

#include "classlib/FileShareTable.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace
{
enum : unsigned
{
    kRead = 1,
    kWrite = 2,
};

// Beyond every range a DWORD position and count can name, so that no range
// lock ever meets a marker.
const off_t kMarkerBase = off_t(1) << 40;
// Marker byte offsets relative to kMarkerBase.
const int kMarkRead = 0, kMarkWrite = 1, kMarkDenyRead = 2, kMarkDenyWrite = 3;

struct Opener
{
    const void* owner;
    int fd;
    unsigned access;
    unsigned deny;
    bool writable;
    bool readable;
};

struct Range
{
    const void* owner;
    DWORD pos;
    DWORD count;
};

struct Entry
{
    std::vector<Opener> openers;
    std::vector<Range> ranges;
};

using Key = std::pair<dev_t, ino_t>;

std::map<Key, Entry>& Table()
{
    static std::map<Key, Entry> table;
    return table;
}

bool KeyOfFd(int fd, Key& key)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return false;
    key = Key(st.st_dev, st.st_ino);
    return true;
}

unsigned AccessOf(UINT flags)
{
    switch (flags & 3)
    {
    case 0: return kRead;
    case 1: return kWrite;
    default: return kRead | kWrite;
    }
}

unsigned DenyOf(UINT flags)
{
    switch (flags & 0x70)
    {
    case 0x20: return kWrite;        // deny write
    case 0x30: return kRead;         // deny read
    case 0x40: return 0;             // deny none
    default: return kRead | kWrite;  // exclusive, compatibility
    }
}

// Whether another process holds a lock on the marker byte.
bool OtherHolds(int fd, int mark)
{
    struct flock fl = {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = kMarkerBase + mark;
    fl.l_len = 1;
    if (::fcntl(fd, F_OFD_GETLK, &fl) != 0)
        return false;
    return fl.l_type != F_UNLCK;
}

void SetLock(int fd, short type, off_t start, off_t len)
{
    struct flock fl = {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = start;
    fl.l_len = len;
    ::fcntl(fd, F_OFD_SETLK, &fl); // best effort: a write-only descriptor cannot take a read lock
}

void TakeMarkers(const Opener& o)
{
    if (!o.readable)
        return;
    if (o.access & kRead)
        SetLock(o.fd, F_RDLCK, kMarkerBase + kMarkRead, 1);
    if (o.access & kWrite)
        SetLock(o.fd, F_RDLCK, kMarkerBase + kMarkWrite, 1);
    if (o.deny & kRead)
        SetLock(o.fd, F_RDLCK, kMarkerBase + kMarkDenyRead, 1);
    if (o.deny & kWrite)
        SetLock(o.fd, F_RDLCK, kMarkerBase + kMarkDenyWrite, 1);
}

const Opener* FindOpener(const Entry& e, const void* owner)
{
    for (const Opener& o : e.openers)
        if (o.owner == owner)
            return &o;
    return nullptr;
}

bool Overlaps(const Range& r, DWORD pos, DWORD count)
{
    uint64_t a0 = r.pos, a1 = uint64_t(r.pos) + r.count;
    uint64_t b0 = pos, b1 = uint64_t(pos) + count;
    return a0 < b1 && b0 < a1;
}
} // namespace

FileShareTable& FileShareTable::Instance()
{
    static FileShareTable instance;
    return instance;
}

bool FileShareTable::Register(const void* owner, int fd, UINT nOpenFlags)
{
    Key key;
    if (!KeyOfFd(fd, key))
        return false;
    Opener me{owner, fd, AccessOf(nOpenFlags), DenyOf(nOpenFlags), (AccessOf(nOpenFlags) & kWrite) != 0,
              (AccessOf(nOpenFlags) & kRead) != 0};

    auto it = Table().find(key);
    if (it != Table().end())
        for (const Opener& o : it->second.openers)
            if ((me.access & o.deny) || (o.access & me.deny))
                return false;

    if (((me.access & kRead) && OtherHolds(fd, kMarkDenyRead)) ||
        ((me.access & kWrite) && OtherHolds(fd, kMarkDenyWrite)) ||
        ((me.deny & kRead) && OtherHolds(fd, kMarkRead)) || ((me.deny & kWrite) && OtherHolds(fd, kMarkWrite)))
        return false;

    Table()[key].openers.push_back(me);
    TakeMarkers(me);
    return true;
}

void FileShareTable::RegisterDuplicate(const void* owner, int fd, const void* original)
{
    Key key;
    if (!KeyOfFd(fd, key))
        return;
    Entry& e = Table()[key];
    const Opener* o = FindOpener(e, original);
    Opener dup = o ? *o : Opener{owner, fd, 0, 0, false, false};
    dup.owner = owner;
    dup.fd = fd;
    e.openers.push_back(dup);
}

int FileShareTable::Close(const void* owner, int fd)
{
    Key key;
    bool known = KeyOfFd(fd, key);
    // The locks go with the descriptor's own open file description; those of
    // every other opener stay.
    int rc = ::close(fd);
    int err = errno;
    if (known)
    {
        auto it = Table().find(key);
        if (it != Table().end())
        {
            Entry& e = it->second;
            e.openers.erase(std::remove_if(e.openers.begin(), e.openers.end(),
                                           [&](const Opener& o) { return o.owner == owner && o.fd == fd; }),
                            e.openers.end());
            e.ranges.erase(std::remove_if(e.ranges.begin(), e.ranges.end(),
                                          [&](const Range& r) { return r.owner == owner; }),
                           e.ranges.end());
            if (e.openers.empty())
                Table().erase(it);
        }
    }
    errno = err;
    return rc;
}

bool FileShareTable::IsOpen(const char* nativePath) const
{
    struct stat st;
    if (::stat(nativePath, &st) != 0)
        return false;
    return Table().count(Key(st.st_dev, st.st_ino)) != 0;
}

bool FileShareTable::LockRange(const void* owner, int fd, DWORD pos, DWORD count)
{
    Key key;
    if (!KeyOfFd(fd, key))
        return false;
    Entry& e = Table()[key];
    for (const Range& r : e.ranges)
        if (Overlaps(r, pos, count))
            return false;
    const Opener* o = FindOpener(e, owner);
    if (count != 0 && o != nullptr)
    {
        struct flock fl = {};
        fl.l_type = o->writable ? F_WRLCK : F_RDLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = off_t(pos);
        fl.l_len = off_t(count);
        if (::fcntl(fd, F_OFD_SETLK, &fl) != 0 && (errno == EAGAIN || errno == EACCES))
            return false;
    }
    e.ranges.push_back(Range{owner, pos, count});
    return true;
}

bool FileShareTable::UnlockRange(const void* owner, int fd, DWORD pos, DWORD count)
{
    Key key;
    if (!KeyOfFd(fd, key))
        return false;
    Entry& e = Table()[key];
    auto it = std::find_if(e.ranges.begin(), e.ranges.end(), [&](const Range& r) {
        return r.owner == owner && r.pos == pos && r.count == count;
    });
    if (it == e.ranges.end())
        return false;
    e.ranges.erase(it);
    if (count != 0)
        SetLock(fd, F_UNLCK, off_t(pos), off_t(count));
    return true;
}

#endif
