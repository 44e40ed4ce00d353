// Inserts 1,000,000 random 12-byte keys with 4-byte values into a B-tree in a
// paged file with an unlimited cache, looks each up, walks them with a
// cursor and deletes them. Prints operations per second for each phase and
// the file size.
#include "bench/support/BenchReport.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTree.h"
#include "database/btree/BTreeCursor.h"
#include "database/file/BTPagedFile.h"

#include <windows.h>
#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
const DWORD kKeys = 1000000;
const int kKeySize = 12;
const int kEntrySize = 16;

// Fixed 12-byte keys compared as bytes, each followed by a u32 value.
class BenchTree : public BTree
{
public:
    int CompareKeys(const BYTE* a, const BYTE* b) const override { return memcmp(a, b, kKeySize); }
    int CompareKeyText(const BYTE* a, const BYTE* b) const override { return memcmp(a, b, kKeySize); }
    WORD GetDuplicateNumber(const BYTE*) const override { return 0; }
    int GetEntrySize(const BYTE*) const override { return kEntrySize; }
    int GetKeySize(const BYTE*) const override { return kKeySize; }
    int GetDataSize(const BYTE*) const override { return 4; }
    BOOL IsValidEntry(const BYTE*, int length, BOOL bLeaf) const override
    {
        return length == (bLeaf ? kEntrySize : kKeySize + 4);
    }
};

class BenchFile : public BTPagedFile
{
public:
    explicit BenchFile(const CString& path)
    {
        SetPathName(path);
        SetDocumentType(0x8007);
        SetVersion(1);
    }
};

struct Key
{
    BYTE bytes[kKeySize];
};

std::vector<Key> MakeKeys()
{
    std::vector<Key> keys(kKeys);
    DWORD state = 0x2545F491;
    for (Key& k : keys)
        for (int i = 0; i < kKeySize; ++i)
        {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            k.bytes[i] = (BYTE)state;
        }
    return keys;
}

void Run()
{
    char folder[MAX_PATH], name[MAX_PATH + 40];
    GetTempPathA(MAX_PATH, folder);
    snprintf(name, sizeof name, "%slvbench_btree_%lu.tmp", folder, GetCurrentProcessId());
    BenchFile file{CString(name)};
    BenchTree tree;
    file.CreateNew();
    CFileException error;
    if (!file.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    tree.Attach(&file);
    std::vector<Key> keys = MakeKeys();

    BenchClock clock;
    DWORD inserted = 0;
    for (DWORD i = 0; i < kKeys; ++i)
    {
        BYTE* p = BTGetSearchKey();
        memcpy(p, keys[i].bytes, kKeySize);
        memcpy(p + kKeySize, &i, 4);
        BTSetSearchKeyLength(kEntrySize);
        if (tree.Insert() == 0)
            ++inserted;
    }
    BenchPrintRate("insert", kKeys, clock.Seconds());

    clock.Restart();
    DWORD found = 0;
    BTreeCursor cursor(&tree);
    for (DWORD i = 0; i < kKeys; ++i)
    {
        BTSetSearchKey(keys[i].bytes, kKeySize);
        if (tree.Find(cursor))
            ++found;
    }
    BenchPrintRate("lookup", kKeys, clock.Seconds());

    clock.Restart();
    DWORD steps = 0;
    for (BOOL ok = cursor.MoveFirst(); ok; ok = cursor.Next())
        ++steps;
    BenchPrintRate("cursor step", steps, clock.Seconds());

    file.FlushBuffers();
    BenchPrintValue("file size", file.GetLength() / (1024.0 * 1024.0), "MiB");
    BenchPrintValue("tree levels", tree.GetLevels(), "");

    clock.Restart();
    DWORD deleted = 0;
    for (DWORD i = 0; i < kKeys; ++i)
    {
        BTSetSearchKey(keys[i].bytes, kKeySize);
        if (tree.Delete() == 0)
            ++deleted;
    }
    BenchPrintRate("delete", kKeys, clock.Seconds());
    if (found != inserted || steps != inserted || deleted != inserted || tree.GetEntryCount() != 0)
        printf("MISMATCH: inserted %lu found %lu walked %lu deleted %lu\n", inserted, found, steps, deleted);
    BenchPrintPeakMemory();
    file.Close();
    DeleteFileA(name);
}
} // namespace

int main()
{
    try
    {
        Run();
    }
    catch (CException* e)
    {
        printf("error: %s\n", (const char*)e->GetErrorText());
        e->Delete();
        return 1;
    }
    return 0;
}
