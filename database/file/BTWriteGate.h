// BTWriteGate: every change the paged files make on disk (a write of the
// file or of its journal, a change of length, a journal created or deleted)
// passes here first, so a test can stop the disk at any point as a crash or
// a power loss would: after the limit, changes are silently dropped, and the
// write at the limit may be torn (only its first half reaches the disk).
// Off unless a test arms it.
#pragma once

#include "classlib/Types.h"

class BTWriteGate
{
public:
    // Changes from now on: the first `changes` pass, the rest are dropped;
    // with bTear the last one that passes is a write cut in half.
    static void StopAfter(DWORD changes, BOOL bTear);
    static void Open(); // everything passes again
    // Changes that passed since StopAfter.
    static DWORD GetCount() { return s_count; }
    static BOOL IsStopped() { return s_bArmed && s_count >= s_limit; }

    // How many of n bytes to write (n, n / 2 or 0).
    static UINT Write(UINT n);
    // Whether another kind of change happens.
    static BOOL Change();

private:
    static BOOL s_bArmed;
    static BOOL s_bTear;
    static DWORD s_limit;
    static DWORD s_count;
};
