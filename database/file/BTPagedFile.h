// BTPagedFile: a file of fixed-size pages on which B-trees live.
//
// Layout (little-endian):
//   0     1024 bytes  header area: the paged header (common document header
//                     with codes 0 and 0, u32 free-page count, u32 first free
//                     page, then whatever a derived file adds), zero-filled
//   1024 + 2048*n     page n            (plain mode)
//   1024 + 1280*n     slot n            (compressed mode, see BTPagedFile.cpp)
// A page is named by its file offset; offset 0 never names a page. Byte 0 of a
// page says what it is (BTPage::typeInner, typeLeaf, typeFree); a free page
// keeps the u32 offset of the next free page at bytes 2 to 5 (0 ends the list).
//
// Every page read goes through ReadPage into the process-wide page cache
// (BTPageCache), bounded per file and in total, evicting the least recently
// used unheld page. Callers hold a BTPageRef on a page while they use it and
// mark it dirty after changing it; dirty pages are written back on eviction
// and by FlushBuffers, which shows the wait cursor while it runs. A file opened read-only never writes anything back.
//
// Compressed mode must be chosen before the file is created or opened, and a
// file must always be opened in the mode it was created in (nothing records it).
#pragma once

#include "database/file/CPFile.h"
#include "database/file/BTPage.h"
#include "database/file/BTPageRef.h"
#include "database/file/BTPageOwner.h"

#include <unordered_map>
#include <vector>

class CArchive;

class BTPagedFile : public CPFile
{
    DECLARE_DYNAMIC(BTPagedFile)
public:
    enum
    {
        headerAreaSize = 1024,
        pageSize = BTPage::size,
        slotSize = 1280,          // compressed mode: bytes of one slot
        defaultCachedPageLimit = 0x7FFFFFFF,
    };

    BTPagedFile();
    virtual ~BTPagedFile();

    // The file position is tracked so that pages written or read one after
    // the other need no seek in between.
    virtual UINT Read(void* lpBuf, UINT nCount) override;
    virtual void Write(const void* lpBuf, UINT nCount) override;
    virtual DWORD Seek(LONG lOff, UINT nFrom) override;
    virtual void SetLength(DWORD dwNewLen) override;

    // Hooks of CPFile.
    virtual void InitNew() override;
    virtual void OnOpen() override;
    virtual void OnClose() override;
    virtual void OnAbort() override;
    virtual void FlushBuffers() override;

    // A zeroed, dirty page taken from the free list or appended; page holds it.
    virtual BTPageRef& AllocPage(BTPageRef& page, BTPageOwner* owner);
    // Puts the page at the head of the free list.
    virtual void FreePage(DWORD offset);
    // The cached page at the offset, read from the file when bRead and not
    // cached. The caller takes a BTPageRef on it at once.
    virtual BTPage* ReadPage(DWORD offset, BTPageOwner* owner, BOOL bRead = TRUE);
    // Writes the page's data at its offset and marks it clean.
    virtual void WritePage(BTPage* page);
    // Loads or stores the header at offset 0 through SerializeHeader. A
    // header too long for its area is refused (BTHeaderTooLongException)
    // before anything is written; FlushBuffers checks it before any page.
    virtual void TransferHeader(BOOL bLoad);
    // The paged header; derived files add their fields after calling this.
    virtual void SerializeHeader(CArchive& ar);

    // Clears the owner of every cached page that names it; a tree calls this
    // when it goes away while its file stays open.
    void ForgetOwner(BTPageOwner* owner);

    // Compressed mode: page offset -> overflow slot offset.
    // LookupOverflowSlot appends a new slot when none is recorded.
    virtual DWORD LookupOverflowSlot(DWORD pageOffset);
    virtual void SetOverflowSlot(DWORD pageOffset, DWORD slotOffset);
    virtual void RemoveOverflowSlot(DWORD pageOffset);

    void SetCompressed(BOOL bCompressed) { m_bCompressed = bCompressed; }
    BOOL IsCompressed() const { return m_bCompressed; }
    // Distance between page offsets on disk (2048, or 1280 compressed).
    DWORD GetPageStride() const { return m_bCompressed ? (DWORD)slotSize : (DWORD)pageSize; }

    WORD GetDocumentType() const { return m_docType; }
    void SetDocumentType(WORD type) { m_docType = type; }
    // The derived file's current version; after a header load, the stored one.
    WORD GetVersion() const { return m_version; }
    void SetVersion(WORD version) { m_version = version; }

    DWORD GetFreePageCount() const { return m_freeCount; }
    DWORD GetFreeListHead() const { return m_freeHead; }
    DWORD GetCachedPageCount() const { return m_cachedCount; }
    int GetCachedPageLimit() const { return m_cachedLimit; }
    void SetCachedPageLimit(int limit) { m_cachedLimit = limit; }
    // Appending a page needs a writable file; a read-only one raises access denied.
    // The end of the file as the pages see it: the length on disk rounded up
    // to whole pages, plus the space appended since and not yet written.
    DWORD GetFileEnd() const { return m_fileEnd; }
    // Whether the page at the offset is in the cache now (does not read it).
    BOOL IsPageCached(DWORD offset) const;
    BOOL IsRegistered() const { return m_bRegistered; }

    // Failure injection for tests: the n-th page request (ReadPage or
    // AllocPage) from now raises CFileException hardIO before it does
    // anything; 0 turns it off. GetPageRequests counts requests since.
    void FailAtPageRequest(DWORD n);
    DWORD GetPageRequests() const { return m_pageRequests; }

protected:
    // Throws unless offset names a page slot of this file (bad seek).
    void CheckPageOffset(DWORD offset) const;
    void ReadPageData(BTPage* page);
    void WritePageData(BTPage* page);
    void ReadCompressed(BTPage* page);
    void WriteCompressed(BTPage* page);
    // Takes bytes of new space at the end of the file and returns its
    // offset. The space reaches the disk when the page or slot put there is
    // written: growing a file by a system call per page would cost more than
    // writing the page itself.
    DWORD ExtendFile(DWORD bytes);
    // The stored header, zero-filled to the whole header area; raises
    // BTHeaderTooLongException when it does not fit there.
    void BuildHeaderImage(BYTE* image);
    void WriteHeaderImage(const BYTE* image);
    void ThrowDamaged() const;        // archive exception bad schema, with path
    // Moves to the offset unless the file is there already.
    void SeekTo(DWORD offset);

    BOOL m_bCompressed;
    std::unordered_map<DWORD, DWORD> m_overflowMap;
    WORD m_docType;
    WORD m_version;
    DWORD m_freeCount;
    DWORD m_freeHead;
    DWORD m_fileEnd;
    DWORD m_position; // file position, or unknownPosition
    DWORD m_writeExtends; // overflow slots appended by writes, ever

private:
    enum : DWORD
    {
        unknownPosition = 0xFFFFFFFF,
    };
    friend class BTPageCache;
    friend class BTOperation;
    void CountPageRequest();
    // Takes the page out of the cache unwritten; a held page is freed by its last holder.
    void DropPage(BTPage* page);
    size_t PageIndex(DWORD offset) const
    {
        return (offset - headerAreaSize) / (m_bCompressed ? 1024u : (unsigned)pageSize);
    }
    BTPage* FindCached(DWORD offset) const;
    // Grows the page table to hold the offset's entry; memory exception when
    // it cannot. InsertCached then needs no memory.
    void ReserveTableEntry(DWORD offset);
    void InsertCached(BTPage* page);
    void RemoveCached(BTPage* page);
    void MoveToFront(BTPage* page);
    // Drops every cached page without writing it.
    void DropAllPages();

    DWORD m_cachedCount;
    int m_cachedLimit;
    BTPage* m_pMru;
    BTPage* m_pLru;
    std::vector<BTPage*> m_pageTable;
    // Process-wide list of registered files, most recently used first.
    BTPagedFile* m_pMoreRecentFile;
    BTPagedFile* m_pLessRecentFile;
    BOOL m_bRegistered;
    DWORD m_pageRequests;
    DWORD m_failAtRequest;
};
