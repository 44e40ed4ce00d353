// Searches typed against a real database: the search language over the
// database's own word, date, workform and record-ID indexes, before and after
// its key file is rebuilt.
#include "database/search/SearchDatabaseRecords.h"
#include "tests/database/db/DatabaseTestSupport.h"

namespace {

class DatabaseSearch : public DatabaseFixture
{
protected:
    std::vector<int> Find(const char* text)
    {
        DBRecordSet found;
        EXPECT_TRUE(SearchDatabaseRecords(text, *m_db, m_db->GetAllRecords(), found)) << text;
        return Numbers(found);
    }
    ScratchProfileApp app;
    CMessageBoxScript boxes;
};

TEST_F(DatabaseSearch, TypedSearchesFindTheirRecordsBeforeAndAfterARebuild)
{
    DBDatabase& db = Create();
    AddNewRecord(db, {"Smith, John", "Smithson papers", "1990", "Nature", "cells; biology"});
    AddNewRecord(db, {"Adams, Ruth", "A grammar of cells", "1972", "Language", "grammar"});
    AddNewRecord(db, {"Brown, Kim", "Goldsmith papers", "1985", "Science", "history"});
    const struct
    {
        const char* text;
        std::vector<int> found;
    } cases[] = {
        {"titl = smith*", {0}},
        {"titl = *smith", {2}},
        {"titl = papers", {0, 2}},
        {"titl = zzz", {}},
        {"auth = adams", {1}},
        {"key = grammar", {1}},
        {"date < 1980", {1}},
        {"rec# = 20-30", {1, 2}},
        {"not titl = papers and date > 1980", {}},
        {"jrnl = nature or jrnl = science", {0, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Find(c.text), c.found) << c.text;
    db.RebuildKeyFile(DBDatabase::IDS_REBUILDING_KEY_FILE);
    for (const auto& c : cases)
        EXPECT_EQ(Find(c.text), c.found) << "after the rebuild: " << c.text;
}

} // namespace
