// A whole database: 100,000 generated records (or the count given as the
// first argument; a second one sets the bound of the index sets held in
// memory, in KiB) of about 1.1 KB (four workforms, one to six authors, keywords,
// dates, a long note) imported with every index kept and committed once at the end (the import's time
// includes that commit, which writes the index sets still held in memory), then point reads by record number
// (at random, then every fourth record in ascending order, with the pages found in the cache and read per record)
// and by record ID, term lookups in the author and keyword indexes, and a full author/date/title sort built
// and walked. Prints records per second for each, the two files' sizes and the peak memory.
#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"

#include "app/core/TempFile.h"
#include "app/core/Paths.h"
#include "classlib/Exceptions.h"
#include "classlib/WinApp.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/db/FieldTerms.h"
#include "database/file/BTPageCache.h"
#include "database/sort/DBSortCursor.h"
#include "database/sort/DBSortUpdater.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int recordCount = 100000;
size_t pendingBound = DBPendingSets::kDefaultBound;
const int kReads = 300000;

DWORD FileSize(const char* path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) ? (DWORD)status.m_size : 0;
}

// Page requests per record read, found in the cache and read from the file.
void PrintPagesPerRecord(int reads)
{
    BenchPrintValue("  pages found in the cache per record", (double)BTPageCache::GetHits() / reads, "pages");
    BenchPrintValue("  pages read from the file per record", (double)BTPageCache::GetMisses() / reads, "pages");
}

void Run()
{
    // The database takes its defaults from the application's profile.
    CWinApp app("Lorvane5 Bench");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Bench");
    DBDatabase db;
    const CString path = CreateBenchDatabase(db);
    db.GetPendingSets().SetBound(pendingBound);
    BenchPrintValue("bound of the index sets held", pendingBound / 1048576.0, "MiB");

    BenchClock clock;
    double commitStart = 0;
    size_t bytes = 0;
    {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        for (int i = 0; i < recordCount; ++i) {
            FillBenchRecord(record, i);
            record.SetRecordIdText(db.GetNextRecordId());
            for (int f = 1; f <= DBRecord::kFieldCount; ++f)
                bytes += (size_t)record.GetField((BYTE)f).text.GetLength();
            db.AddRecord(record, db.GetNextFreeRecordNumber());
        }
        commitStart = clock.Seconds();
        db.CommitFiles();
    }
    const double importSeconds = clock.Seconds();
    BenchPrintRate("import (records)", recordCount, importSeconds);
    BenchPrintValue("of which the final commit", importSeconds - commitStart, "s");
    BenchPrintValue("average field text", (double)bytes / recordCount, "bytes");
    BenchPrintValue("data file", FileSize(path) / 1048576.0, "MiB");
    BenchPrintValue("key file", FileSize(ReplaceExtension(path, ".ldx")) / 1048576.0, "MiB");

    DBRecord record;
    record.m_bAutoDelete = FALSE;
    BTPageCache::ResetHitCounts();
    clock.Restart();
    for (int i = 0; i < kReads; ++i)
        db.ReadRecord(record, (int32_t)(BenchRandom() % recordCount));
    BenchPrintRate("read by number (records)", kReads, clock.Seconds());
    PrintPagesPerRecord(kReads);

    // As a search tests its candidates: every fourth record, in ascending order.
    BTPageCache::ResetHitCounts();
    clock.Restart();
    int ascending = 0;
    for (int n = 0; n < recordCount; n += 4, ++ascending)
        db.ReadRecord(record, n);
    BenchPrintRate("read by number, ascending (records)", ascending, clock.Seconds());
    PrintPagesPerRecord(ascending);

    const int idReads = kReads / 10;
    clock.Restart();
    for (int i = 0; i < idReads; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "%d", 10 * (1 + (int)(BenchRandom() % recordCount)));
        DBRecordSet found;
        DBSortCursor cursor(&db.GetSortSlotTree(0));
        cursor.CollectEqual(id, found);
        const int n = found.FindNext(-1);
        if (n < 0)
            AfxThrowArchiveException(CArchiveException::badIndex, id);
        db.ReadRecord(record, n);
    }
    BenchPrintRate("read by ID (records)", idReads, clock.Seconds());

    // Term lookups: the author and keyword terms of random records.
    const int lookups = 50000;
    clock.Restart();
    long hits = 0;
    for (int i = 0; i < lookups; ++i) {
        db.ReadRecord(record, (int32_t)(BenchRandom() % recordCount));
        DBTermIndex& index = i % 2 ? db.GetKeywordIndex() : db.GetAuthorIndex();
        index.ForEachTerm(record.GetField(i % 2 ? 45 : 1), [&](const char* key, const StyledString&) {
            DBRecordSet set;
            if (index.GetTree().ReadObject(set, key))
                hits += set.GetCount();
        });
    }
    BenchPrintRate("term lookups (records read and looked up)", lookups, clock.Seconds());
    BenchPrintValue("records found per lookup", (double)hits / lookups, "records");

    clock.Restart();
    if (!BuildSortSlotIndex(db, 2, db.GetAllRecords()))
        AfxThrowUserException();
    BenchPrintRate("author/date/title sort built (records)", recordCount, clock.Seconds());
    clock.Restart();
    DBSortCursor cursor(&db.GetSortSlotTree(2));
    long walked = 0;
    for (LONG n = cursor.SeekFirst(0, db.GetAllRecords(), TRUE); n != -1;
         n = cursor.Step(db.GetAllRecords(), TRUE))
        ++walked;
    BenchPrintRate("author/date/title sort walked (records)", (double)walked, clock.Seconds());

    BenchPrintPeakMemory();
    // The peak counts the data file's pages mapped for reading: clean file
    // pages, which the system drops under pressure; the cache's buffers are the
    // process's own and bounded.
    BenchPrintValue("  of which the data file's mapped view at most", db.GetMappedLength() / 1048576.0, "MiB");
    BenchPrintValue("  page cache buffers (all files)",
                    BTPageCache::GetBuffersInUse() * (double)sizeof(BTPage) / 1048576.0, "MiB");
    db.Close();
    db.Remove();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::atoi(argv[1]) > 0)
        recordCount = std::atoi(argv[1]);
    if (argc > 2 && std::atoi(argv[2]) >= 0)
        pendingBound = (size_t)std::atoi(argv[2]) << 10;
    return BenchMain(Run);
}
