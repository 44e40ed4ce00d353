// Record sets over a database of 1,000,000 records: union, intersection and
// symmetric difference of two half-full sets (each with its recount of the
// members), a walk over the members, and the stored form written and read.
// Prints operations per second for each.
#include "bench/support/BenchReport.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"
#include "database/db/DBRecordSet.h"

#include <cstdio>

namespace {
const int kRecords = 1000000;

void Fill(DBRecordSet& set, DWORD seed, int oneIn)
{
    DWORD state = seed;
    for (int n = 0; n < kRecords; ++n) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        if (state % oneIn == 0)
            set.Set(n);
    }
}

template <class Op> void Time(const char* phase, int rounds, Op op)
{
    BenchClock clock;
    for (int i = 0; i < rounds; ++i)
        op();
    BenchPrintRate(phase, rounds, clock.Seconds());
}

void Run()
{
    DBRecordSet a, b, sparse;
    Fill(a, 0x2545F491, 2);
    Fill(b, 0x9E3779B9, 2);
    Fill(sparse, 0x85EBCA6B, 1000);
    BenchPrintValue("members of a", a.GetCount(), "");
    BenchPrintValue("members of b", b.GetCount(), "");

    DBRecordSet work;
    long long check = 0;
    Time("union", 2000, [&] {
        work = a;
        work |= b;
        check += work.GetCount();
    });
    Time("intersection", 2000, [&] {
        work = a;
        work &= b;
        check += work.GetCount();
    });
    Time("symmetric difference", 2000, [&] {
        work = a;
        work ^= b;
        check += work.GetCount();
    });
    BenchClock clock;
    long long walked = 0;
    for (int round = 0; round < 20; ++round)
        for (int n = a.FindNext(-1); n >= 0; n = a.FindNext(n))
            ++walked;
    BenchPrintRate("member walk (members)", (double)walked, clock.Seconds());

    for (DBRecordSet* set : {&a, &sparse}) {
        CMemFile file;
        Time(set == &a ? "store and load, half full" : "store and load, one in 1000", 500, [&] {
            file.SetLength(0);
            file.SeekToBegin();
            {
                CArchive ar(&file, CArchive::store);
                set->Serialize(ar);
                ar.Close();
            }
            file.SeekToBegin();
            CArchive ar(&file, CArchive::load);
            work.Serialize(ar);
        });
        BenchPrintValue("stored size", file.GetLength() / 1024.0, "KiB");
        if (!(work == *set))
            std::printf("MISMATCH after loading\n");
    }
    if (check == 0)
        std::printf("MISMATCH: empty results\n");
    BenchPrintPeakMemory();
}
} // namespace

int main()
{
    return BenchMain(Run);
}
