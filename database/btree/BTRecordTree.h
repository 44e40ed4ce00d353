// BTRecordTree: the tree kind that stores records in chunks.
//
// Key (6 bytes): u32 record number, u16 chunk number. Entry: the key, u16
// data length L, L data bytes (8 + L bytes). Keys order by record number,
// then chunk, both unsigned; the key text is the record number alone.
//
// A record is stored as a chunked object (BTChunkedObject): its archive cut
// into chunks 0, 1, 2, ... of at most 200 bytes. The object count counts
// records, the entry count chunks.
#pragma once

#include "database/btree/BTChunkedKeyTree.h"
#include "database/btree/BTChunkedObject.h"

class BTreeCursor;
class CObject;

class BTRecordTree : public BTChunkedKeyTree
{
public:
    enum
    {
        keySize = 6,
        headerSize = 8, // key and data length
    };

    // The chunks of one record.
    class ObjectKey : public BTObjectKey
    {
    public:
        explicit ObjectKey(DWORD recordNumber) : m_recordNumber(recordNumber) {}
        void SetSearchKey(WORD chunk) const override { BTRecordTree::SetSearchKey(m_recordNumber, chunk); }
        void SetSearchEntry(WORD chunk, const BYTE* data, int length) const override
        {
            BTRecordTree::SetSearchEntry(m_recordNumber, chunk, data, length);
        }

    private:
        DWORD m_recordNumber;
    };

    BTRecordTree() : BTChunkedKeyTree(1) {}

    // Puts (record number, chunk) into the search key.
    static void SetSearchKey(DWORD recordNumber, WORD chunk)
    {
        FillSearchKey(&recordNumber, 1, chunk, nullptr, 0);
    }
    // Puts a whole entry into the search key (for Insert and Write).
    static void SetSearchEntry(DWORD recordNumber, WORD chunk, const void* data, int length)
    {
        FillSearchKey(&recordNumber, 1, chunk, data ? data : "", length);
    }

    // Deserialises the record; FALSE, the object untouched, when it has no
    // chunk 0. Exceptions of the object's Serialize reach the caller.
    BOOL ReadBlob(CObject& object, DWORD recordNumber);
    // Stores a record that has no chunks yet and counts it (an empty archive
    // stores nothing and still counts). A chunk already there means the tree
    // disagrees with its owner: the chunks inserted are taken back and
    // CArchiveException badIndex is raised.
    void WriteBlob(CObject& object, DWORD recordNumber);
    // Stores the record in place of any older one; counts it when it is new.
    // No chunk of the older record stays behind.
    void ReplaceBlob(CObject& object, DWORD recordNumber);
    // Deletes every chunk of the record, uncounting it when there was one;
    // returns errKeyNotFound, the result of the Delete that ended the run.
    int DeleteBlob(DWORD recordNumber);

    // Rescue of a damaged tree: reads the record whose chunk 0 the cursor is
    // on into object, gives its number, and leaves the cursor on the first
    // entry of the next record (or past the end). FALSE when the cursor is
    // not on an entry, when the record is broken (a chunk lost or out of
    // place; the cursor then moves on to the next chunk 0 of a higher record
    // number) or cannot be deserialised, and when the leaves cannot be
    // walked further (the cursor is then past the end). A page that cannot
    // be read is reported through the exception's ReportError. Every call
    // either moves the cursor to a higher record number or past the end, so
    // a loop over it ends on any file.
    BOOL SalvageNextBlob(CObject& object, BTreeCursor& cursor, DWORD* pRecordNumber);
};
