// Random 12-byte keys with 4-byte values in one B-tree of a plain paged file
// (a kind with a declared byte order and entries of one length, so its nodes
// are searched by position and from where a key should lie): inserted,
// looked up, walked with a cursor and deleted, each phase timed.
// Prints the rate and cost of each phase, the share of page requests the
// cache served without reading the file, the file size and the tree height.
//
// The file has no per-file page limit, but the process-wide page cache holds
// at most 50,000 pages (about 100 MiB) for all files together. Up to about
// 4,500,000 keys the file fits and, after the inserts, every request is a
// hit; beyond it (5,000,000 keys: about 54,000 pages) requests also read
// pages back from the file, which the operating system then serves from its
// own cache. The inserts end with one flush to disk, outside the timing.
//
// Usage: BTreeBench [keys]. Without an argument it runs 100,000, 1,000,000,
// 2,500,000 and 5,000,000 keys one after the other.
#include "bench/support/BenchReport.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTree.h"
#include "database/btree/BTreeCursor.h"
#include "database/file/BTPageCache.h"
#include "database/file/BTPagedFile.h"

#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
const int kKeySize = 12;
const int kEntrySize = 16;

// Fixed 12-byte keys compared as bytes, each followed by a u32 value.
class BenchTree : public BTree
{
public:
    BenchTree()
    {
        SetKeyOrder(keyOrderBytes, kKeySize);
        SetFixedEntryLengths(kEntrySize, kKeySize + 4);
    }
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

std::vector<Key> MakeKeys(DWORD count)
{
    std::vector<Key> keys(count);
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

// The phase's rate, its cost per operation and the cache's hit rate.
void Report(const char* phase, DWORD ops, const BenchClock& clock)
{
    double seconds = clock.Seconds();
    BenchPrintRate(phase, ops, seconds);
    unsigned long long hits = BTPageCache::GetHits();
    unsigned long long requests = hits + BTPageCache::GetMisses();
    printf("  %.0f ns/op, cache hits %.2f %% of %llu page requests\n", ops ? seconds * 1e9 / ops : 0.0,
           requests ? 100.0 * (double)hits / (double)requests : 100.0, requests);
    BTPageCache::ResetHitCounts();
}

void Run(DWORD count)
{
    printf("== %lu keys\n", count);
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
    std::vector<Key> keys = MakeKeys(count);

    BTPageCache::ResetHitCounts();
    BenchClock clock;
    DWORD inserted = 0;
    for (DWORD i = 0; i < count; ++i)
    {
        BYTE* p = BTGetSearchKey();
        memcpy(p, keys[i].bytes, kKeySize);
        memcpy(p + kKeySize, &i, 4);
        BTSetSearchKeyLength(kEntrySize);
        if (tree.Insert() == 0)
            ++inserted;
    }
    Report("insert", count, clock);
    file.FlushBuffers();
    BTPageCache::ResetHitCounts();

    clock.Restart();
    DWORD found = 0;
    BTreeCursor cursor(&tree);
    for (DWORD i = 0; i < count; ++i)
    {
        BTSetSearchKey(keys[i].bytes, kKeySize);
        if (tree.Find(cursor))
            ++found;
    }
    Report("lookup", count, clock);

    clock.Restart();
    DWORD steps = 0;
    for (BOOL ok = cursor.MoveFirst(); ok; ok = cursor.Next())
        ++steps;
    Report("cursor step", steps, clock);

    BenchPrintValue("file size", file.GetLength() / (1024.0 * 1024.0), "MiB");
    BenchPrintValue("tree levels", tree.GetLevels(), "");

    clock.Restart();
    DWORD deleted = 0;
    for (DWORD i = 0; i < count; ++i)
    {
        BTSetSearchKey(keys[i].bytes, kKeySize);
        if (tree.Delete() == 0)
            ++deleted;
    }
    Report("delete", count, clock);
    if (found != inserted || steps != inserted || deleted != inserted || tree.GetEntryCount() != 0)
        printf("MISMATCH: inserted %lu found %lu walked %lu deleted %lu\n", inserted, found, steps, deleted);
    BenchPrintPeakMemory();
    file.Close();
    DeleteFileA(name);
}
} // namespace

int main(int argc, char** argv)
{
    static const DWORD sizes[] = {100000, 1000000, 2500000, 5000000};
    try
    {
        if (argc > 1)
        {
            long count = strtol(argv[1], nullptr, 10);
            if (count <= 0)
            {
                printf("usage: BTreeBench [keys]\n");
                return 2;
            }
            Run((DWORD)count);
        }
        else
        {
            for (DWORD count : sizes)
                Run(count);
        }
    }
    catch (CException* e)
    {
        printf("error: %s\n", (const char*)e->GetErrorText());
        e->Delete();
        return 1;
    }
    return 0;
}
