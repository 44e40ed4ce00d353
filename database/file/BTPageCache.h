// BTPageCache: the process-wide side of the page cache shared by every open
// paged file: the list of registered files (most recently used first), the
// total number of cached pages and its limit (50,000 unless a test lowers
// it), and the buffer supply with least-recently-used eviction.
//
// Eviction visits the registered files from the front of the list (the
// reading file is there) and in each file walks from its least recently used
// page; the first page nobody holds is taken, written first when dirty and its
// file is writable. A read of a cached page only marks it used; the walk moves
// a marked page to the front of its list instead of taking it (a second
// chance), so a look-up never touches another page. When every cached page is held, out-of-memory is raised.
// Used on the user-interface thread only; nothing is locked.
#pragma once

#include "classlib/Types.h"
#include "database/file/BTPagedFile.h"

class BTPageCache
{
public:
    enum
    {
        defaultTotalLimit = 50000,
    };

    static DWORD GetTotalCount() { return s_totalCount; }
    static DWORD GetTotalLimit() { return s_totalLimit; }
    static void SetTotalLimit(DWORD limit) { s_totalLimit = limit; }
    static BTPagedFile* GetFirstFile() { return s_pFirstFile; }

    static void Register(BTPagedFile* file);
    static void Unregister(BTPagedFile* file);
    static void MoveToFront(BTPagedFile* file);
    // Clears a page owner that is going away from the cached pages of every open file.
    static void ForgetOwner(BTPageOwner* owner);

    // A read of a cached page, inline: the page at the offset with its use
    // marked, its owner set and the request counted, exactly as ReadPage
    // serves a hit; none when the page must be read (ReadPage then serves
    // the request) or a test's failure injection is armed. An offset that is
    // not a page's own name never finds a page.
    static BTPage* FindHit(BTPagedFile* file, DWORD offset, BTPageOwner* owner)
    {
        size_t index = file->PageIndex(offset);
        if (offset < (DWORD)BTPagedFile::headerAreaSize || index >= file->m_pageTable.size() ||
            file->m_failAtRequest != 0)
            return nullptr;
        BTPage* page = file->m_pageTable[index];
        if (!page || page->m_offset != offset)
            return nullptr;
        ++file->m_pageRequests;
        ++s_hits;
        // Only marked: eviction moves it to the front of its list when it
        // meets it. Fields already right are not written again, so a page
        // read over and over is not made to go back to memory each time.
        if (!page->m_bUsed)
            page->m_bUsed = TRUE;
        if (page->m_pOwner != owner)
            page->m_pOwner = owner;
        if (s_pFirstFile != file)
            MoveToFront(file);
        return page;
    }

    // The buffer the page table names for the offset, unchecked and
    // unmarked (perhaps another page's or a free one): only for fetching
    // lines ahead of FindHit.
    static BTPage* PeekCached(const BTPagedFile* file, DWORD offset)
    {
        size_t index = file->PageIndex(offset);
        return index < file->m_pageTable.size() ? file->m_pageTable[index] : nullptr;
    }

    // A page buffer for the reading file: a new one while the limits allow
    // and memory lasts, else one taken from an evicted page.
    static BTPage* ObtainBuffer(BTPagedFile* reading);
    static void FreeBuffer(BTPage* page);
    // Buffers handed out and not yet freed.
    static DWORD GetBuffersInUse() { return s_buffersInUse; }

    // Page requests served from the cache and those that had to read or
    // append a page, since the last reset (for benchmarks).
    static unsigned long long GetHits() { return s_hits; }
    static unsigned long long GetMisses() { return s_misses; }
    static void ResetHitCounts() { s_hits = s_misses = 0; }
    // Pages written to their files and pages deflated for it, ever (for
    // benchmarks).
    static unsigned long long GetPageWrites() { return s_pageWrites; }
    static unsigned long long GetDeflates() { return s_deflates; }

private:
    friend class BTPagedFile;
    static BTPage* Evict();
    static BTPage* TakePooledBuffer(); // NULL when no memory can be had
    static void ReleasePool();

    struct Chunk;
    static Chunk* s_pChunks;
    static BTPage* s_pFreeBuffers; // linked through m_pLessRecent
    static DWORD s_buffersInUse;

    static unsigned long long s_hits;
    static unsigned long long s_misses;
    static unsigned long long s_pageWrites;
    static unsigned long long s_deflates;
    static BTPagedFile* s_pFirstFile;
    static DWORD s_totalCount;
    static DWORD s_totalLimit;
};
