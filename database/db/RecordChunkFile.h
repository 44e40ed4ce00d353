// RecordChunkFile: the stored stream of one record of a record tree, read
// chunk by chunk as the reader asks for it.
//
// A record is kept as chunks 0, 1, 2, ... under its record number (see
// BTRecordTree); Read hands out at most the rest of one chunk per call and
// moves to the next chunk only when asked, so a reader that stops early (a
// search test that needs the first fields only) never touches the later
// chunks or their pages. The chunks are taken as BTChunkedObject takes them:
// the run stops at the first gap, and an entry whose data length lies outside
// it is a damaged node (CArchiveException).
//
// Only Read is supported; the file is never opened on disk.
#pragma once

#include "classlib/File.h"
#include "database/btree/BTNode.h"
#include "database/btree/BTreeCursor.h"

class BTRecordTree;

class RecordChunkFile : public CFile
{
public:
    explicit RecordChunkFile(BTRecordTree& tree);

    // Positions on chunk 0 of the record; FALSE when the record has none.
    BOOL Start(DWORD recordNumber);

    UINT Read(void* lpBuf, UINT nCount) override;

private:
    // Takes the chunk under the cursor into m_chunk; FALSE at the end of the run.
    BOOL TakeChunk();

    BTRecordTree& m_tree;
    BTreeCursor m_cursor;
    BYTE m_first[BTNode::pageSize]; // chunk 0's key
    BYTE m_chunk[BTNode::pageSize];
    int m_chunkLength;
    int m_chunkPos;
    DWORD m_expected;
    BOOL m_ended;
};
