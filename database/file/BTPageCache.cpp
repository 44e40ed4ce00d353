#include "database/file/BTPageCache.h"

#include "database/file/BTPagedFile.h"
#include "database/file/BTOperation.h"
#include "classlib/Exceptions.h"

#include <new>
#include <stddef.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define LV_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define LV_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define LV_POISON(p, n) ((void)(p), (void)(n))
#define LV_UNPOISON(p, n) ((void)0)
#endif

// A block of page buffers; the pages follow the header. Chunks double in
// size up to maxPages, so a small cache costs little and a large one needs
// few heap blocks.
struct BTPageCache::Chunk
{
    enum
    {
        minPages = 64,
        maxPages = 1024,
    };
    Chunk* m_pNext;
    DWORD m_count;
    DWORD m_unused;
    BTPage* Pages() { return reinterpret_cast<BTPage*>(this + 1); }
};

namespace
{
DWORD s_pooledPages = 0; // buffers in all chunks
}

BTPageCache::Chunk* BTPageCache::s_pChunks = nullptr;
BTPage* BTPageCache::s_pFreeBuffers = nullptr;
DWORD BTPageCache::s_buffersInUse = 0;
unsigned long long BTPageCache::s_hits = 0;
unsigned long long BTPageCache::s_misses = 0;
unsigned long long BTPageCache::s_pageWrites = 0;
unsigned long long BTPageCache::s_deflates = 0;
BTPagedFile* BTPageCache::s_pFirstFile = nullptr;
DWORD BTPageCache::s_totalCount = 0;
DWORD BTPageCache::s_totalLimit = BTPageCache::defaultTotalLimit;

void BTPageCache::Register(BTPagedFile* file)
{
    if (file->m_bRegistered)
        return;
    file->m_pMoreRecentFile = nullptr;
    file->m_pLessRecentFile = s_pFirstFile;
    if (s_pFirstFile)
        s_pFirstFile->m_pMoreRecentFile = file;
    s_pFirstFile = file;
    file->m_bRegistered = TRUE;
}

void BTPageCache::Unregister(BTPagedFile* file)
{
    if (!file->m_bRegistered)
        return;
    if (file->m_pMoreRecentFile)
        file->m_pMoreRecentFile->m_pLessRecentFile = file->m_pLessRecentFile;
    else
        s_pFirstFile = file->m_pLessRecentFile;
    if (file->m_pLessRecentFile)
        file->m_pLessRecentFile->m_pMoreRecentFile = file->m_pMoreRecentFile;
    file->m_pMoreRecentFile = file->m_pLessRecentFile = nullptr;
    file->m_bRegistered = FALSE;
}

void BTPageCache::MoveToFront(BTPagedFile* file)
{
    if (s_pFirstFile == file)
        return;
    Unregister(file);
    Register(file);
}

BTPage* BTPageCache::ObtainBuffer(BTPagedFile* reading)
{
    if ((int)reading->m_cachedCount < reading->m_cachedLimit && s_totalCount < s_totalLimit)
    {
        if (BTPage* page = TakePooledBuffer())
            return page;
    }
    BTPage* page = Evict();
    // Pages an open operation changed stay until it ends, past the limits.
    if (!page && BTOperation::IsOpen())
        page = TakePooledBuffer();
    if (!page)
        AfxThrowMemoryException();
    return page;
}

BTPage* BTPageCache::TakePooledBuffer()
{
    if (!s_pFreeBuffers)
    {
        DWORD count = s_pooledPages < (DWORD)Chunk::minPages ? (DWORD)Chunk::minPages : s_pooledPages;
        if (count > (DWORD)Chunk::maxPages)
            count = Chunk::maxPages;
        void* block = ::operator new(sizeof(Chunk) + count * sizeof(BTPage), std::nothrow);
        if (!block)
            return nullptr;
        Chunk* chunk = static_cast<Chunk*>(block);
        chunk->m_pNext = s_pChunks;
        chunk->m_count = count;
        s_pChunks = chunk;
        s_pooledPages += count;
        BTPage* pages = chunk->Pages();
        for (DWORD i = count; i-- > 0;)
        {
            pages[i].m_pLessRecent = s_pFreeBuffers;
            s_pFreeBuffers = &pages[i];
        }
        LV_POISON(pages, count * sizeof(BTPage));
    }
    BTPage* page = s_pFreeBuffers;
    LV_UNPOISON(page, sizeof(BTPage));
    s_pFreeBuffers = page->m_pLessRecent;
    ++s_buffersInUse;
    return page;
}

void BTPageCache::FreeBuffer(BTPage* page)
{
    page->m_pLessRecent = s_pFreeBuffers;
    s_pFreeBuffers = page;
    // Everything after the link is off limits until the buffer is taken again.
    size_t linkEnd = offsetof(BTPage, m_pLessRecent) + sizeof(BTPage*);
    LV_POISON(reinterpret_cast<BYTE*>(page) + linkEnd, sizeof(BTPage) - linkEnd);
    if (--s_buffersInUse == 0)
        ReleasePool();
}

void BTPageCache::ReleasePool()
{
    while (Chunk* chunk = s_pChunks)
    {
        s_pChunks = chunk->m_pNext;
        LV_UNPOISON(chunk->Pages(), chunk->m_count * sizeof(BTPage));
        ::operator delete(chunk);
    }
    s_pFreeBuffers = nullptr;
    s_pooledPages = 0;
}

BTPage* BTPageCache::Evict()
{
    for (BTPagedFile* file = s_pFirstFile; file; file = file->m_pLessRecentFile)
    {
        // A page read again since it was placed goes to the front now, in
        // place of a move on every read; the first page met that was not
        // read again and nobody holds is the least recently used one.
        // Every page is met at most twice.
        DWORD steps = 2 * file->m_cachedCount;
        for (BTPage* page = file->m_pLru; page && steps-- > 0;)
        {
            BTPage* next = page->m_pMoreRecent;
            if (page->m_nRefs == 0 && !page->m_bUsed)
            {
                if (page->m_bDirty && file->IsWritable())
                    file->WriteBack(page);
                file->RemoveCached(page);
                return page;
            }
            if (page->m_bUsed)
                file->MoveToFront(page);
            page = next;
        }
    }
    return nullptr;
}

void BTPageCache::ForgetOwner(BTPageOwner* owner)
{
    for (BTPagedFile* file = s_pFirstFile; file; file = file->m_pLessRecentFile)
        file->ForgetOwner(owner);
}
