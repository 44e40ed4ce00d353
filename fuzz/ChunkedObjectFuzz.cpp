// Records stored in chunks, read from a damaged record tree: a few records
// read whole, the salvage walk over the whole tree, then a rewrite, a
// delete and a flush. Byte 0, bit 0: compressed mode; the rest is the file.
#include "FuzzSupport.h"
#include "FuzzTreeFile.h"

#include "database/btree/BTreeCursor.h"

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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const std::string path = FuzzScratchPath("chunked");
    FuzzWriteFile(path, data + 1, size - 1);
    BTRecordTree tree;
    FuzzTreeFile file(&tree);
    tree.Attach(&file);
    file.SetCompressed(data[0] & 1);
    file.SetPathName(path.c_str());
    bool open = false;
    FuzzStep([&] {
        CFileException error;
        open = file.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error);
    });
    if (!open)
        return 0;
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
    FuzzStep([&] { file.FlushBuffers(); });
    if (!FuzzStep([&] { file.Close(); }) && file.IsOpen())
        file.Abort();
    return 0;
}
