// The database benchmarks' work on this project's engine, one function a
// phase, so that DatabaseBench and the peer benchmark time the very same
// calls. Each returns its seconds; records come from BenchRecords in its fixed
// sequence (BenchRestartRandom starts it again for another engine).
#pragma once

#include <cstddef>

class DBDatabase;

struct BenchImportFigures
{
    double seconds = 0;       // the whole import, its commit included
    double commitSeconds = 0; // of which the final commit
    size_t fieldBytes = 0;    // field text of the records added
    unsigned long long deflates = 0;
    unsigned long long pageWrites = 0;
    size_t setsPeak = 0; // bulk: the most memory the collected pairs held
    int runs = 0;        // bulk: sorted runs written to scratch files
};

// The records first..first + count - 1, each with the next record ID, added
// one by one as a user's saves add them, then one commit.
BenchImportFigures BenchAddOneByOne(DBDatabase& db, int first, int count);
// The same records imported as one bulk batch (DBBulkImport, its pairs
// bounded by `bound` bytes), committed once at the end.
BenchImportFigures BenchAddInBulk(DBDatabase& db, int first, int count, size_t bound);
// Random point reads by record number among the first `records`.
double BenchRandomReads(DBDatabase& db, int records, int reads);
// Every fourth record in ascending order, as a search tests its candidates;
// *count gets the reads.
double BenchAscendingReads(DBDatabase& db, int records, int* count);
// Reads by record ID (the IDs 10, 20, ... of BenchAddOneByOne), through the
// record-ID sort slot.
double BenchReadsById(DBDatabase& db, int records, int reads);
// Random records read and their author or keyword terms looked up, in turn;
// *found gets the records found per lookup.
double BenchTermLookups(DBDatabase& db, int records, int lookups, double* found);
// The author/date/title sort of every record built, then walked (*walkSeconds).
double BenchSortAll(DBDatabase& db, double* walkSeconds);
