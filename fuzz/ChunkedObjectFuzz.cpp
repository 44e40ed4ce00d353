// Objects stored in chunks, read from a damaged tree. Byte 0, bit 0:
// compressed mode; bit 1: a string-keyed tree (else a record tree); the
// rest is the file. Record tree: a few records read whole, the salvage walk
// over the whole tree, a rewrite and a delete. String-keyed tree: objects
// read by text and at every key of a cursor walk, type-ahead positions, then
// a write, an add and a delete. Then a flush.
#include "FuzzSupport.h"
#include "FuzzTreeFile.h"

#include "database/btree/BTreeCursor.h"
#include "database/btree/StringKeyTree.h"
#include "database/sort/LanguageSort.h"

#include <string>

namespace {
// Takes whatever its archive holds.
class AnyObject : public CObject
{
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.Write(bytes.data(), (UINT)bytes.size());
            return;
        }
        bytes.clear();
        char buffer[1024];
        for (UINT n; (n = ar.Read(buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, n);
    }
    std::string bytes;
};

void RecordTreeSteps(BTRecordTree& tree)
{
    for (DWORD r : {0u, 1u, 2u, 7u, 40u}) {
        FuzzStep([&] {
            AnyObject o;
            tree.ReadBlob(o, r);
        });
    }
    FuzzStep([&] {
        // Every call moves to a higher record number or ends the walk.
        BTreeCursor cursor(&tree);
        cursor.MoveFirst();
        while (cursor.IsOnEntry()) {
            const DWORD start = cursor.ReadU32();
            AnyObject o;
            DWORD r = 0;
            tree.SalvageNextBlob(o, cursor, &r);
            if (cursor.IsOnEntry() && cursor.ReadU32() <= start)
                FuzzFinding("the salvage walk does not move on");
        }
    });
    FuzzStep([&] {
        AnyObject o;
        o.bytes.assign(450, 'r');
        tree.ReplaceBlob(o, 1);
        tree.DeleteBlob(2);
    });
}

void StringTreeSteps(StringKeyTree& tree, size_t limit)
{
    for (const char* text : {"", "a", "mango", "zz"}) {
        FuzzStep([&] {
            AnyObject o;
            tree.ReadObject(o, text);
        });
    }
    FuzzStep([&] {
        // Entries are at least 5 bytes: a walk longer than the file never ends.
        BTreeCursor cursor(&tree);
        size_t steps = 0;
        for (BOOL on = cursor.MoveFirst(); on; on = cursor.NextKey()) {
            if (++steps > limit)
                FuzzFinding("a key walk does not end");
            cursor.GetKeyText();
            AnyObject o;
            cursor.ReadObject(o);
        }
    });
    for (const char* typed : {"", "M", "\xC9mi", "zzzz"}) {
        FuzzStep([&] {
            BTreeCursor cursor(&tree);
            cursor.GetTextPosition(typed);
        });
    }
    FuzzStep([&] {
        AnyObject o;
        o.bytes.assign(450, 's');
        tree.WriteObject(o, "mango");
        tree.AddObject(o, "kiwi");
        tree.DeleteObject("apple");
    });
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const std::string path = FuzzScratchPath("chunked");
    BTRecordTree records;
    StringKeyTree texts;
    CLanguageSort sort(langGeneral);
    texts.SetLanguageSort(&sort);
    BTree& tree = data[0] & 2 ? (BTree&)texts : (BTree&)records;
    FuzzTreeFile file(&tree);
    if (!OpenFuzzedTreeFile(data, size, path, file, tree))
        return 0;
    if (data[0] & 2)
        StringTreeSteps(texts, size + 16);
    else
        RecordTreeSteps(records);
    FuzzStep([&] { file.FlushBuffers(); });
    if (!FuzzStep([&] { file.Close(); }) && file.IsOpen())
        file.Abort();
    return 0;
}
