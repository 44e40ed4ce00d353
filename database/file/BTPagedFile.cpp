#include "database/file/BTPagedFile.h"

#include "database/file/BTPageCache.h"
#include "database/file/BTPageDeflater.h"
#include "database/file/BTOperation.h"
#include "database/file/BTWriteGate.h"
#include "database/file/BTHeaderTooLongException.h"
#include "database/file/DocHeader.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"
#include "classlib/MessageBox.h"
#include "toolkit/core/LTComp.h"

#include <algorithm>
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(BTPagedFile, CPFile)

namespace
{
// Compressed slot layout (little-endian), at the page's offset:
//   0     u16  L, length of the compressed page
//   2     L bytes of compressed data then zero bytes       (L <= 1278)
//   2     the first 1274 compressed bytes                  (L >  1278)
//   1276  u32  offset of the overflow slot                 (L >  1278)
// The overflow slot holds the compressed bytes from 1274 on, then zero bytes.
const DWORD kInlineMax = 1278;       // most compressed bytes a slot holds alone
const DWORD kSplitAt = 1274;         // compressed bytes kept in a split first slot
const DWORD kCompressedMax = kSplitAt + BTPagedFile::slotSize;
const DWORD kScratchData = 4096;     // room for compressed bytes when writing

// The slot being read or written: u16 L, then the compressed bytes.
BYTE s_scratch[2 + kScratchData];

// Pages written together: deflated at once, their slots written in runs.
const size_t kBatchPages = 256;
// The longest run of adjacent slots or pages written in one call.
const UINT kLongestRun = 1u << 20;

// What a batch writes: bytes at an offset of the file.
struct RegionWrite
{
    DWORD offset;
    const BYTE* bytes;
    UINT size;
};

// A batch's buffers, kept between batches: each page's slot being written
// (u16 L and the compressed bytes), the first slots of split pages, and a
// run of adjacent regions.
std::vector<BYTE> s_batchSlots;
std::vector<BYTE> s_batchFirsts;
std::vector<BYTE> s_run;
std::vector<RegionWrite> s_writes;
std::vector<BTPageDeflater::Job> s_jobs;

const size_t kTableStep = 100;
// A view is made again once the file has grown by a quarter and this much:
// a growing file is mapped a few times in all, a small one at once.
const DWORD kViewGrowth = 16 * BTPagedFile::pageSize;

DWORD GetU32(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

void PutU32(BYTE* p, DWORD v)
{
    p[0] = (BYTE)v;
    p[1] = (BYTE)(v >> 8);
    p[2] = (BYTE)(v >> 16);
    p[3] = (BYTE)(v >> 24);
}
} // namespace

BTPagedFile::BTPagedFile()
    : m_bCompressed(FALSE),
      m_indexShift(11),
      m_docType(0),
      m_version(0),
      m_freeCount(0),
      m_freeHead(0),
      m_fileEnd(headerAreaSize),
      m_position(unknownPosition),
      m_writeExtends(0),
      m_cachedCount(0),
      m_cachedLimit(defaultCachedPageLimit),
      m_pMru(nullptr),
      m_pLru(nullptr),
      m_pMoreRecentFile(nullptr),
      m_pLessRecentFile(nullptr),
      m_bRegistered(FALSE),
      m_pageRequests(0),
      m_failAtRequest(0),
      m_bMappedReads(TRUE),
      m_viewTriedAt(0),
      m_bDiskHeader(FALSE),
      m_recovery(BTJournal::nothingFound)
{
}

BTPagedFile::~BTPagedFile()
{
    DropAllPages();
    BTPageCache::Unregister(this);
}

// ---- hooks ----

void BTPagedFile::InitNew()
{
    m_freeCount = 0;
    m_freeHead = 0;
    m_overflowMap.clear();
    m_position = unknownPosition;
    DropView();
    // A journal of an earlier file of this name must not roll back the new one.
    BTJournal::Discard(m_path);
    m_journal.Reset(0);
    m_bDiskHeader = FALSE;
    BTPageCache::Register(this);
    static const BYTE zeros[headerAreaSize] = {};
    SeekToBegin();
    Write(zeros, headerAreaSize);
    m_fileEnd = headerAreaSize;
    TransferHeader(FALSE);
    CFile::Flush();
    m_journal.Reset(headerAreaSize);
}

void BTPagedFile::OnOpen()
{
    m_position = unknownPosition;
    DropView();
    // A flush that did not end is undone before anything is read.
    m_recovery = BTJournal::Recover(*this, IsWritable());
    BTPageCache::Register(this);
    // A partial page at the end (a damaged file) stays where it is; new
    // pages go after it, on the page grid.
    DWORD length = GetLength();
    DWORD stride = GetPageStride();
    m_fileEnd = headerAreaSize;
    if (length > (DWORD)headerAreaSize)
        m_fileEnd += (length - headerAreaSize + stride - 1) / stride * stride;
    m_journal.Reset(length);
    ReadRegion(0, m_diskHeader, headerAreaSize);
    m_bDiskHeader = TRUE;
    TransferHeader(TRUE);
}

void BTPagedFile::OnClose()
{
    DropView();
    DropAllPages();
    m_overflowMap.clear();
    BTPageCache::Unregister(this);
    // A journal still there (an abort, or a flush that failed) is rolled
    // back at the next open.
    m_journal.Drop();
}

void BTPagedFile::OnAbort()
{
    // Pages cached from an aborted open must not survive into a later open.
    OnClose();
}

void BTPagedFile::FlushBuffers()
{
    if (!IsOpen() || !IsWritable())
        return;
    CWaitCursor wait; // ends with the flush, however it ends
    BYTE header[headerAreaSize];
    if (!PrepareCommit(header))
        return;
    CommitAlone(header);
}

void BTPagedFile::SetCommitMove(const CString& from, const CString& to)
{
    m_moveFrom = from;
    m_moveTo = to;
}

void BTPagedFile::CommitAlone(const BYTE* header)
{
    if (m_moveFrom.IsEmpty())
    {
        m_journal.Sync();
        WriteCommit(header);
        EndCommit(header);
        return;
    }
    // The master journal names the move before this file changes; the move
    // itself, after this file is on disk, is the commit.
    const CString master = BTJournal::MasterPathFor(m_path);
    const CString from = m_moveFrom, to = m_moveTo;
    BTJournal::WriteMaster(master, BTJournal::Named{m_path, m_journal.GetIdentity()}, BTJournal::Named{to, 0}, from);
    m_journal.NameMaster(master);
    m_journal.Sync();
    WriteCommit(header);
    BTJournal::MoveOver(from, to);
    SetCommitMove(CString(), CString());
    BTJournal::Discard(to);
    BTJournal::RemoveMaster(master);
    EndCommit(header);
}

BOOL BTPagedFile::PrepareCommit(BYTE* header)
{
    // The header is built and measured before any page is written: one that
    // no longer fits must not leave new pages behind under the old header.
    // Writing pages changes nothing the header holds.
    BuildHeaderImage(header);
    BOOL bAny = m_journal.IsActive() || !m_bDiskHeader || memcmp(header, m_diskHeader, headerAreaSize) != 0 ||
                !m_moveFrom.IsEmpty();
    if (SaveDirtyOriginals())
        bAny = TRUE;
    if (bAny)
    {
        m_journal.Save(*this, 0, headerAreaSize);
        m_journal.NoteNewHeader(header);
    }
    return bAny;
}

BOOL BTPagedFile::SaveDirtyOriginals()
{
    BOOL bAny = FALSE;
    for (BTPage* page = m_pLru; page; page = page->m_pMoreRecent)
    {
        if (!page->m_bDirty)
            continue;
        bAny = TRUE;
        m_journal.Save(*this, page->m_offset, GetPageStride());
        auto overflow = m_overflowMap.find(page->m_offset);
        if (overflow != m_overflowMap.end())
            m_journal.Save(*this, overflow->second, slotSize);
    }
    return bAny;
}

void BTPagedFile::WriteCommit(const BYTE* header)
{
    // From the least recent page: pages appended in a row then go to disk in
    // file order.
    std::vector<BTPage*> dirty;
    AfxTranslateBadAlloc([&] {
        for (BTPage* page = m_pLru; page; page = page->m_pMoreRecent)
        {
            if (page->m_bDirty)
                dirty.push_back(page);
        }
    });
    WritePages(dirty.data(), dirty.size());
    WriteHeaderImage(header);
    CFile::Flush();
}

void BTPagedFile::EndCommit(const BYTE* header)
{
    m_journal.Commit();
    m_journal.Reset(GetLength());
    memcpy(m_diskHeader, header, headerAreaSize);
    m_bDiskHeader = TRUE;
}

void BTPagedFile::FlushPagesTogether(BTPagedFile& first, BTPagedFile& second)
{
    BTPagedFile* files[2] = {&first, &second};
    BYTE headers[2][headerAreaSize];
    BOOL writes[2] = {FALSE, FALSE};
    for (int i = 0; i < 2; ++i)
        writes[i] = files[i]->IsOpen() && files[i]->IsWritable() && files[i]->PrepareCommit(headers[i]);
    if (!writes[0] || !writes[1] || !first.m_moveFrom.IsEmpty() || !second.m_moveFrom.IsEmpty())
    {
        // One file alone commits on its own; a file with a move commits
        // after the other.
        const int order[2] = {first.m_moveFrom.IsEmpty() ? 0 : 1, first.m_moveFrom.IsEmpty() ? 1 : 0};
        for (int i : order)
        {
            if (writes[i])
                files[i]->CommitAlone(headers[i]);
        }
        return;
    }
    CWaitCursor wait;
    const CString master = BTJournal::MasterPathFor(first.m_path);
    BTJournal::WriteMaster(master, BTJournal::Named{first.m_path, first.m_journal.GetIdentity()},
                           BTJournal::Named{second.m_path, second.m_journal.GetIdentity()});
    for (int i = 0; i < 2; ++i)
    {
        BTPagedFile* other = files[1 - i];
        BYTE committed[headerAreaSize];
        BTJournal::ReadHeader(*other, committed);
        files[i]->m_journal.NameMaster(master);
        files[i]->m_journal.NamePartner(other->m_path, committed, headers[1 - i]);
        files[i]->m_journal.Sync();
    }
    for (int i = 0; i < 2; ++i)
        files[i]->WriteCommit(headers[i]);
    BTJournal::RemoveMaster(master); // the commit of both
    for (int i = 0; i < 2; ++i)
        files[i]->EndCommit(headers[i]);
}

// ---- tracked file position ----

UINT BTPagedFile::Read(void* lpBuf, UINT nCount)
{
    DWORD at = m_position;
    m_position = unknownPosition;
    UINT n = CPFile::Read(lpBuf, nCount);
    if (at != unknownPosition)
        m_position = at + n;
    return n;
}

void BTPagedFile::Write(const void* lpBuf, UINT nCount)
{
    DWORD at = m_position;
    m_position = unknownPosition;
    UINT passed = BTWriteGate::Write(nCount);
    if (passed != 0)
        CPFile::Write(lpBuf, passed);
    if (at != unknownPosition && passed == nCount)
        m_position = at + nCount;
}

DWORD BTPagedFile::Seek(LONG lOff, UINT nFrom)
{
    m_position = unknownPosition;
    DWORD at = CPFile::Seek(lOff, nFrom);
    m_position = at;
    return at;
}

void BTPagedFile::SetLength(DWORD dwNewLen)
{
    m_position = unknownPosition;
    // No view may outlive the bytes it shows.
    DropView();
    if (BTWriteGate::Change())
        CPFile::SetLength(dwNewLen);
}

void BTPagedFile::SeekTo(DWORD offset)
{
    if (m_position != offset)
        Seek((LONG)offset, begin);
}

// ---- header ----

void BTPagedFile::TransferHeader(BOOL bLoad)
{
    if (bLoad)
    {
        SeekToBegin();
        CArchive ar(this, CArchive::load | CArchive::bNoFlushOnDelete, 4096);
        SerializeHeader(ar);
        ar.Close();
        SeekToBegin();
        return;
    }
    BYTE header[headerAreaSize];
    BuildHeaderImage(header);
    WriteHeaderImage(header);
}

void BTPagedFile::BuildHeaderImage(BYTE* image)
{
    // Built in memory: a header that outgrows its area would run into page 0,
    // so it is refused before a byte reaches the file.
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store | CArchive::bNoFlushOnDelete, 4096);
        SerializeHeader(ar);
        ar.Close();
    }
    DWORD length = memory.GetLength();
    if (length > headerAreaSize)
        BTThrowHeaderTooLong(m_path);
    // The whole area is written, so a header that shrank leaves zeros behind it.
    memset(image, 0, headerAreaSize);
    memory.SeekToBegin();
    memory.Read(image, (UINT)length);
}

void BTPagedFile::WriteHeaderImage(const BYTE* image)
{
    WriteRegion(0, image, headerAreaSize);
    SeekToBegin();
    memcpy(m_diskHeader, image, headerAreaSize);
    m_bDiskHeader = TRUE;
}

void BTPagedFile::WriteRegion(DWORD offset, const void* bytes, UINT n)
{
    // The committed bytes go to the journal, on disk, before they change.
    // A page written back before the flush journals every dirty page with
    // it, so the pages evicted after it need no journal write of their own.
    if (m_journal.Protects(offset))
    {
        SaveDirtyOriginals();
        m_journal.Save(*this, offset, n);
        m_journal.Sync();
    }
    SeekTo(offset);
    Write(bytes, n);
}

void BTPagedFile::WriteRegionRaw(DWORD offset, const void* bytes, UINT n)
{
    SeekTo(offset);
    Write(bytes, n);
}

void BTPagedFile::ReadRegion(DWORD offset, void* bytes, UINT n)
{
    SeekTo(offset);
    UINT got = Read(bytes, n);
    if (got < n)
        memset((BYTE*)bytes + got, 0, n - got);
}

void BTPagedFile::CutTo(DWORD length)
{
    SetLength(length);
}

void BTPagedFile::SerializeHeader(CArchive& ar)
{
    DocHeaderStart start;
    if (ar.IsStoring())
    {
        StoreDocumentHeader(ar, 0, 0, m_docType, m_version, m_title, m_comments);
        ar << m_freeCount << m_freeHead;
        return;
    }
    if (!start.Load(ar) || start.codeA != 0 || start.codeB != 0)
        AfxThrowArchiveException(CArchiveException::badSchema, m_path);
    if (start.type != m_docType || start.version > m_version)
        AfxThrowArchiveException(CArchiveException::badSchema);
    m_version = start.version;
    ar >> m_title >> m_comments >> m_freeCount >> m_freeHead;
}

// ---- page operations ----

void BTPagedFile::CheckPageOffset(DWORD offset) const
{
    DWORD stride = GetPageStride();
    if (offset < (DWORD)headerAreaSize || (offset - headerAreaSize) % stride != 0)
        AfxThrowFileException(CFileException::badSeek, -1, m_path);
}

BOOL BTPagedFile::IsPageCached(DWORD offset) const
{
    return FindCached(offset) != nullptr;
}

BTPage* BTPagedFile::FindCached(DWORD offset) const
{
    if (offset < (DWORD)headerAreaSize)
        return nullptr;
    size_t index = PageIndex(offset);
    if (index >= m_pageTable.size())
        return nullptr;
    BTPage* page = m_pageTable[index];
    if (!page)
        return nullptr;
    // A page looked up is about to be used: its data's first line and last
    // lines (a node's header and slot array) are fetched while its handle is.
    __builtin_prefetch(page->m_data);
    for (int at = pageSize - 256; at < pageSize; at += 64)
        __builtin_prefetch(page->m_data + at);
    return page->m_offset == offset ? page : nullptr;
}

void BTPagedFile::CountPageRequest()
{
    ++m_pageRequests;
    if (m_failAtRequest != 0 && m_pageRequests == m_failAtRequest)
        AfxThrowFileException(CFileException::hardIO, -1, m_path);
}

void BTPagedFile::FailAtPageRequest(DWORD n)
{
    m_pageRequests = 0;
    m_failAtRequest = n;
}

BTPage* BTPagedFile::ReadPage(DWORD offset, BTPageOwner* owner, BOOL bRead)
{
    if (BTPage* page = BTPageCache::FindHit(this, offset, owner))
        return page;
    CountPageRequest();
    if (BTPage* page = FindCached(offset))
    {
        // Reached with failure injection armed only.
        ++BTPageCache::s_hits;
        page->m_bUsed = TRUE;
        page->m_pOwner = owner;
        BTPageCache::MoveToFront(this);
        return page;
    }
    return ReadMissingPage(offset, owner, bRead);
}

BTPage* BTPagedFile::ReadMissingPage(DWORD offset, BTPageOwner* owner, BOOL bRead)
{
    CheckPageOffset(offset);
    BTPageCache::Register(this);
    BTPageCache::MoveToFront(this);

    // Room in the table first: once a buffer is taken, nothing may fail
    // before the page is cached or the buffer given back.
    ReserveTableEntry(offset);
    ++BTPageCache::s_misses;
    BTPage* page = BTPageCache::ObtainBuffer(this);
    page->m_pMoreRecent = page->m_pLessRecent = nullptr;
    page->m_pOwner = owner;
    page->m_pFile = this;
    page->m_bDirty = FALSE;
    page->m_bOverflow = FALSE;
    page->m_nRefs = 0;
    page->m_bLogged = FALSE;
    page->m_bUsed = FALSE;
    page->m_pChecked = nullptr;
    page->m_offset = offset;
    page->m_pSlotArrayEnd = page->m_data + pageSize - 2;
    if (bRead)
    {
        // Read before the page enters the table, so a damaged page leaves no trace.
        try
        {
            ReadPageData(page);
        }
        catch (CException*)
        {
            BTPageCache::FreeBuffer(page);
            throw;
        }
    }
    InsertCached(page);
    return page;
}

void BTPagedFile::ReadPageData(BTPage* page)
{
    if (m_bCompressed)
    {
        ReadCompressed(page);
        return;
    }
    if (const BYTE* mapped = FindMapped(page->m_offset))
    {
        memcpy(page->m_data, mapped, pageSize);
        return;
    }
    SeekTo(page->m_offset);
    if (Read(page->m_data, pageSize) != (UINT)pageSize)
        ThrowDamaged();
}

const BYTE* BTPagedFile::FindMapped(DWORD offset)
{
    if (const BYTE* at = m_view.Find(offset, pageSize))
        return at;
    if (!m_bMappedReads || m_fileEnd < m_viewTriedAt + m_viewTriedAt / 4 + kViewGrowth)
        return nullptr;
    m_viewTriedAt = m_fileEnd;
    // What the disk holds, not the end the pages see: space appended and not
    // yet written is not there to map.
    if (!m_view.Map(*this, GetLength()))
        return nullptr;
    return m_view.Find(offset, pageSize);
}

void BTPagedFile::DropView()
{
    m_view.Unmap();
    m_viewTriedAt = 0;
}

void BTPagedFile::SetMappedReads(BOOL bMapped)
{
    m_bMappedReads = bMapped;
    if (!bMapped)
        DropView();
}

void BTPagedFile::WritePage(BTPage* page)
{
    if (page->m_pOwner)
        page->m_pOwner->BeforePageWrite(page);
    WritePageData(page);
    ++BTPageCache::s_pageWrites;
    page->m_bDirty = FALSE;
    BTOperation::PageWritten(page);
}

void BTPagedFile::WritePages(BTPage* const* pages, size_t count)
{
    for (size_t start = 0; start < count; start += kBatchPages)
        WriteBatch(pages + start, std::min(kBatchPages, count - start));
}

void BTPagedFile::WriteBack(BTPage* victim)
{
    if (!m_bCompressed)
    {
        WritePage(victim);
        return;
    }
    // The dirty pages nearest the victim in the least-recently-used order
    // would be evicted (and deflated one at a time) next: they are deflated
    // with it now, and stay cached, clean.
    BTPage* batch[kBatchPages];
    size_t count = 0;
    batch[count++] = victim;
    for (BTPage* page = victim->m_pMoreRecent; page && count < kBatchPages; page = page->m_pMoreRecent)
    {
        if (page->m_bDirty && page->m_nRefs == 0 && !page->m_bUsed)
            batch[count++] = page;
    }
    WriteBatch(batch, count);
}

void BTPagedFile::WriteBatch(BTPage* const* pages, size_t count)
{
    for (size_t i = 0; i < count; ++i)
    {
        if (pages[i]->m_pOwner)
            pages[i]->m_pOwner->BeforePageWrite(pages[i]);
    }
    AfxTranslateBadAlloc([&] {
        s_writes.clear();
        s_writes.reserve(2 * count);
    });
    size_t ready = count; // pages whose regions are laid out
    CException* failure = nullptr;
    if (m_bCompressed)
    {
        const size_t slotBytes = 2 + kScratchData;
        AfxTranslateBadAlloc([&] {
            s_batchSlots.assign(count * slotBytes, 0);
            s_batchFirsts.resize(count * slotSize);
            s_jobs.resize(count);
        });
        for (size_t i = 0; i < count; ++i)
            s_jobs[i] = BTPageDeflater::Job{pages[i]->m_data, pageSize, &s_batchSlots[i * slotBytes] + 2,
                                            kScratchData, 0, 0};
        BTPageDeflater::Deflate(s_jobs.data(), count);
        for (size_t i = 0; i < count; ++i)
        {
            try
            {
                LayOutSlots(pages[i], s_jobs[i].result, s_jobs[i].destLength, &s_batchSlots[i * slotBytes],
                            &s_batchFirsts[i * slotSize]);
            }
            catch (CException* e)
            {
                ready = i;
                failure = e;
                break;
            }
        }
    }
    else
    {
        for (size_t i = 0; i < count; ++i)
            s_writes.push_back(RegionWrite{pages[i]->m_offset, pages[i]->m_data, pageSize});
    }
    try
    {
        WriteRegions();
    }
    catch (CException*)
    {
        if (failure)
            failure->Delete();
        throw;
    }
    for (size_t i = 0; i < ready; ++i)
    {
        pages[i]->m_bDirty = FALSE;
        ++BTPageCache::s_pageWrites;
        BTOperation::PageWritten(pages[i]);
    }
    if (failure)
        throw failure;
}

void BTPagedFile::LayOutSlots(BTPage* page, int result, DWORD length, BYTE* slot, BYTE* first)
{
    if (result != LTComp::ok || length > kCompressedMax)
        AfxThrowMemoryException();
    ++BTPageCache::s_deflates;
    slot[0] = (BYTE)length;
    slot[1] = (BYTE)(length >> 8);
    if (length > kInlineMax)
    {
        DWORD overflow = LookupOverflowSlot(page->m_offset);
        SetOverflowSlot(page->m_offset, overflow);
        page->m_bOverflow = TRUE;
        memcpy(first, slot, 2 + kSplitAt);
        PutU32(first + 2 + kSplitAt, overflow);
        s_writes.push_back(RegionWrite{overflow, slot + 2 + kSplitAt, slotSize});
        s_writes.push_back(RegionWrite{page->m_offset, first, slotSize});
        return;
    }
    if (page->m_bOverflow)
    {
        RemoveOverflowSlot(page->m_offset);
        page->m_bOverflow = FALSE;
    }
    s_writes.push_back(RegionWrite{page->m_offset, slot, slotSize});
}

void BTPagedFile::WriteRegions()
{
    // In the order of the file, adjacent regions joined into one write. A
    // region the journal must save first is written alone, as WriteRegion
    // saves it: a run is written at once only when none of it needs that.
    std::stable_sort(s_writes.begin(), s_writes.end(),
                     [](const RegionWrite& a, const RegionWrite& b) { return a.offset < b.offset; });
    size_t i = 0;
    while (i < s_writes.size())
    {
        size_t end = i + 1;
        UINT bytes = s_writes[i].size;
        BOOL bProtected = m_journal.Protects(s_writes[i].offset);
        while (end < s_writes.size() && s_writes[end].offset == s_writes[end - 1].offset + s_writes[end - 1].size &&
               bytes + s_writes[end].size <= kLongestRun)
        {
            bProtected = bProtected || m_journal.Protects(s_writes[end].offset);
            bytes += s_writes[end].size;
            ++end;
        }
        if (end - i == 1 || bProtected)
        {
            for (; i < end; ++i)
                WriteRegion(s_writes[i].offset, s_writes[i].bytes, s_writes[i].size);
            continue;
        }
        AfxTranslateBadAlloc([&] { s_run.resize(bytes); });
        BYTE* at = s_run.data();
        for (size_t k = i; k < end; ++k)
        {
            memcpy(at, s_writes[k].bytes, s_writes[k].size);
            at += s_writes[k].size;
        }
        WriteRegion(s_writes[i].offset, s_run.data(), bytes);
        i = end;
    }
}

void BTPagedFile::WritePageData(BTPage* page)
{
    if (m_bCompressed)
    {
        WriteCompressed(page);
        return;
    }
    WriteRegion(page->m_offset, page->m_data, pageSize);
}

BTPageRef& BTPagedFile::AllocPage(BTPageRef& ref, BTPageOwner* owner)
{
    CountPageRequest();
    BTOperation::EnlistFile(this);
    if (m_freeHead != 0)
    {
        ref = ReadPage(m_freeHead, owner, TRUE);
        // A list that leads into a live page would hand out its data twice.
        if (ref->m_data[0] != BTPage::typeFree || m_freeCount == 0)
        {
            ref.Release();
            ThrowDamaged();
        }
        BTOperation::BeforeChange(ref);
        m_freeHead = GetU32(ref->m_data + 2);
        --m_freeCount;
    }
    else
    {
        if (!IsWritable())
            AfxThrowFileException(CFileException::accessDenied, -1, m_path);
        ReserveTableEntry(m_fileEnd); // the file grows only when the page can be cached
        DWORD offset = ExtendFile(GetPageStride());
        ref = ReadPage(offset, owner, FALSE);
        BTOperation::BeforeChange(ref);
    }
    ref->m_pOwner = owner;
    ref->m_pChecked = nullptr;
    memset(ref->m_data, 0, pageSize);
    ref->m_bDirty = TRUE;
    return ref;
}

void BTPagedFile::FreePage(DWORD offset)
{
    BTOperation::EnlistFile(this);
    BTPageRef ref(ReadPage(offset, nullptr, TRUE));
    BTOperation::BeforeChange(ref);
    ref->m_data[0] = BTPage::typeFree;
    PutU32(ref->m_data + 2, m_freeHead);
    ref->m_pOwner = nullptr;
    ref->m_pChecked = nullptr;
    ref->m_bDirty = TRUE;
    m_freeHead = offset;
    ++m_freeCount;
}

void BTPagedFile::ForgetOwner(BTPageOwner* owner)
{
    for (BTPage* page = m_pMru; page; page = page->m_pLessRecent)
    {
        if (page->m_pOwner == owner)
            page->m_pOwner = nullptr;
        if (page->m_pChecked == owner)
            page->m_pChecked = nullptr;
    }
}

DWORD BTPagedFile::ExtendFile(DWORD bytes)
{
    DWORD offset = m_fileEnd;
    m_fileEnd += bytes;
    return offset;
}

void BTPagedFile::ThrowDamaged() const
{
    AfxThrowArchiveException(CArchiveException::badSchema, m_path);
}

// ---- compressed pages ----

void BTPagedFile::ReadCompressed(BTPage* page)
{
    SeekTo(page->m_offset);
    if (Read(s_scratch, slotSize) != (UINT)slotSize)
        ThrowDamaged();
    DWORD length = (DWORD)s_scratch[0] | ((DWORD)s_scratch[1] << 8);
    if (length == 0 || length > kCompressedMax)
        ThrowDamaged();
    DWORD overflowSlot = 0;
    if (length > kInlineMax)
    {
        DWORD slot = GetU32(s_scratch + 2 + kSplitAt);
        if (slot < (DWORD)headerAreaSize || (slot - headerAreaSize) % slotSize != 0 || slot == page->m_offset)
            ThrowDamaged();
        SeekTo(slot);
        if (Read(s_scratch + 2 + kSplitAt, slotSize) != (UINT)slotSize)
            ThrowDamaged();
        page->m_bOverflow = TRUE;
        overflowSlot = slot;
    }
    LTComp comp;
    unsigned long size = pageSize;
    int result = comp.Uncompress(page->m_data, &size, s_scratch + 2, length);
    if (result == LTComp::memError)
        AfxThrowMemoryException();
    if (result != LTComp::ok || size != (unsigned long)pageSize)
        ThrowDamaged();
    // Recorded once the page is known good: a damaged page leaves no trace.
    if (overflowSlot != 0)
        SetOverflowSlot(page->m_offset, overflowSlot);
}

void BTPagedFile::WriteCompressed(BTPage* page)
{
    memset(s_scratch, 0, sizeof(s_scratch));
    LTComp comp;
    unsigned long length = kScratchData;
    if (comp.Compress(s_scratch + 2, &length, page->m_data, pageSize) != LTComp::ok || length > kCompressedMax)
        AfxThrowMemoryException();
    ++BTPageCache::s_deflates;
    s_scratch[0] = (BYTE)length;
    s_scratch[1] = (BYTE)(length >> 8);

    if (length > kInlineMax)
    {
        DWORD slot = LookupOverflowSlot(page->m_offset);
        SetOverflowSlot(page->m_offset, slot);
        page->m_bOverflow = TRUE;
        BYTE first[slotSize];
        memcpy(first, s_scratch, 2 + kSplitAt);
        PutU32(first + 2 + kSplitAt, slot);
        // The overflow part goes first, so the first slot never points at
        // bytes that are not there yet.
        WriteRegion(slot, s_scratch + 2 + kSplitAt, slotSize);
        WriteRegion(page->m_offset, first, slotSize);
        return;
    }
    if (page->m_bOverflow)
    {
        RemoveOverflowSlot(page->m_offset);
        page->m_bOverflow = FALSE;
    }
    WriteRegion(page->m_offset, s_scratch, slotSize);
}

DWORD BTPagedFile::LookupOverflowSlot(DWORD pageOffset)
{
    auto it = m_overflowMap.find(pageOffset);
    if (it != m_overflowMap.end())
        return it->second;
    ++m_writeExtends;
    return ExtendFile(slotSize);
}

void BTPagedFile::SetOverflowSlot(DWORD pageOffset, DWORD slotOffset)
{
    AfxTranslateBadAlloc([&] { m_overflowMap[pageOffset] = slotOffset; });
}

void BTPagedFile::RemoveOverflowSlot(DWORD pageOffset)
{
    m_overflowMap.erase(pageOffset);
}

// ---- this file's page list and table ----

void BTPagedFile::ReserveTableEntry(DWORD offset)
{
    size_t index = PageIndex(offset);
    if (index >= m_pageTable.size())
        AfxTranslateBadAlloc([&] { m_pageTable.resize((index / kTableStep + 1) * kTableStep, nullptr); });
}

void BTPagedFile::InsertCached(BTPage* page)
{
    m_pageTable[PageIndex(page->m_offset)] = page; // reserved by ReserveTableEntry
    page->m_pLessRecent = m_pMru;
    page->m_pMoreRecent = nullptr;
    page->m_bUsed = FALSE;
    if (m_pMru)
        m_pMru->m_pMoreRecent = page;
    else
        m_pLru = page;
    m_pMru = page;
    ++m_cachedCount;
    ++BTPageCache::s_totalCount;
}

void BTPagedFile::RemoveCached(BTPage* page)
{
    m_pageTable[PageIndex(page->m_offset)] = nullptr;
    if (page->m_pMoreRecent)
        page->m_pMoreRecent->m_pLessRecent = page->m_pLessRecent;
    else
        m_pMru = page->m_pLessRecent;
    if (page->m_pLessRecent)
        page->m_pLessRecent->m_pMoreRecent = page->m_pMoreRecent;
    else
        m_pLru = page->m_pMoreRecent;
    page->m_pMoreRecent = page->m_pLessRecent = nullptr;
    --m_cachedCount;
    --BTPageCache::s_totalCount;
}

void BTPagedFile::MoveToFront(BTPage* page)
{
    if (m_pMru == page)
        return;
    // Unlink (it is not the front, so it has a more recent neighbour).
    page->m_pMoreRecent->m_pLessRecent = page->m_pLessRecent;
    if (page->m_pLessRecent)
        page->m_pLessRecent->m_pMoreRecent = page->m_pMoreRecent;
    else
        m_pLru = page->m_pMoreRecent;
    page->m_pMoreRecent = nullptr;
    page->m_pLessRecent = m_pMru;
    m_pMru->m_pMoreRecent = page;
    m_pMru = page;
    page->m_bUsed = FALSE;
}

void BTPagedFile::DropPage(BTPage* page)
{
    RemoveCached(page);
    m_overflowMap.erase(page->m_offset);
    if (page->m_nRefs != 0)
        page->m_pFile = nullptr; // freed by its last holder
    else
        BTPageCache::FreeBuffer(page);
}

void BTPagedFile::DropAllPages()
{
    while (BTPage* page = m_pMru)
    {
        RemoveCached(page);
        if (page->m_nRefs != 0)
            page->m_pFile = nullptr; // freed by its last BTPageRef
        else
            BTPageCache::FreeBuffer(page);
    }
    m_pageTable.clear();
}
