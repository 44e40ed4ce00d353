// Searches over the 100,000 generated records of the database benchmark: the
// records are imported with every index, then 1,000 mixed search expressions
// (authors, titles, keywords, journals, dates, record IDs, combined with and,
// or and not) run through the search language, and one-term searches are
// timed one by one. Prints searches per second for each and the slowest and
// average one-term search.
#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"

#include "classlib/Exceptions.h"
#include "classlib/WinApp.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/search/SearchDatabaseRecords.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kRecords = 100000;
const int kMixed = 1000;
const int kOneTerm = 200;

std::string Expression(int i)
{
    char text[160];
    const unsigned r = BenchRandom();
    switch (i % 10) {
    case 0:
        std::snprintf(text, sizeof text, "auth = \"%s\"", BenchName(r));
        break;
    case 1:
        std::snprintf(text, sizeof text, "titl = %s*", BenchWord(r));
        break;
    case 2:
        std::snprintf(text, sizeof text, "key = %s and date > %d", BenchWord(r), 1950 + (int)(r % 70));
        break;
    case 3:
        std::snprintf(text, sizeof text, "date = %d-%d", 1950 + (int)(r % 60), 1960 + (int)(r % 60));
        break;
    case 4:
        std::snprintf(text, sizeof text, "rec# = %d-%d", 10 * (int)(r % 90000), 10 * (int)(r % 90000) + 500);
        break;
    case 5:
        std::snprintf(text, sizeof text, "jrnl = %s or jrnl = %s", BenchWord(r), BenchWord(r >> 4));
        break;
    case 6:
        std::snprintf(text, sizeof text, "not key = %s and auth = \"%s\"", BenchWord(r), BenchName(r >> 4));
        break;
    case 7:
        std::snprintf(text, sizeof text, "(auth = \"%s\" or auth = \"%s\") and titl = %s", BenchName(r), BenchName(r >> 4),
                      BenchWord(r >> 8));
        break;
    case 8:
        std::snprintf(text, sizeof text, "titl begins with %s", BenchWord(r));
        break;
    default:
        std::snprintf(text, sizeof text, "key = %s, %s", BenchWord(r), BenchWord(r >> 4));
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

    std::vector<double> times;
    for (int i = 0; i < kOneTerm; ++i) {
        const std::string text = i % 2 ? std::string("auth = \"") + BenchName(BenchRandom()) + "\""
                                       : std::string("key = ") + BenchWord(BenchRandom());
        clock.Restart();
        Search(db, text);
        times.push_back(clock.Seconds() * 1000.0);
    }
    double total = 0;
    for (double t : times)
        total += t;
    BenchPrintRate("one-term searches", kOneTerm, total / 1000.0);
    BenchPrintValue("one-term search, average", total / kOneTerm, "ms");
    BenchPrintValue("one-term search, slowest", *std::max_element(times.begin(), times.end()), "ms");

    BenchPrintPeakMemory();
    db.Close();
    db.Remove();
}

} // namespace

int main()
{
    return BenchMain(Run);
}
