// A record tree opened read-write from a damaged file: walked both ways by a
// cursor, then a few finds, inserts and deletes, and a flush. Byte 0, bit 0:
// compressed mode; the rest is the file.
#include "FuzzSupport.h"
#include "FuzzTreeFile.h"

#include "database/btree/BTreeCursor.h"

#include <string>

namespace
{
// Entries are at least 8 bytes, so a walk over more steps than the file has
// bytes never ends.
template <class Move> void Walk(BTreeCursor& cursor, BOOL ok, Move next, size_t limit)
{
    for (size_t steps = 0; ok; ok = next())
    {
        if (++steps > limit)
            FuzzFinding("a cursor walk does not end");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const std::string path = FuzzScratchPath("btree");
    BTRecordTree tree;
    FuzzTreeFile file(&tree);
    if (!OpenFuzzedTreeFile(data, size, path, file, tree))
        return 0;
    const size_t limit = size + 16;
    FuzzStep([&] {
        BTreeCursor cursor(&tree);
        Walk(cursor, cursor.MoveFirst(), [&] { return cursor.Next(); }, limit);
    });
    FuzzStep([&] {
        BTreeCursor cursor(&tree);
        Walk(cursor, cursor.MoveLast(), [&] { return cursor.Prev(); }, limit);
    });
    FuzzStep([&] {
        BTreeCursor cursor(&tree);
        for (DWORD r : {0u, 1u, 17u, 150u, 0xFFFFFFFFu})
        {
            BTRecordTree::SetSearchKey(r, 0);
            if (tree.Find(cursor) && cursor.IsOnEntry())
                cursor.ReadU32();
        }
        cursor.MoveToOrdinal(3);
    });
    FuzzStep([&] {
        const std::string record(40, 'n');
        for (DWORD r : {5u, 151u, 100000u})
        {
            BTRecordTree::SetSearchEntry(r, 1, record.data(), static_cast<int>(record.size()));
            tree.Insert();
        }
    });
    FuzzStep([&] {
        for (DWORD r : {0u, 17u, 151u})
        {
            BTRecordTree::SetSearchKey(r, 0);
            tree.Delete();
        }
    });
    FuzzStep([&] { file.FlushBuffers(); });
    if (!FuzzStep([&] { file.Close(); }) && file.IsOpen())
        file.Abort();
    return 0;
}
