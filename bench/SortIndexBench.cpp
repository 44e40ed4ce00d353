// A sort index over 100,000 records: built in one pass (the slot builder
// reading every record), then walked whole in both directions and through a
// one-in-ten record-set filter. Prints records per second for each.
#include "bench/support/BenchReport.h"

#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/db/DBRecord.h"
#include "database/file/BTPagedFile.h"
#include "database/sort/AccentFold.h"
#include "database/sort/DBSortCursor.h"
#include "database/sort/DBSortKeyTree.h"
#include "database/sort/DBSortUpdater.h"
#include "database/sort/ISortIndexDatabase.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/SortKeyContext.h"

#include <cstdio>
#include <vector>

namespace {
const int kRecords = 100000;

const char* const kNames[] = {"Smith",  "Jones",   "Müller",    "García",
                              "Nguyen", "O'Brien", "von Braun", "Åberg"};
const char* const kWords[] = {"analysis", "of", "the",    "theory", "cell",
                              "growth",   "in", "models", "data",   "review"};

// Records made on demand from their number, one slot (author, title, year).
class BenchDatabase : public ISortIndexDatabase
{
public:
    BenchDatabase() : sort(langGeneral), context(sort, stops, stops)
    {
        stops.Add("the");
        file.SetPathName(MakeTempFileName());
        CFileException error;
        if (!file.OpenFile(CPFile::modeCreateExclusive, &error))
            AfxThrowFileException(error.m_cause);
        tree.Attach(&file, this);
        DBSortSpec spec;
        spec.AddKey(DBSortKey(sortFieldAuthor, 1));
        spec.AddKey(DBSortKey(sortFieldTitle, 1));
        spec.AddKey(DBSortKey(sortFieldDate, 1));
        tree.SetSpec(spec);
    }
    ~BenchDatabase()
    {
        tree.Attach(nullptr, this);
        file.Abort();
        CFile::Remove(file.GetPathName());
    }

    void ReadRecord(DBRecord& record, int32_t n) override
    {
        DWORD state = (DWORD)n * 2654435761u + 1;
        auto next = [&](int m) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            return (int)(state % (DWORD)m);
        };
        char text[160];
        std::snprintf(text, sizeof text, "%s, %c.//%s, %c.", kNames[next(8)], 'A' + next(26), kNames[next(8)],
                      'A' + next(26));
        StyledString s;
        s.SetPlainText(text);
        record.SetField(s, 1);
        std::snprintf(text, sizeof text, "%s %s %s %s %d", kWords[next(10)], kWords[next(10)],
                      kWords[next(10)], kWords[next(10)], next(1000));
        s.SetPlainText(text);
        record.SetField(s, 4);
        std::snprintf(text, sizeof text, "%d", 1950 + next(70));
        s.SetPlainText(text);
        record.SetField(s, 20);
        record.SetRecordNumber(n);
    }
    DBRecord* OpenRecord(int32_t) override { return nullptr; }
    BOOL CommitDatabase() override
    {
        file.FlushIfWritable();
        return TRUE;
    }
    const SortKeyContext& GetSortKeyContext() override { return context; }
    CString GetWorkformName(int16_t) override { return "Journal Article"; }
    int GetSortSlotCount() override { return 1; }
    DBSortKeyTree& GetSortSlotTree(int) override { return tree; }
    BTPagedFile* GetScratchFile() override { return &file; }
    void ForgetSortIndex(DBSortIndex*) override {}

    CLanguageSort sort;
    CStringArray stops;
    SortKeyContext context;
    BTPagedFile file;
    DBSortKeyTree tree;
};

void Run()
{
    BuildAccentFoldTable();
    BenchDatabase db;
    DBRecordSet all, tenth;
    for (int n = 0; n < kRecords; ++n) {
        all.Set(n);
        if (n % 10 == 3)
            tenth.Set(n);
    }

    BenchClock clock;
    if (!BuildSortSlotIndex(db, 0, all))
        std::printf("MISMATCH: build failed\n");
    BenchPrintRate("build (records)", kRecords, clock.Seconds());
    if (db.tree.GetEntryCount() != (DWORD)kRecords)
        std::printf("MISMATCH: %lu entries\n", (unsigned long)db.tree.GetEntryCount());

    for (int pass = 0; pass < 3; ++pass) {
        const DBRecordSet& set = pass == 2 ? tenth : all;
        const BOOL forward = pass != 1;
        DBSortCursor cursor(&db.tree);
        clock.Restart();
        int walked = 0;
        for (LONG r = cursor.SeekFirst(0, set, forward); r != -1; r = cursor.Step(set, forward))
            ++walked;
        BenchPrintRate(pass == 0   ? "walk forward (records)"
                       : pass == 1 ? "walk backward (records)"
                                   : "walk one in ten (records)",
                       walked, clock.Seconds());
        if (walked != set.GetCount())
            std::printf("MISMATCH: walked %d of %d\n", walked, set.GetCount());
    }
    BenchPrintPeakMemory();
}
} // namespace

int main()
{
    return BenchMain(Run);
}
