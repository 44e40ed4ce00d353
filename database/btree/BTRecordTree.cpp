#include "database/btree/BTRecordTree.h"

#include "app/core/ArchiveObject.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTNode.h"
#include "database/btree/BTreeCursor.h"
#include "database/btree/StreamFile.h"
#include "database/file/BTPagedFile.h"

BOOL BTRecordTree::ReadBlob(CObject& object, DWORD recordNumber)
{
    ObjectKey key(recordNumber);
    return BTChunkedObject(*this, key).Read(object);
}

void BTRecordTree::WriteBlob(CObject& object, DWORD recordNumber)
{
    ObjectKey key(recordNumber);
    BTChunkedObject(*this, key).AddCounted(object);
}

void BTRecordTree::ReplaceBlob(CObject& object, DWORD recordNumber)
{
    ObjectKey key(recordNumber);
    BTChunkedObject(*this, key).WriteCounted(object);
}

int BTRecordTree::DeleteBlob(DWORD recordNumber)
{
    ObjectKey key(recordNumber);
    BTChunkedObject(*this, key).DeleteCounted();
    return errKeyNotFound;
}

namespace {
// Walks the leaves of a damaged record tree on its own: the links and
// entries are checked without raising, and a leaf that fails the checks
// ends the walk. The number of leaves it may enter is bounded by the pages
// the file has, so a chain that loops ends too.
class SalvageWalk
{
public:
    enum Step
    {
        moved,
        atEnd,
        broken,
    };

    SalvageWalk(BTRecordTree& tree, BTreeCursor& cursor) : m_tree(tree), m_cursor(cursor)
    {
        BTPagedFile* file = tree.GetFile();
        DWORD end = file->GetFileEnd();
        m_stride = file->GetPageStride();
        m_budget =
            end > (DWORD)BTPagedFile::headerAreaSize ? (end - BTPagedFile::headerAreaSize) / m_stride + 1 : 1;
    }

    // The leaf at the offset when it lies on a page of the file and passes
    // the node check; else an empty reference.
    BTPageRef Leaf(DWORD offset) const
    {
        BTPageRef page;
        const DWORD header = BTPagedFile::headerAreaSize;
        const DWORD end = m_tree.GetFile()->GetFileEnd();
        if (offset < header || (offset - header) % m_stride != 0 || offset > end || end - offset < m_stride)
            return page;
        page = m_tree.GetPage(offset);
        BTNode node(page.Data());
        if (node.Kind() != BTNode::kindLeaf || !HeaderIsSound(node))
            page.Release();
        return page;
    }

    // The cursor's entry in a checked leaf, or nullptr when it is not sound.
    const BYTE* Entry(const BTNode& leaf) const
    {
        int slot = m_cursor.GetSlot();
        if (slot < 0 || slot >= leaf.Count())
            return nullptr;
        int begin = leaf.Slot(slot);
        int end = leaf.Slot(slot + 1);
        if (begin < BTNode::leafStart || end <= begin || end > leaf.EntriesEnd())
            return nullptr;
        const BYTE* e = leaf.Data() + begin;
        return m_tree.IsValidEntry(e, end - begin, TRUE) ? e : nullptr;
    }

    // The next slot, or slot 0 of the next non-empty leaf.
    Step Next()
    {
        DWORD offset = m_cursor.GetLeaf();
        int slot = m_cursor.GetSlot() + 1;
        for (;;) {
            BTPageRef page = Leaf(offset);
            if (!page)
                return broken;
            BTNode leaf(page.Data());
            if (slot < leaf.Count()) {
                m_cursor.SetPosition(offset, slot, BTreeCursor::stateOnEntry);
                return moved;
            }
            if (leaf.Next() == 0) {
                m_cursor.SetPosition(0, 0, BTreeCursor::stateAfterLast);
                return atEnd;
            }
            if (m_budget-- == 0)
                return broken;
            offset = leaf.Next();
            slot = 0;
        }
    }

    void End() { m_cursor.SetPosition(0, 0, BTreeCursor::stateAfterLast); }

private:
    static BOOL HeaderIsSound(const BTNode& node)
    {
        try {
            node.CheckHeader(BTNode::kindLeaf);
            return TRUE;
        } catch (CArchiveException* e) {
            e->Delete();
            return FALSE;
        }
    }

    BTRecordTree& m_tree;
    BTreeCursor& m_cursor;
    DWORD m_stride;
    DWORD m_budget;
};

DWORD RecordOf(const BYTE* entry)
{
    return BTNode::GetU32At(entry);
}

WORD ChunkOf(const BYTE* entry)
{
    return (WORD)(entry[4] | (entry[5] << 8));
}

// What collecting a record's chunks found.
enum Collected
{
    complete,
    brokenRecord,
    walkEnded,
};

// Collects the chunks of the record at the cursor into the stream, leaving
// the cursor on the entry after them (or past the end).
Collected Collect(SalvageWalk& walk, BTreeCursor& cursor, DWORD record, CStreamFile& stream)
{
    DWORD remembered = cursor.GetLeaf();
    for (DWORD expected = 0;; ++expected) {
        DWORD offset = cursor.GetLeaf();
        BTPageRef page = walk.Leaf(offset);
        if (!page)
            return walkEnded;
        BTNode leaf(page.Data());
        if (offset != remembered && leaf.Prev() != remembered)
            return walkEnded;
        remembered = offset;
        const BYTE* e = walk.Entry(leaf);
        if (!e)
            return walkEnded;
        if (RecordOf(e) > record)
            return complete;
        if (RecordOf(e) < record || ChunkOf(e) != expected)
            return brokenRecord;
        int data = BTNode::GetI16At(e + BTRecordTree::keySize) & 0xFFFF; // checked by Entry
        stream.Write(e + BTRecordTree::headerSize, (UINT)data);
        page.Release();
        SalvageWalk::Step step = walk.Next();
        if (step == SalvageWalk::atEnd)
            return complete;
        if (step == SalvageWalk::broken)
            return walkEnded;
    }
}

// Moves on to chunk 0 of a record above `record`; FALSE when the walk ended.
BOOL SkipPast(SalvageWalk& walk, BTreeCursor& cursor, DWORD record)
{
    for (;;) {
        if (walk.Next() != SalvageWalk::moved)
            return FALSE;
        BTPageRef page = walk.Leaf(cursor.GetLeaf());
        const BYTE* e = page ? walk.Entry(BTNode(page.Data())) : nullptr;
        if (!e)
            return FALSE;
        if (RecordOf(e) > record && ChunkOf(e) == 0)
            return TRUE;
    }
}
} // namespace

BOOL BTRecordTree::SalvageNextBlob(CObject& object, BTreeCursor& cursor, DWORD* pRecordNumber)
{
    if (!cursor.IsOnEntry())
        return FALSE;
    CStreamFile stream;
    try {
        SalvageWalk walk(*this, cursor);
        BTPageRef page = walk.Leaf(cursor.GetLeaf());
        const BYTE* e = page ? walk.Entry(BTNode(page.Data())) : nullptr;
        if (!e) {
            walk.End();
            return FALSE;
        }
        const DWORD record = RecordOf(e);
        *pRecordNumber = record;
        page.Release();
        switch (Collect(walk, cursor, record, stream)) {
        case complete:
            break;
        case brokenRecord:
            if (!SkipPast(walk, cursor, record))
                walk.End();
            return FALSE;
        case walkEnded:
            walk.End();
            return FALSE;
        }
    } catch (CException* e) {
        // A page that cannot be read ends the rescue: nothing beyond it can
        // be reached safely.
        e->ReportError();
        e->Delete();
        cursor.SetPosition(0, 0, BTreeCursor::stateAfterLast);
        return FALSE;
    }
    try {
        ArchiveObject(object, stream, TRUE);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}
