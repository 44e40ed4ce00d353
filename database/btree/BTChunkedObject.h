// BTChunkedObject: a whole serialised object kept in a B-tree as a run of
// entries that share the object's key and differ in a u16 chunk number.
//
// Stored form: the class library's archive of the object (its Serialize
// through a 4096-byte archive, see ArchiveObject) cut into chunks of at most
// 200 bytes; chunk k holds bytes 200 k onwards, under (key, k). An empty
// archive stores no chunk. The tree's object count counts stored objects,
// its entry count chunks.
//
// Add, Write and Delete leave the tree's object count to the tree kind;
// the counted forms keep it as the record and resource trees do.
//
// Reading takes the chunks 0, 1, 2, ... that follow each other in the tree
// with the object's key text; it stops at the first gap, so chunks cut off
// by damage never reach the object (whose Serialize then meets the end of
// its data: an archive exception) and stray chunks behind a gap are ignored.
//
// The object is serialised before the tree changes, so a Serialize that
// throws leaves the tree as it was. Each writing call is one BTOperation:
// when it raises, the tree and its file are as they were before the call. An object of more than 65536 chunks
// cannot be numbered: CNotSupportedException, nothing stored.
//
// Like every tree operation these use the process-wide search key.
#pragma once

#include "classlib/Types.h"

class BTree;
class BTreeCursor;
class CFile;
class CObject;
class CStreamFile;

// How a tree kind names the chunks of one object.
class BTObjectKey
{
public:
    virtual ~BTObjectKey() = default;
    // Puts the key of chunk `chunk` into the search key.
    virtual void SetSearchKey(WORD chunk) const = 0;
    // Puts the whole entry of that chunk (key, u16 length, data) there.
    virtual void SetSearchEntry(WORD chunk, const BYTE* data, int length) const = 0;
};

class BTChunkedObject
{
public:
    enum
    {
        chunkSize = 200,
        maxChunks = 0x10000,
    };

    BTChunkedObject(BTree& tree, const BTObjectKey& key) : m_tree(tree), m_key(key) {}

    // Deserialises the object from its chunks; FALSE, the object untouched,
    // when chunk 0 is missing. Exceptions of Serialize reach the caller.
    // The cursor, when given, is left after the object's last chunk.
    BOOL Read(CObject& object, BTreeCursor* cursor = nullptr);
    // The same for the object whose chunk 0 the cursor is on (any other
    // entry: FALSE).
    BOOL ReadAt(BTreeCursor& cursor, CObject& object);

    // Stores the object with Insert. When a chunk of the key exists
    // already, takes back the chunks it inserted and returns FALSE; an
    // exception also leaves none of them behind.
    BOOL Add(CObject& object);
    // Stores the object with Write (insert or replace) and deletes the
    // chunks beyond its last, so nothing of a longer older object stays.
    // Returns whether chunk 0 existed before; *pChunks, when given, gets
    // the number of chunks stored.
    BOOL Write(CObject& object, int* pChunks = nullptr);
    // Deletes chunks 0, 1, 2, ... until one is missing; returns how many
    // were deleted.
    int Delete();

    // Counted forms of the record and resource trees.
    // Add, counting the object (also an empty one, which stores nothing);
    // a chunk already there raises CArchiveException badIndex after the
    // chunks inserted were taken back.
    void AddCounted(CObject& object);
    // Write, counting the object when it had no chunk 0.
    void WriteCounted(CObject& object);
    // Delete, uncounting the object when a chunk was deleted.
    void DeleteCounted();

    // Adds to the tree's object count, never below 0.
    static void AdjustObjectCount(BTree& tree, int delta);
    // The object's archive written to (bLoad: read from) the file from its
    // start, as ArchiveObject does it, through a buffer kept for these calls.
    static void Archive(CObject& object, CFile& file, BOOL bLoad);

private:
    // The object's archive in stream, rewound; raises CNotSupportedException
    // when it needs more chunks than can be numbered.
    static void Store(CObject& object, CStreamFile& stream);
    // Chunk `chunk`'s bytes from the stream into the search key.
    void SetChunkEntry(CStreamFile& stream, WORD chunk);
    // Deletes chunks from `first` on until one is missing; returns how many.
    int DeleteFrom(int first);
    // Deletes chunks 0 to count - 1 where present.
    void TakeBack(int count);

    BTree& m_tree;
    const BTObjectKey& m_key;
};

// The number of chunks of an archive of that many bytes.
inline int BTChunkCount(DWORD bytes)
{
    return (int)((bytes + BTChunkedObject::chunkSize - 1) / BTChunkedObject::chunkSize);
}
