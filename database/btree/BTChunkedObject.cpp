#include "database/btree/BTChunkedObject.h"

#include "app/core/ArchiveObject.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/Object.h"
#include "database/btree/BTNode.h"
#include "database/btree/BTree.h"
#include "database/btree/BTreeCursor.h"
#include "database/btree/StreamFile.h"
#include "database/file/BTOperation.h"

#include <cstring>

namespace {

// The archive buffer of the chunked-object calls, kept: a heap block of its
// size taken for every object was a large share of an import's time. A
// Serialize that stores or reads another object on its way takes a buffer
// of its own.
BYTE s_archiveBuffer[4096];
bool s_archiveBufferBusy = false;

} // namespace

void BTChunkedObject::Archive(CObject& object, CFile& file, BOOL bLoad)
{
    if (s_archiveBufferBusy) {
        ArchiveObject(object, file, bLoad);
        return;
    }
    struct Busy {
        Busy() { s_archiveBufferBusy = true; }
        ~Busy() { s_archiveBufferBusy = false; }
    } busy;
    file.SeekToBegin();
    {
        CArchive ar(&file, (bLoad ? CArchive::load : CArchive::store) | CArchive::bNoFlushOnDelete,
                    (int)sizeof s_archiveBuffer, s_archiveBuffer);
        object.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
}

void BTChunkedObject::Store(CObject& object, CStreamFile& stream)
{
    Archive(object, stream, FALSE);
    if (stream.GetLength() > (DWORD)maxChunks * chunkSize)
        AfxThrowNotSupportedException();
}

void BTChunkedObject::SetChunkEntry(CStreamFile& stream, WORD chunk)
{
    BYTE data[chunkSize];
    UINT n = stream.Read(data, chunkSize);
    m_key.SetSearchEntry(chunk, data, (int)n);
}

BOOL BTChunkedObject::Read(CObject& object, BTreeCursor* cursor)
{
    BTreeCursor own(&m_tree);
    BTreeCursor& at = cursor ? *cursor : own;
    at.SetTree(&m_tree);
    m_key.SetSearchKey(0);
    if (!m_tree.Find(at))
        return FALSE;
    return ReadAt(at, object);
}

BOOL BTChunkedObject::ReadAt(BTreeCursor& cursor, CObject& object)
{
    BYTE first[BTNode::pageSize]; // a checked entry lies within its page
    {
        BTPageRef hold;
        int length;
        const BYTE* e = cursor.GetEntry(hold, &length);
        if (!e || m_tree.GetDuplicateNumber(e) != 0)
            return FALSE;
        std::memcpy(first, e, length);
    }
    CStreamFile stream;
    for (DWORD expected = 0; expected < (DWORD)maxChunks; ++expected) {
        BTPageRef hold;
        int length;
        const BYTE* e = cursor.GetEntry(hold, &length);
        if (!e || m_tree.CompareKeyText(first, e) != 0 || m_tree.GetDuplicateNumber(e) != expected)
            break;
        // The entry passed its kind's check: key, u16 length L, L bytes.
        int data = m_tree.GetDataSize(e) - 2;
        if (data < 0 || data > length)
            BTThrowDamagedNode();
        stream.Write(e + length - data, (UINT)data);
        hold.Release();
        if (!cursor.Next())
            break;
    }
    Archive(object, stream, TRUE);
    return TRUE;
}

BOOL BTChunkedObject::Add(CObject& object)
{
    CStreamFile stream;
    Store(object, stream);
    const int chunks = BTChunkCount(stream.GetLength());
    // An exception rolls back the chunks inserted before it with the rest.
    BTOperation op(m_tree.GetFile());
    op.Enlist(&m_tree);
    for (int inserted = 0; inserted < chunks; ++inserted) {
        SetChunkEntry(stream, (WORD)inserted);
        if (m_tree.Insert() == BTree::errDuplicateKey) {
            TakeBack(inserted);
            op.Commit();
            return FALSE;
        }
    }
    op.Commit();
    return TRUE;
}

BOOL BTChunkedObject::Write(CObject& object, int* pChunks)
{
    CStreamFile stream;
    Store(object, stream);
    const int chunks = BTChunkCount(stream.GetLength());
    BTOperation op(m_tree.GetFile());
    op.Enlist(&m_tree);
    BTreeCursor cursor(&m_tree);
    m_key.SetSearchKey(0);
    const BOOL existed = m_tree.Find(cursor);
    for (int k = 0; k < chunks; ++k) {
        SetChunkEntry(stream, (WORD)k);
        m_tree.Write();
    }
    DeleteFrom(chunks);
    op.Commit();
    if (pChunks)
        *pChunks = chunks;
    return existed;
}

int BTChunkedObject::Delete()
{
    BTOperation op(m_tree.GetFile());
    op.Enlist(&m_tree);
    int deleted = DeleteFrom(0);
    op.Commit();
    return deleted;
}

int BTChunkedObject::DeleteFrom(int first)
{
    int deleted = 0;
    for (int k = first; k < maxChunks; ++k) {
        m_key.SetSearchKey((WORD)k);
        if (m_tree.Delete() != 0)
            break;
        ++deleted;
    }
    return deleted;
}

void BTChunkedObject::TakeBack(int count)
{
    for (int k = 0; k < count && k < maxChunks; ++k) {
        m_key.SetSearchKey((WORD)k);
        m_tree.Delete();
    }
}

void BTChunkedObject::AddCounted(CObject& object)
{
    BTOperation op(m_tree.GetFile());
    op.Enlist(&m_tree);
    if (!Add(object))
        AfxThrowArchiveException(CArchiveException::badIndex);
    AdjustObjectCount(m_tree, 1);
    op.Commit();
}

void BTChunkedObject::WriteCounted(CObject& object)
{
    BTOperation op(m_tree.GetFile());
    op.Enlist(&m_tree);
    if (!Write(object))
        AdjustObjectCount(m_tree, 1);
    op.Commit();
}

void BTChunkedObject::DeleteCounted()
{
    BTOperation op(m_tree.GetFile());
    op.Enlist(&m_tree);
    if (Delete() > 0)
        AdjustObjectCount(m_tree, -1);
    op.Commit();
}

void BTChunkedObject::AdjustObjectCount(BTree& tree, int delta)
{
    DWORD count = tree.GetObjectCount();
    if (delta < 0 && count < (DWORD)-delta)
        count = 0;
    else
        count += (DWORD)delta;
    tree.SetObjectCount(count);
}
