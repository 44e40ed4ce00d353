// A whole database: 100,000 generated records (or the count given as the
// first argument; a second one sets the bound of the index sets held in
// memory, in KiB, a third that of the bulk path's pairs; "bulk" before them
// runs the bulk imports only) of about 1.1 KB (four workforms, one to six authors,
// keywords one a line, dates, a long note) added one by one with every index
// kept, as a user's saves add them, and committed once at the end (the
// import's time includes that commit, which writes the index sets still held
// in memory); then point reads by record number (at random, then every fourth
// record in ascending order, with the pages found in the cache and read per
// record) and by record ID, term lookups in the author and keyword indexes,
// and a full author/date/title sort built and walked. Then the same records
// imported as one bulk batch into an empty database, and a tenth as many
// more imported in bulk into that database. Prints records per
// second for each, the two files' sizes, the key-file pages deflated per page
// the file ends with, the pages written and the peak memory.
#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"
#include "bench/support/DatabaseWork.h"

#include "app/core/Paths.h"
#include "classlib/WinApp.h"
#include "database/db/DBBulkImport.h"
#include "database/db/DBDatabase.h"
#include "database/file/BTPageCache.h"

#include <cstdlib>
#include <cstring>

namespace {

int recordCount = 100000;
size_t pendingBound = DBPendingSets::kDefaultBound;
size_t bulkBound = DBBulkSets::kDefaultBound;
bool bulkOnly = false;
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
    BenchPrintValue("  pages read from the file per record", (double)BTPageCache::GetMisses() / reads,
                    "pages");
}

void PrintImport(const char* phase, const BenchImportFigures& figures, int count, const CString& path)
{
    BenchPrintRate(phase, count, figures.seconds);
    BenchPrintValue("  of which the final commit", figures.commitSeconds, "s");
    const DWORD keyBytes = FileSize(ReplaceExtension(path, ".ldx"));
    const double keySlots = keyBytes > 1024 ? (keyBytes - 1024) / 1280.0 : 0;
    BenchPrintValue("  data file", FileSize(path) / 1048576.0, "MiB");
    BenchPrintValue("  key file", keyBytes / 1048576.0, "MiB");
    BenchPrintValue("  key-file pages deflated per slot of the file",
                    keySlots > 0 ? (double)figures.deflates / keySlots : 0, "deflates");
    BenchPrintValue("  pages written (both files)", (double)figures.pageWrites, "pages");
}

void PrintBulk(const char* phase, const BenchImportFigures& figures, int count, const CString& path)
{
    PrintImport(phase, figures, count, path);
    BenchPrintValue("  pairs held in memory at most", figures.setsPeak / 1048576.0, "MiB");
    BenchPrintValue("  sorted runs on scratch files", (double)figures.runs, "runs");
}

// The bulk path into a database of its own: all records into an empty one,
// then a tenth as many into it.
void RunBulk()
{
    DBDatabase db;
    const CString path = CreateBenchDatabase(db);
    BenchRestartRandom();
    PrintBulk("records imported in bulk (empty database)", BenchAddInBulk(db, 0, recordCount, bulkBound),
              recordCount, path);
    const int more = recordCount / 10;
    CString phase;
    phase.Format("%d records imported in bulk into %d", more, recordCount);
    PrintBulk(phase, BenchAddInBulk(db, recordCount, more, bulkBound), more, path);
    BenchPrintPeakMemory();
    db.Close();
    db.Remove();
}

void Run()
{
    // The database takes its defaults from the application's profile.
    CWinApp app("Lorvane5 Bench");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Bench");
    if (bulkOnly) {
        RunBulk();
        return;
    }
    DBDatabase db;
    const CString path = CreateBenchDatabase(db);
    db.GetPendingSets().SetBound(pendingBound);
    BenchPrintValue("bound of the index sets held", pendingBound / 1048576.0, "MiB");

    const BenchImportFigures added = BenchAddOneByOne(db, 0, recordCount);
    PrintImport("records added one by one", added, recordCount, path);
    BenchPrintValue("  average field text", (double)added.fieldBytes / recordCount, "bytes");

    BTPageCache::ResetHitCounts();
    BenchPrintRate("read by number (records)", kReads, BenchRandomReads(db, recordCount, kReads));
    PrintPagesPerRecord(kReads);

    BTPageCache::ResetHitCounts();
    int ascending = 0;
    const double ascendingSeconds = BenchAscendingReads(db, recordCount, &ascending);
    BenchPrintRate("read by number, ascending (records)", ascending, ascendingSeconds);
    PrintPagesPerRecord(ascending);

    const int idReads = kReads / 10;
    BenchPrintRate("read by ID (records)", idReads, BenchReadsById(db, recordCount, idReads));

    const int lookups = 50000;
    double found = 0;
    BenchPrintRate("term lookups (records read and looked up)", lookups,
                   BenchTermLookups(db, recordCount, lookups, &found));
    BenchPrintValue("records found per lookup", found, "records");

    double walkSeconds = 0;
    BenchPrintRate("author/date/title sort built (records)", recordCount, BenchSortAll(db, &walkSeconds));
    BenchPrintRate("author/date/title sort walked (records)", recordCount, walkSeconds);

    BenchPrintPeakMemory();
    // The peak counts the data file's pages mapped for reading: clean file
    // pages, which the system drops under pressure; the cache's buffers are the
    // process's own and bounded.
    BenchPrintValue("  of which the data file's mapped view at most", db.GetMappedLength() / 1048576.0,
                    "MiB");
    BenchPrintValue("  page cache buffers (all files)",
                    BTPageCache::GetBuffersInUse() * (double)sizeof(BTPage) / 1048576.0, "MiB");
    db.Close();
    db.Remove();
    RunBulk();
}

} // namespace

int main(int argc, char** argv)
{
    // "bulk" first: the bulk imports only.
    if (argc > 1 && std::strcmp(argv[1], "bulk") == 0) {
        bulkOnly = true;
        --argc;
        ++argv;
    }
    if (argc > 3 && std::atoi(argv[3]) > 0)
        bulkBound = (size_t)std::atoi(argv[3]) << 10;
    if (argc > 1 && std::atoi(argv[1]) > 0)
        recordCount = std::atoi(argv[1]);
    if (argc > 2 && std::atoi(argv[2]) >= 0)
        pendingBound = (size_t)std::atoi(argv[2]) << 10;
    return BenchMain(Run);
}
