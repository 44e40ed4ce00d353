// BTPageDeflater: deflates many pages at once on a small pool of threads.
//
// Each thread keeps its own zlib stream, set up once with the parameters of
// LTComp::Compress (default level, window bits 15, memory level 8, default
// strategy) and reset before every page, so a page deflates to the same bytes
// whichever thread takes it, and the same bytes as LTComp gives. The caller
// works too; a few pages are deflated on the caller's thread alone.
//
// The pool is made on first use (at most kMaxThreads threads in all, the
// caller included, no more than the machine's processors) and lives as long
// as the process. Deflate is called from one thread at a time (the page
// cache's); the workers touch only the jobs they are given.
#pragma once

#include "classlib/Types.h"

#include <cstddef>

class BTPageDeflater
{
public:
    enum
    {
        kMaxThreads = 4,
    };

    struct Job
    {
        const BYTE* source;   // the bytes to deflate
        UINT sourceLength;
        BYTE* dest;           // room for destCapacity bytes
        UINT destCapacity;
        UINT destLength;      // out: the compressed length on success
        int result;           // out: LTComp's status codes (ok 0)
    };

    // Deflates every job; returns when all are done. Each job's result says
    // how it went (bufError when its destination is too small).
    static void Deflate(Job* jobs, size_t count);
    // Threads that deflate, the caller's included.
    static int GetThreadCount();
    // For tests: at most this many threads from now on (1: the caller alone;
    // 0: as many as the pool allows).
    static void LimitThreads(int threads);
};
