// Searches over the 100,000 generated records of the database benchmark: the
// records are imported with every index, then 1,000 mixed search expressions
// (authors, titles, keywords, journals, dates, record IDs, combined with and,
// or and not) run through the search language, and one-term searches are
// timed one by one in three classes by how many records their term names:
// rare terms (a handful of records), medium ones (some 0.1-1% of the records)
// and the most frequent ones (a few percent or more), then one-term searches
// of a year and of a record-ID range. Prints searches per second for the
// mixed ones and, for each class, the average and slowest time, the records
// found and the page requests per search with the page cache's hit rate (a
// miss reads a page from the file).
#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"

#include "classlib/Exceptions.h"
#include "classlib/WinApp.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/file/BTPageCache.h"
#include "database/search/SearchDatabaseRecords.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kRecords = 100000;
const int kMixed = 1000;
const int kPerClass = 40;

std::string Expression(int i)
{
    char text[200];
    const unsigned r = BenchRandom();
    const char* word = BenchWord(r % 2000);
    const char* other = BenchWord((r >> 4) % 2000);
    const char* name = BenchName(r % 1000);
    switch (i % 10) {
    case 0:
        std::snprintf(text, sizeof text, "auth = \"%s\"", name);
        break;
    case 1:
        std::snprintf(text, sizeof text, "titl = %s*", word);
        break;
    case 2:
        std::snprintf(text, sizeof text, "key = \"%s\" and date > %d", BenchKeyword(r % 2000),
                      1950 + (int)(r % 70));
        break;
    case 3:
        std::snprintf(text, sizeof text, "date = %d-%d", 1950 + (int)(r % 60), 1960 + (int)(r % 60));
        break;
    case 4:
        std::snprintf(text, sizeof text, "rec# = %d-%d", 10 * (int)(r % 90000), 10 * (int)(r % 90000) + 500);
        break;
    case 5:
        std::snprintf(text, sizeof text, "jrnl = \"%s\" or jrnl = \"%s\"", BenchJournal(r % 300),
                      BenchJournal((r >> 4) % 300));
        break;
    case 6:
        std::snprintf(text, sizeof text, "not key = %s and auth = \"%s\"", other, name);
        break;
    case 7:
        std::snprintf(text, sizeof text, "(auth = \"%s\" or auth = \"%s\") and titl = %s", name,
                      BenchName((r >> 4) % 1000), BenchWord(40 + (r >> 8) % 200));
        break;
    case 8:
        std::snprintf(text, sizeof text, "titl begins with %s", word);
        break;
    default:
        std::snprintf(text, sizeof text, "titl = \"%s %s\"", word, other);
        break;
    }
    return text;
}

long Search(DBDatabase& db, const std::string& text)
{
    DBRecordSet found;
    if (!SearchDatabaseRecords(text.c_str(), db, db.GetAllRecords(), found))
        AfxThrowArchiveException(CArchiveException::generic, text.c_str());
    return found.GetCount();
}

// A class of one-term searches: title words of ranks [firstWord, lastWord)
// and author surnames of ranks [firstName, lastName), spread evenly.
// Or a class of years ("date = 1957") or of record-ID ranges of 500 IDs.
struct TermClass
{
    enum Kind
    {
        words,
        years,
        idRanges
    };
    const char* name;
    Kind kind;
    unsigned firstWord, lastWord;
    unsigned firstName, lastName;
};

std::string OneTerm(const TermClass& c, int i)
{
    char text[64];
    if (c.kind == TermClass::years) {
        std::snprintf(text, sizeof text, "date = %d", 1950 + (i * 7) % 70);
        return text;
    }
    if (c.kind == TermClass::idRanges) {
        std::snprintf(text, sizeof text, "rec# = %d-%d", 2000 * i + 7, 2000 * i + 507);
        return text;
    }
    const unsigned step = (unsigned)(i / 2);
    if (i % 2)
        return std::string("auth = \"") +
               BenchName(c.firstName + step * (c.lastName - c.firstName) / (kPerClass / 2)) + "\"";
    return std::string("titl = ") +
           BenchWord(c.firstWord + step * (c.lastWord - c.firstWord) / (kPerClass / 2));
}

void TimeClass(DBDatabase& db, const TermClass& c)
{
    double total = 0, slowest = 0;
    long found = 0;
    BTPageCache::ResetHitCounts();
    for (int i = 0; i < kPerClass; ++i) {
        const std::string text = OneTerm(c, i);
        BenchClock clock;
        found += Search(db, text);
        const double ms = clock.Seconds() * 1000.0;
        total += ms;
        slowest = std::max(slowest, ms);
    }
    const std::string label = std::string("one-term search, ") + c.name;
    BenchPrintValue((label + ", average").c_str(), total / kPerClass, "ms");
    BenchPrintValue((label + ", slowest").c_str(), slowest, "ms");
    BenchPrintValue((label + ", records found").c_str(), (double)found / kPerClass, "records");
    const double hits = (double)BTPageCache::GetHits();
    const double requests = hits + (double)BTPageCache::GetMisses();
    BenchPrintValue((label + ", page requests").c_str(), requests / kPerClass, "pages");
    BenchPrintValue((label + ", page-cache hits").c_str(), requests > 0 ? 100.0 * hits / requests : 100.0,
                    "%");
}

void Run()
{
    // The database takes its defaults from the application's profile.
    CWinApp app("Lorvane5 Bench");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Bench");
    DBDatabase db;
    CreateBenchDatabase(db);

    BenchClock clock;
    {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        for (int i = 0; i < kRecords; ++i) {
            FillBenchRecord(record, i);
            record.SetRecordIdText(db.GetNextRecordId());
            db.AddRecord(record, db.GetNextFreeRecordNumber());
        }
        db.CommitFiles();
    }
    BenchPrintRate("import (records)", kRecords, clock.Seconds());

    long found = 0;
    clock.Restart();
    for (int i = 0; i < kMixed; ++i)
        found += Search(db, Expression(i));
    BenchPrintRate("mixed searches", kMixed, clock.Seconds());
    BenchPrintValue("records found per mixed search", (double)found / kMixed, "records");

    // Ranks chosen from the generator's distribution (see BenchRecords.h).
    const TermClass classes[] = {
        {"rare terms", TermClass::words, 15000, 20000, 2900, 3000},
        {"medium terms", TermClass::words, 110, 1100, 50, 600},
        {"most frequent terms", TermClass::words, 0, 60, 0, 10},
        {"years", TermClass::years, 0, 0, 0, 0},
        {"record-ID ranges", TermClass::idRanges, 0, 0, 0, 0},
    };
    for (const TermClass& c : classes)
        TimeClass(db, c);

    BenchPrintPeakMemory();
    db.Close();
    db.Remove();
}

} // namespace

int main()
{
    return BenchMain(Run);
}
