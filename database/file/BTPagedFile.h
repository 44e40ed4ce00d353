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
// A compressed file deflates the pages it writes together on a small pool of
// threads (BTPageDeflater; the same bytes as one stream gives): a flush all
// of its dirty pages, an eviction its victim with the dirty unheld pages that
// follow it in the least-recently-used order, which stay cached, clean. The
// slots (or plain pages) of such a batch reach the file in file order, adjacent
// ones in one write.
//
// A flush is all or nothing on disk: before a byte of the file as last
// committed is overwritten (by a flush, or by the cache writing back a page
// it evicts), its original goes to the rollback journal beside the file
// (BTJournal: the file's path followed by "-journal"); the flush writes its
// pages and header, forces the file to disk and deletes the journal. An open
// rolls back a journal it finds. A flush with nothing dirty and an unchanged
// header writes nothing. A flush that returns has reached the disk.
//
// A page missing from the cache is copied from a read-only view of the file
// mapped into memory (CFileView) when the file is plain and a view can be had;
// else it is read with a seek and a read. Under Wine a copy from the view
// costs a fraction of the two system calls. The view is made when the first
// page is missed, made again when the file has grown by a quarter, and
// dropped before the file is cut shorter and when it closes. A derived file
// that must see every page read through Read turns it off (SetMappedReads).
//
// Compressed mode must be chosen before the file is created or opened, and a
// file must always be opened in the mode it was created in (nothing records it).
#pragma once

#include "database/file/CPFile.h"
#include "database/file/BTPage.h"
#include "database/file/BTPageRef.h"
#include "database/file/BTPageOwner.h"
#include "database/file/BTJournal.h"
#include "classlib/FileView.h"

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
    // Writes the pages as WritePage does each, in the order given; a
    // compressed file deflates them together (BTPageDeflater) into the same
    // bytes, and the slots or pages reach the file in runs of adjacent
    // offsets. A failure leaves the page it met and those after it dirty.
    void WritePages(BTPage* const* pages, size_t count);
    // Loads or stores the header at offset 0 through SerializeHeader. A
    // header too long for its area is refused (BTHeaderTooLongException)
    // before anything is written; FlushBuffers checks it before any page.
    virtual void TransferHeader(BOOL bLoad);
    // The paged header; derived files add their fields after calling this.
    virtual void SerializeHeader(CArchive& ar);

    // Commits the pages and headers of two files together, as one flush
    // (a database's data and key file: neither is ever newer than the other
    // on disk). This is the paged part of each file's FlushBuffers: a
    // derived file writes its own tables first, then calls this; its
    // FlushBuffers after it finds nothing left to write. A file that is not
    // open for writing, or has nothing to write, leaves the other to commit
    // alone. Raises the file's exceptions; the files on disk are then both as
    // they were, or both new, after the next open.
    static void FlushPagesTogether(BTPagedFile& first, BTPagedFile& second);

    // Makes the next commit of this file also move the file `from` (closed,
    // on disk as it is to stay) over `to`, as one commit through the master
    // journal (BTJournal): after a crash the next open of this file finds
    // both as they were, or this file committed and `from` in place of `to`.
    // A commit with a move writes even when nothing changed. Empty paths
    // cancel a move not yet made.
    void SetCommitMove(const CString& from, const CString& to);
    BOOL HasCommitMove() const { return !m_moveFrom.IsEmpty(); }
    // What the recovery at the last open found and did.
    BTJournal::Outcome GetRecovery() const { return m_recovery; }

    // Clears the owner and the check mark of every cached page that names
    // it; a tree calls this when it goes away while its file stays open.
    void ForgetOwner(BTPageOwner* owner);

    // Compressed mode: page offset -> overflow slot offset.
    // LookupOverflowSlot appends a new slot when none is recorded.
    virtual DWORD LookupOverflowSlot(DWORD pageOffset);
    virtual void SetOverflowSlot(DWORD pageOffset, DWORD slotOffset);
    virtual void RemoveOverflowSlot(DWORD pageOffset);

    void SetCompressed(BOOL bCompressed)
    {
        m_bCompressed = bCompressed;
        m_indexShift = bCompressed ? 10 : 11;
    }
    BOOL IsCompressed() const { return m_bCompressed; }
    // Whether missed plain pages may be copied from a mapped view (on by default).
    void SetMappedReads(BOOL bMapped);
    // Bytes of the file the view covers now (0: no view).
    DWORD GetMappedLength() const { return m_view.GetLength(); }
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
    // The page's bytes in the mapped view, mapping the file (again) when it
    // has grown enough since the last try; NULL when the view cannot serve.
    const BYTE* FindMapped(DWORD offset);
    void DropView();
    void WritePageData(BTPage* page);
    // Eviction's write of a dirty page it takes: in a compressed file, with
    // the dirty unheld pages that follow it in the least-recently-used order.
    void WriteBack(BTPage* victim);
    void WriteBatch(BTPage* const* pages, size_t count);
    // A deflated page's slots (slot: u16 L and the compressed bytes, zeros
    // after them; first: room for a split page's first slot) added to the
    // batch's writes, its overflow slot taken or given up.
    void LayOutSlots(BTPage* page, int result, DWORD length, BYTE* slot, BYTE* first);
    // The batch's writes, in file order, adjacent ones joined.
    void WriteRegions();
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
    // Writes bytes at an offset, journalling the committed bytes they replace.
    void WriteRegion(DWORD offset, const void* bytes, UINT n);
    // The flush in three steps: build the header and journal what the flush
    // overwrites (FALSE: nothing to write); write and force pages and
    // header; delete the journal.
    BOOL PrepareCommit(BYTE* header);
    // Journals the committed bytes of every dirty page; TRUE when any is dirty.
    BOOL SaveDirtyOriginals();
    void WriteCommit(const BYTE* header);
    void EndCommit(const BYTE* header);
    // The commit of this file alone, with its move when one is set.
    void CommitAlone(const BYTE* header);
    void ThrowDamaged() const;        // archive exception bad schema, with path
    // Moves to the offset unless the file is there already.
    void SeekTo(DWORD offset);

    BOOL m_bCompressed;
    int m_indexShift; // page table index = (offset - 1024) >> shift
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
    friend class BTJournal;
    // The journal's access: bytes on disk as they are (a short read gives
    // zeros), written without a journal, and the length cut.
    void ReadRegion(DWORD offset, void* bytes, UINT n);
    void WriteRegionRaw(DWORD offset, const void* bytes, UINT n);
    void CutTo(DWORD length);
    void CountPageRequest();
    // Takes the page out of the cache unwritten; a held page is freed by its last holder.
    void DropPage(BTPage* page);
    // 2048-byte pages, or 1280-byte slots at least 1024 bytes apart.
    size_t PageIndex(DWORD offset) const { return (offset - headerAreaSize) >> m_indexShift; }
    BTPage* ReadMissingPage(DWORD offset, BTPageOwner* owner, BOOL bRead);
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
    BTJournal m_journal;
    CFileView m_view;
    BOOL m_bMappedReads;
    DWORD m_viewTriedAt; // the file end at the last try to map, 0 for none
    BYTE m_diskHeader[headerAreaSize]; // the header as on disk, when m_bDiskHeader
    BOOL m_bDiskHeader;
    CString m_moveFrom; // a move the next commit makes (SetCommitMove)
    CString m_moveTo;
    BTJournal::Outcome m_recovery;
};
