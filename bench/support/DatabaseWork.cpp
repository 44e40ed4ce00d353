#include "bench/support/DatabaseWork.h"

#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"

#include "classlib/Exceptions.h"
#include "database/db/DBBulkImport.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/file/BTPageCache.h"
#include "database/sort/DBSortCursor.h"
#include "database/sort/DBSortUpdater.h"

#include <cstdio>

namespace {

// The page cache's counts when an import starts; Finish sets the import's
// figures from what they have become.
struct PageCounters
{
    unsigned long long deflates = BTPageCache::GetDeflates();
    unsigned long long writes = BTPageCache::GetPageWrites();
    void Finish(BenchImportFigures& figures, const BenchClock& clock, double commitStart) const
    {
        figures.seconds = clock.Seconds();
        figures.commitSeconds = figures.seconds - commitStart;
        figures.deflates = BTPageCache::GetDeflates() - deflates;
        figures.pageWrites = BTPageCache::GetPageWrites() - writes;
    }
};

size_t FieldBytes(const DBRecord& record)
{
    size_t bytes = 0;
    for (int f = 1; f <= DBRecord::kFieldCount; ++f)
        bytes += (size_t)record.GetField((BYTE)f).text.GetLength();
    return bytes;
}

} // namespace

BenchImportFigures BenchAddOneByOne(DBDatabase& db, int first, int count)
{
    BenchImportFigures figures;
    const PageCounters counters;
    BenchClock clock;
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    for (int i = first; i < first + count; ++i) {
        FillBenchRecord(record, i);
        record.SetRecordIdText(db.GetNextRecordId());
        figures.fieldBytes += FieldBytes(record);
        db.AddRecord(record, db.GetNextFreeRecordNumber());
    }
    const double commitStart = clock.Seconds();
    db.CommitFiles();
    counters.Finish(figures, clock, commitStart);
    return figures;
}

BenchImportFigures BenchAddInBulk(DBDatabase& db, int first, int count, size_t bound)
{
    BenchImportFigures figures;
    const PageCounters counters;
    BenchClock clock;
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    DBBulkImport bulk(db, bound);
    for (int i = first; i < first + count; ++i) {
        FillBenchRecord(record, i);
        record.SetRecordIdText(db.GetNextRecordId());
        figures.fieldBytes += FieldBytes(record);
        bulk.Add(record);
        if (bulk.GetSets().GetRunCount() > figures.runs)
            figures.runs = bulk.GetSets().GetRunCount();
    }
    figures.setsPeak = bulk.GetSets().GetPeakMemory();
    const double commitStart = clock.Seconds();
    bulk.Finish();
    counters.Finish(figures, clock, commitStart);
    return figures;
}

double BenchRandomReads(DBDatabase& db, int records, int reads)
{
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    BenchClock clock;
    for (int i = 0; i < reads; ++i)
        db.ReadRecord(record, (int32_t)(BenchRandom() % (unsigned)records));
    return clock.Seconds();
}

double BenchAscendingReads(DBDatabase& db, int records, int* count)
{
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    BenchClock clock;
    *count = 0;
    for (int n = 0; n < records; n += 4, ++*count)
        db.ReadRecord(record, n);
    return clock.Seconds();
}

double BenchReadsById(DBDatabase& db, int records, int reads)
{
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    BenchClock clock;
    for (int i = 0; i < reads; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "%d", 10 * (1 + (int)(BenchRandom() % (unsigned)records)));
        DBRecordSet found;
        DBSortCursor cursor(&db.GetSortSlotTree(0));
        cursor.CollectEqual(id, found);
        const int n = found.FindNext(-1);
        if (n < 0)
            AfxThrowArchiveException(CArchiveException::badIndex, id);
        db.ReadRecord(record, n);
    }
    return clock.Seconds();
}

double BenchTermLookups(DBDatabase& db, int records, int lookups, double* found)
{
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    BenchClock clock;
    long hits = 0;
    for (int i = 0; i < lookups; ++i) {
        db.ReadRecord(record, (int32_t)(BenchRandom() % (unsigned)records));
        DBTermIndex& index = i % 2 ? db.GetKeywordIndex() : db.GetAuthorIndex();
        index.ForEachTerm(record.GetField(i % 2 ? 45 : 1), [&](const char* key, const StyledString&) {
            DBRecordSet set;
            if (index.GetTree().ReadObject(set, key))
                hits += set.GetCount();
        });
    }
    *found = (double)hits / lookups;
    return clock.Seconds();
}

double BenchSortAll(DBDatabase& db, double* walkSeconds)
{
    BenchClock clock;
    if (!BuildSortSlotIndex(db, 2, db.GetAllRecords()))
        AfxThrowUserException();
    const double seconds = clock.Seconds();
    clock.Restart();
    DBSortCursor cursor(&db.GetSortSlotTree(2));
    long walked = 0;
    for (LONG n = cursor.SeekFirst(0, db.GetAllRecords(), TRUE); n != -1;
         n = cursor.Step(db.GetAllRecords(), TRUE))
        ++walked;
    *walkSeconds = clock.Seconds();
    if (walked != db.GetAllRecords().GetCount())
        AfxThrowArchiveException(CArchiveException::badIndex);
    return seconds;
}
