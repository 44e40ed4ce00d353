// Searches typed against a real database: the search language over the
// database's own word, date, workform and record-ID indexes, before and after
// its key file is rebuilt.
#include "database/search/SearchDatabaseRecords.h"
#include "database/search/SearchNode.h"
#include "database/search/SearchParser.h"
#include "tests/database/db/DatabaseTestSupport.h"

#include <cstdio>
#include <string>

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
    // The records the parsed tree accepts, each read whole and tested.
    std::vector<int> FindByTestingEveryRecord(const char* text)
    {
        std::vector<int> accepted;
        std::unique_ptr<SearchNode> root(ParseSearchExpression(text, *m_db));
        EXPECT_TRUE(root) << text;
        if (!root)
            return accepted;
        const DBRecordSet& all = m_db->GetAllRecords();
        for (int n = all.FindNext(-1); n >= 0; n = all.FindNext(n)) {
            DBRecord record;
            record.m_bAutoDelete = FALSE;
            m_db->ReadRecord(record, n);
            if (root->Test(record))
                accepted.push_back(n);
        }
        return accepted;
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

// A generated database whose records differ in every field a search looks
// at: each expression must find exactly the records its tree accepts when
// every record is read whole and tested, whatever the indexes answered and
// however little of each record the test phase decoded.
TEST_F(DatabaseSearch, SearchesAgreeWithTestingEveryWholeRecord)
{
    static const char* const names[] = {
        "Smith, J.",  "Smithson, A.", "Goldsmith, K.", "Jones-Smith, R.", "=World Health Organization",
        "Adams, Ruth"};
    static const char* const words[] = {"cell", "cells", "biology", "of", "the", "papers", "grammar", "x"};
    DBDatabase& db = Create();
    unsigned seed = 7;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    auto text = [&](int count) {
        std::string t;
        for (int i = 0; i < count; ++i)
            t += std::string(i ? " " : "") + words[next(8)];
        return t;
    };
    for (int i = 0; i < 240; ++i) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        record.SetWorkformId((int16_t)(i % 3));
        if (i % 7)
            record.SetField(StyledString(names[next(6)]), 1);
        if (i % 5 == 0)
            record.SetField(StyledString((std::string(names[next(6)]) + "\n" + names[next(6)]).c_str()), 7);
        record.SetField(StyledString(text(1 + (int)next(5)).c_str()), 4);
        if (i % 4)
            record.SetField(StyledString(text(1).c_str()), 10);
        char year[8];
        std::snprintf(year, sizeof year, "%d", 1970 + (int)next(40));
        if (i % 6)
            record.SetField(StyledString(year), 12);
        record.SetField(StyledString(text(20).c_str()), 38);
        if (i % 3)
            record.SetField(StyledString(text(2).c_str()), 42);
        record.SetField(StyledString((text(1) + "/" + text(2)).c_str()), 45);
        char id[16];
        std::snprintf(id, sizeof id, i % 11 ? "%d" : "A%d", 10 * (i + 1));
        record.SetRecordIdText(id);
        db.AddRecord(record, db.GetNextFreeRecordNumber());
    }
    db.DeleteRecord(17);
    db.DeleteRecord(101);
    static const char* const expressions[] = {
        "auth = smith",
        "auth = smith*",
        "auth = *smith",
        "auth = *smith*",
        "auth = 'world health'",
        "titl = cell",
        "titl = cell*",
        "titl = of",
        "key = biology, grammar",
        "jrnl = x or jrnl = papers",
        "note = cells",
        "not titl = cell",
        "not note = the and auth = smith",
        "date = 1980",
        "date > 1990",
        "date <= 1975 or date >= 2005",
        "rec# = 100-900",
        "rec# = 900-100",
        "rec# = 10-10",
        "rec# = 0-99999",
        "rec# = 2395-2405",
        "rec# = A10-A9999",
        "rec# = 1000-A",
        "not rec# = 500-1200 and titl = cell",
        "rec# < 500 and titl = papers",
        "not rec# = 200-300",
        "titl begins with cell",
        "auth ends with r.",
        "key exactly biology",
        "titl contains ell",
        "jrnl = empty",
        "#12 = not empty and not #42 = empty",
        "form = journal*",
        "form begins with book",
        "form ends with article",
        "form contains ou",
        "not form exactly book and titl = cell",
        "grammar",
        "smith and not cells",
    };
    for (const char* expression : expressions) {
        EXPECT_EQ(Find(expression), FindByTestingEveryRecord(expression)) << expression;
    }
}

// Dates the search takes from the date index's keys unread must be exactly
// those that testing every record finds: years with letters, months,
// seasons, ranges (also dropped ones ending before they start), BC dates,
// open ends and the special years, in each of the three date fields.
TEST_F(DatabaseSearch, DatesFromTheIndexAgreeWithTestingEveryRecord)
{
    static const char* const dates[] = {
        "1990",          "1990b",    "May 1990", "Winter 1990", "1988-1995",      "1995-1990", "150 BC",
        "200-100 BC",    "In Press", "c1850?",   "199?",        "1990-",          "Spring",    "Reprint",
        "12 March 1994", "1994b",    "1850",     "2001",        "Dec 1999 - Jan", ""};
    const int count = (int)(sizeof dates / sizeof dates[0]);
    DBDatabase& db = Create();
    for (int i = 0; i < 3 * count; ++i) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        record.SetField(StyledString(i % 2 ? "cell biology" : "grammar"), 4);
        record.SetField(StyledString(dates[i % count]), i < count ? 12 : i < 2 * count ? 20 : 21);
        if (i % 3 == 0)
            record.SetField(StyledString(dates[(i * 7) % count]), 21);
        record.SetRecordIdText(std::to_string(i + 1).c_str());
        db.AddRecord(record, db.GetNextFreeRecordNumber());
    }
    static const char* const expressions[] = {
        "date = 1990",
        "date = 1990-1995",
        "date = 1850",
        "date = 199",
        "date < 1990",
        "date <= 1990",
        "date > 1990",
        "date >= 1995",
        "date > 150",
        "date = 100-200",
        "date = 'in press'",
        "not date = 1990",
        "not date > 1990",
        "#12 = 1990",
        "date = 1994b",
        "date < 'May 1990'",
        "date = 1999-2000",
        "date >= 2000",
        "date = 1990 and titl = cell",
        "date = 1990 or date > 2000",
        "date = 1990-",
        "date <= 150",
        "date = 2001",
    };
    for (const char* expression : expressions) {
        EXPECT_EQ(Find(expression), FindByTestingEveryRecord(expression)) << expression;
    }
}

// "begins with" takes its candidates from the word index: items that start
// after separators, inside author lists, with punctuation, accents or a last
// word cut short must still be found exactly as testing every record finds them.
TEST_F(DatabaseSearch, BeginsWithFromTheWordIndexAgreesWithTestingEveryRecord)
{
    DBDatabase& db = Create();
    AddNewRecord(db,
                 {"Smith, J.\nO'Brien, K.", "Cell biology/growth", "1990", "Nature", "cell/bio; grammar"});
    AddNewRecord(db, {"=World Health Organization", "(Cells) of the sea", "1991", "Lancet", "bio/cell"});
    AddNewRecord(db, {"M\xfc"
                      "ller-L\xfc"
                      "denscheidt, A.",
                      "cellular matters", "1992", "Cell Reports", "grammars"});
    AddNewRecord(db, {"Obrien, T.; Smithson, R.", "A cell", "1993", "Biology", "cells/x"});
    AddNewRecord(db, {"", "--- dashes", "1994", "", ""});
    static const char* const expressions[] = {
        "auth begins with \"o'b\"",
        "auth begins with obr",
        "auth begins with world",
        "auth begins with \"=world\"",
        "auth begins with \"muller-l\"",
        "auth begins with m\xfc"
        "ller",
        "auth begins with \"smith, j\"",
        "auth begins with smiths",
        "titl begins with cel",
        "titl begins with \"cell bio\"",
        "titl begins with \"(cells\"",
        "titl begins with \"cells)\"",
        "titl begins with \"---\"",
        "titl begins with a",
        "key begins with bio",
        "key begins with gram",
        "key begins with \"cell/b\"",
        "jrnl begins with \"cell re\"",
        "titl begins with growth",
        "key begins with x",
    };
    for (const char* expression : expressions) {
        EXPECT_EQ(Find(expression), FindByTestingEveryRecord(expression)) << expression;
    }
    EXPECT_EQ(Find("titl begins with cel"), (std::vector<int>{0, 2}));
    EXPECT_EQ(Find("auth begins with \"o'b\""), (std::vector<int>{0}));
}

} // namespace
