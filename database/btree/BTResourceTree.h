// BTResourceTree: the tree kind that stores named resources in chunks.
//
// Key (10 bytes): u32 type, u32 ID, u16 chunk number. Entry: the key, u16
// data length L, L data bytes (12 + L bytes). Keys order by type, ID and
// chunk, all unsigned; the key text is type and ID.
//
// A resource is stored as a chunked object (BTChunkedObject), counted in
// the tree's object count.
#pragma once

#include "database/btree/BTChunkedKeyTree.h"
#include "database/btree/BTChunkedObject.h"

class CObject;

class BTResourceTree : public BTChunkedKeyTree
{
public:
    enum
    {
        keySize = 10,
        headerSize = 12, // key and data length
    };

    // The chunks of one resource.
    class ObjectKey : public BTObjectKey
    {
    public:
        ObjectKey(DWORD type, DWORD id) : m_type(type), m_id(id) {}
        void SetSearchKey(WORD chunk) const override { BTResourceTree::SetSearchKey(m_type, m_id, chunk); }
        void SetSearchEntry(WORD chunk, const BYTE* data, int length) const override
        {
            BTResourceTree::SetSearchEntry(m_type, m_id, chunk, data, length);
        }

    private:
        DWORD m_type;
        DWORD m_id;
    };

    BTResourceTree() : BTChunkedKeyTree(2) {}

    // Puts (type, ID, chunk) into the search key.
    static void SetSearchKey(DWORD type, DWORD id, WORD chunk)
    {
        const DWORD fields[2] = {type, id};
        FillSearchKey(fields, 2, chunk, nullptr, 0);
    }
    // Puts a whole entry into the search key (for Insert and Write).
    static void SetSearchEntry(DWORD type, DWORD id, WORD chunk, const void* data, int length)
    {
        const DWORD fields[2] = {type, id};
        FillSearchKey(fields, 2, chunk, data ? data : "", length);
    }

    // Deserialises the resource; FALSE, the object untouched, when it has no
    // chunk 0. An exception of the object's Serialize reaches the caller: a
    // damaged resource must not pass for one that was read.
    BOOL ReadObject(CObject& object, DWORD type, DWORD id);
    // As BTRecordTree::WriteBlob, for the resource.
    void WriteObject(CObject& object, DWORD type, DWORD id);
    // As BTRecordTree::ReplaceBlob, for the resource.
    void ReplaceObject(CObject& object, DWORD type, DWORD id);
};
