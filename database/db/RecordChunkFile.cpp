#include "database/db/RecordChunkFile.h"

#include "database/btree/BTNode.h"
#include "database/btree/BTRecordTree.h"
#include "database/btree/BTreeCursor.h"
#include "database/file/BTPagedFile.h"

#include <algorithm>
#include <cstring>

namespace {

// Record tree entry: u32 record number, u16 chunk, u16 data length, data.
const int kChunkAt = 4;
const int kDataAt = BTRecordTree::headerSize;
// How far past the remembered leaf's last record the next leaf is tried.
const DWORD kNearbyRecords = 4;

DWORD NumberOf(const BYTE* entry)
{
    return BTNode::GetU32At(entry);
}

WORD ChunkOf(const BYTE* entry)
{
    return (WORD)(entry[kChunkAt] | (entry[kChunkAt + 1] << 8));
}

} // namespace

RecordChunkFile::RecordChunkFile(BTRecordTree& tree)
    : m_tree(tree), m_leaf(0), m_placeFirst(0), m_placeLast(0), m_slot(0), m_recordNumber(0),
      m_chunk(nullptr), m_chunkLength(0), m_chunkPos(0), m_expected(0), m_ended(TRUE)
{
}

void RecordChunkFile::Finish()
{
    if (m_page) {
        const BTNode leaf(m_page.Data());
        m_placeFirst = NumberOf(leaf.Entry(0));
        m_placeLast = NumberOf(leaf.Entry(leaf.Count() - 1));
    }
    m_page.Release();
    m_chunk = nullptr;
    m_chunkLength = m_chunkPos = 0;
    m_ended = TRUE;
}

void RecordChunkFile::ForgetPlace()
{
    Finish();
    m_leaf = 0;
}

BOOL RecordChunkFile::Start(DWORD recordNumber)
{
    Finish();
    m_recordNumber = recordNumber;
    m_expected = 0;
    if (!StartInPlace(recordNumber)) {
        BTreeCursor cursor(&m_tree);
        BTRecordTree::SetSearchKey(recordNumber, 0);
        if (!m_tree.Find(cursor) || !cursor.IsOnEntry())
            return FALSE;
        m_page = m_tree.GetNode(cursor.GetLeaf(), BTNode::kindLeaf);
        m_leaf = cursor.GetLeaf();
        m_slot = cursor.GetSlot();
        if (m_slot >= BTNode(m_page.Data()).Count())
            return FALSE;
    }
    const BYTE* e = BTNode(m_page.Data()).Entry(m_slot);
    if (NumberOf(e) != recordNumber || ChunkOf(e) != 0) {
        m_page.Release();
        return FALSE;
    }
    m_ended = FALSE;
    return TRUE;
}

BTPageRef RecordChunkFile::TakeRememberedLeaf(DWORD offset)
{
    BTPageRef page;
    BTPagedFile* file = m_tree.GetFile();
    if (offset == 0 || !file || !file->IsPageCached(offset))
        return page;
    page = m_tree.GetPage(offset);
    if (page->GetCheckedBy() != static_cast<const BTPageOwner*>(&m_tree) ||
        page.Data()[0] != BTNode::kindLeaf || BTNode(page.Data()).Count() <= 0)
        page.Release();
    return page;
}

BOOL RecordChunkFile::SeekInLeaf(DWORD recordNumber)
{
    BTNode leaf(m_page.Data());
    const int n = leaf.Count();
    const BYTE* first = leaf.Entry(0);
    if (NumberOf(first) > recordNumber || (NumberOf(first) == recordNumber && ChunkOf(first) != 0))
        return FALSE;
    if (NumberOf(leaf.Entry(n - 1)) < recordNumber)
        return FALSE;
    int lo = 0, hi = n;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (NumberOf(leaf.Entry(mid)) < recordNumber)
            lo = mid + 1;
        else
            hi = mid;
    }
    m_slot = lo;
    return TRUE;
}

BOOL RecordChunkFile::StartInPlace(DWORD recordNumber)
{
    // The place's numbers as they were: a read far from them is not worth a look.
    if (recordNumber < m_placeFirst ||
        (recordNumber > m_placeLast && recordNumber - m_placeLast > kNearbyRecords))
        return FALSE;
    m_page = TakeRememberedLeaf(m_leaf);
    if (!m_page)
        return FALSE;
    if (SeekInLeaf(recordNumber))
        return TRUE;
    // Records read in ascending order soon pass the remembered leaf. A
    // number far past it is not looked for in the next leaf: a leaf holds a
    // record or two, and random reads would only pay for a page they skip.
    const BTNode leaf(m_page.Data());
    const DWORD last = NumberOf(leaf.Entry(leaf.Count() - 1));
    if (last < recordNumber && recordNumber - last <= kNearbyRecords) {
        const DWORD next = leaf.Next();
        m_page = TakeRememberedLeaf(next);
        if (m_page && SeekInLeaf(recordNumber)) {
            m_leaf = next;
            return TRUE;
        }
    }
    m_page.Release();
    return FALSE;
}

BOOL RecordChunkFile::StepLeaf()
{
    const BTNode from(m_page.Data());
    const DWORD next = from.Next();
    if (next == 0)
        return FALSE;
    BTPageRef page = m_tree.GetNode(next, BTNode::kindLeaf);
    const BTNode to(page.Data());
    // A damaged chain must not lead back: keys keep rising from leaf to leaf.
    if (to.Count() <= 0 || m_tree.CompareKeys(from.Entry(from.Count() - 1), to.Entry(0)) >= 0)
        BTThrowDamagedNode();
    m_page = page;
    m_leaf = next;
    m_slot = 0;
    return TRUE;
}

BOOL RecordChunkFile::TakeChunk()
{
    if (m_ended || m_expected >= (DWORD)BTChunkedObject::maxChunks)
        return FALSE;
    if (m_expected > 0) {
        ++m_slot;
        if (m_slot >= BTNode(m_page.Data()).Count() && !StepLeaf()) {
            m_ended = TRUE;
            return FALSE;
        }
    }
    const BTNode leaf(m_page.Data());
    const BYTE* e = leaf.Entry(m_slot);
    if (NumberOf(e) != m_recordNumber || ChunkOf(e) != m_expected) {
        m_ended = TRUE;
        return FALSE;
    }
    // The leaf passed the tree's check: each entry is the key, u16 L and L bytes.
    const int length = leaf.EntryLength(m_slot);
    const int data = m_tree.GetDataSize(e) - 2;
    if (data < 0 || kDataAt + data > length)
        BTThrowDamagedNode();
    m_chunk = e + kDataAt;
    m_chunkLength = data;
    m_chunkPos = 0;
    ++m_expected;
    return TRUE;
}

UINT RecordChunkFile::Read(void* lpBuf, UINT nCount)
{
    while (m_chunkPos == m_chunkLength) {
        if (!TakeChunk())
            return 0;
    }
    const UINT n = std::min<UINT>(nCount, (UINT)(m_chunkLength - m_chunkPos));
    std::memcpy(lpBuf, m_chunk + m_chunkPos, n);
    m_chunkPos += (int)n;
    return n;
}
