// The database of the search targets: the search tests' in-memory database
// with real indexes on a scratch key file, filled once per process with a few
// records, and the check that a tree keeps its evaluation contract on them.
#pragma once

#include "FuzzSupport.h"

#include "../../tests/database/search/SearchTestDatabase.h"

#include "database/search/SearchNode.h"
#include "database/sort/AccentFold.h"

#include <cstdio>
#include <cstdlib>
#include <string>

inline SearchTestDatabase& FuzzSearchDatabase()
{
    static SearchTestDatabase* db = [] {
        BuildAccentFoldTable();
        static const std::string path = FuzzScratchPath("search");
        SearchTestDatabase* made = new SearchTestDatabase(path);
        std::atexit([] { std::remove(path.c_str()); });
        made->Add(0, "99", 0, {{4, "Smithson Papers"}, {1, "Smith, John"}, {20, "1990"}, {45, "mice/men"}});
        made->Add(1, "100", 1, {{4, "Goldsmith Papers"}, {1, "Johnson, Mary//Roe, A."}, {20, "May 1995"}});
        made->Add(2, "A-7", 2,
                  {{4, "Smith-Jones Papers"}, {1, "Smith, Adam"}, {12, "x"}, {44, "QA76.9 .S5"}});
        made->Add(3, "12", 0,
                  {{4, "Papers of A. Smith"}, {10, "J. Biol."}, {21, "100 BC"}, {43, "\x93quoted\x94"}});
        made->AddGroup("Reviews", {1, 3});
        return made;
    }();
    return *db;
}

// Evaluate must give every record that Test accepts, and exactly those when
// it leaves needsTest clear; neither may change a record.
inline void CheckSearchContract(SearchNode& root)
{
    SearchTestDatabase& db = FuzzSearchDatabase();
    BOOL needsTest = FALSE;
    DBRecordSet candidates;
    if (!FuzzStep([&] { candidates = root.Evaluate(db, needsTest); }))
        return;
    for (int n = db.all.FindNext(-1); n >= 0; n = db.all.FindNext(n)) {
        DBRecord* record = db.OpenRecord(n);
        const CString title = record->GetField(4).text;
        BOOL holds = FALSE;
        if (!FuzzStep([&] { holds = root.Test(*record); }))
            continue;
        if (record->GetField(4).text != title)
            FuzzFinding("a test changed the record");
        if (holds && !candidates.Contains(n))
            FuzzFinding("a record that the test accepts is missing from the evaluated set");
        if (!needsTest && !holds && candidates.Contains(n))
            FuzzFinding("an exact evaluation holds a record that the test rejects");
    }
}
