// DBKeyFileRecovery: what a key-file rebuild cut short leaves beside a
// database, finished or undone at open.
//
// A rebuild makes the new key file under a name of its own (BuildPathFor:
// the key file's path followed by "-rebuild") while the old key file stays
// in place; its last commit moves the new file over the old one together
// with the data file's new roots (BTPagedFile::SetCommitMove), so the data
// file's own recovery finishes or undoes a switch that was under way. What
// is left for this class: a new key file from a rebuild that never reached
// its last commit (deleted: the database is as before the rebuild), and the
// key file an earlier rebuild moved aside to ".old" (AsidePathFor) before
// it made the new one in place: the data file still has the old key file's
// roots, so the ".old" file goes back in place of the half-built one.
//
// Either way, and when the data file's recovery finished or undid a switch,
// the user is told (IDP_REBUILD_FINISHED, IDP_REBUILD_UNDONE with the
// database's title). A database opened read-only with an ".old" file to put
// back is refused (BTRecoveryException): it must be opened once with write
// access. A leftover new key file does not stop a read-only open; it is
// left for the next read-write one.
#pragma once

#include "classlib/CString.h"

class DBDatabase;

class DBKeyFileRecovery
{
public:
    enum : UINT
    {
        IDP_REBUILD_UNDONE = 4194,
        IDP_REBUILD_FINISHED = 4195,
    };

    static CString BuildPathFor(const CString& keyPath);
    static CString AsidePathFor(const CString& keyPath);

    // After the data file opened, before the key file does. Raises the
    // file exceptions of the moves and deletions it makes.
    static void Resolve(DBDatabase& database);
};
