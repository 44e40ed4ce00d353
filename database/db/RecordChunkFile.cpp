#include "database/db/RecordChunkFile.h"

#include "database/btree/BTRecordTree.h"
#include "database/file/BTPageRef.h"

#include <algorithm>
#include <cstring>

RecordChunkFile::RecordChunkFile(BTRecordTree& tree)
    : m_tree(tree), m_cursor(&tree), m_chunkLength(0), m_chunkPos(0), m_expected(0), m_ended(TRUE)
{
}

BOOL RecordChunkFile::Start(DWORD recordNumber)
{
    m_chunkLength = m_chunkPos = 0;
    m_expected = 0;
    m_ended = TRUE;
    m_cursor.SetTree(&m_tree);
    BTRecordTree::SetSearchKey(recordNumber, 0);
    if (!m_tree.Find(m_cursor))
        return FALSE;
    BTPageRef hold;
    int length;
    const BYTE* e = m_cursor.GetEntry(hold, &length);
    if (!e || m_tree.GetDuplicateNumber(e) != 0)
        return FALSE;
    // Only the key is compared with the later chunks' entries.
    std::memcpy(m_first, e, (size_t)std::min(length, m_tree.GetKeySize(e)));
    m_ended = FALSE;
    return TRUE;
}

BOOL RecordChunkFile::TakeChunk()
{
    if (m_ended || m_expected >= (DWORD)BTChunkedObject::maxChunks)
        return FALSE;
    if (m_expected > 0 && !m_cursor.Next()) {
        m_ended = TRUE;
        return FALSE;
    }
    BTPageRef hold;
    int length;
    const BYTE* e = m_cursor.GetEntry(hold, &length);
    if (!e || m_tree.CompareKeyText(m_first, e) != 0 || m_tree.GetDuplicateNumber(e) != m_expected) {
        m_ended = TRUE;
        return FALSE;
    }
    // The entry passed its kind's check: key, u16 length L, L bytes.
    const int data = m_tree.GetDataSize(e) - 2;
    if (data < 0 || data > length)
        BTThrowDamagedNode();
    std::memcpy(m_chunk, e + length - data, (size_t)data);
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
