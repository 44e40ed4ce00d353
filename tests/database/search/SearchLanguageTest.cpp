#include "SearchTestSupport.h"

#include "app/core/ErrorReport.h"
#include "app/core/ProgressDialog.h"
#include "classlib/Resources.h"
#include "database/search/SearchDatabaseRecords.h"
#include "database/search/SearchParser.h"

#include <gtest/gtest.h>

namespace {

const int16_t kJournalArticle = 0;
const int16_t kBook = 1;
const int16_t kUnknownWorkform = 99; // no such workform: "<Default>", which uses every field

// The four papers: record numbers 0 to 3, IDs 99, 100, 250, 251.
class SearchLanguage : public SearchFixture
{
protected:
    SearchLanguage()
    {
        db.Add(0, "99", kJournalArticle,
               {{4, "Smithson Papers"}, {1, "Smith, John"}, {20, "1990"}, {43, "mice"}});
        db.Add(1, "100", kBook,
               {{4, "Goldsmith Papers"}, {1, "Johnson, Mary"}, {20, "1995"}, {12, "Reprint"}});
        db.Add(2, "250", kUnknownWorkform, {{4, "Smith-Jones Papers"}, {1, "Smith, Adam"}, {20, "1990"}});
        db.Add(3, "251", kUnknownWorkform,
               {{4, "Papers of A. Smith"},
                {1, "John, Elton"},
                {20, "1991"},
                {12, "Spring"},
                {43, "Mice and men"}});
        db.AddGroup("Reviews", {1, 3});
    }

    // The records that the search of text finds among all records.
    std::set<int> Find(const char* text)
    {
        DBRecordSet result;
        EXPECT_TRUE(SearchDatabaseRecords(text, db, db.all, result)) << text;
        return Members(result);
    }

    CMessageBoxScript boxes;
};

TEST_F(SearchLanguage, ExpressionsFindTheRecordsOfTheirRules)
{
    const struct
    {
        const char* text;
        std::set<int> found;
    } cases[] = {
        {"titl = smith*", {0, 2, 3}}, // Smithson: SMITH at a word start
        {"titl = *smith", {1, 2, 3}}, // Goldsmith: SMITH at a word end
        {"titl = *smith*", {0, 1, 2, 3}},
        {"titl = smith", {2, 3}},    // a whole word only
        {"title = *", {0, 1, 2, 3}}, // one star: any non-empty title
        {"rec# = 100-250", {1, 2}},
        {"rec# < 100", {0}},
        {"id <= 100", {0, 1}},
        {"record id > 250", {3}},
        {"recno >= 250", {2, 3}},
        {"rec# <> 100", {0, 2, 3}},
        {"rec# = 99, 251", {0, 3}},
        {"rec# = 12345678901234567890", {}},           // 20 characters: the longest ID
        {"auth = 'smith, john'", {0}},                 // one term with a comma
        {"auth = smith, john", {0, 2, 3}},             // two terms: SMITH or JOHN
        {"not titl = smithson and auth = smith", {2}}, // (not a) and b
        {"not (titl = smithson and auth = smith)", {1, 2, 3}},
        {"titl = smithson or auth = john and titl = papers", {0, 3}},
        {"not not titl = smithson", {0}},
        {"#12 = empty", {2}}, // only the default workform uses field 12; record 3's is filled
        {"#12 = not empty", {1, 3}},
        {"dtmt = empty", {2}},
        {"#00 = x", {}},
        {"date = 1990", {0, 2}},
        {"date < 1991", {0, 2}},
        {"date >= 1991", {1, 3}},
        {"form = Journal*", {0}},
        {"workform = book*", {1}},
        {"form = '<default>'", {2, 3}},
        {"form < c", {1, 2, 3}},    // "<DEFAULT>" too: "<" is below "C"
        {"form >= 'Journal'", {0}}, // quoted: journal is a field word
        {"form contains ENTIRE", {1}},
        {"form begins with '<def'", {2, 3}},
        {"form ends with article", {0}},
        {"form exactly 'book, entire'", {1}},
        {"not form contains o", {2, 3}}, // "<DEFAULT>" has no O
        {"rs = reviews", {1, 3}},
        {"group = Reviews and titl = papers", {1, 3}},
        {"abst contains mice", {0, 3}},
        {"not abst contains mice", {1, 2}},
        {"auth begins with smith", {0, 2}},
        {"auth ends with john", {0}},
        {"auth exactly 'john, elton'", {3}},
        {"titl begins with papers", {3}},
        {"titl ends with papers", {0, 1, 2}},
        {"titl < M", {0, 1, 2, 3}}, // field 9 is empty: below every term
        {"smithson", {0}},
        {"papers", {0, 1, 2, 3}},
        {"\"of a. smith\"", {3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Find(c.text), c.found) << c.text;
    EXPECT_EQ(boxes.CallCount(), 0);
}

TEST_F(SearchLanguage, DateRangesAreFoundByTheirOverlapAndTheirEnd)
{
    db.Add(4, "300", kJournalArticle, {{4, "Survey"}, {20, "1988-1995"}});
    db.Add(5, "301", kJournalArticle, {{4, "Census"}, {21, "1960-1970"}});
    EXPECT_EQ(Find("date = 1990-1991"), (std::set<int>{0, 2, 3, 4})); // 1990, 1991 and the range around them
    EXPECT_EQ(Find("date = 1965"), std::set<int>{5});
    EXPECT_EQ(Find("date = 1971-1987"), std::set<int>{});
    // The range starts before 1992 but ends after it.
    EXPECT_EQ(Find("date > 1992"), (std::set<int>{1, 4}));
    EXPECT_EQ(Find("date >= 1995"), (std::set<int>{1, 4}));
    EXPECT_EQ(Find("date < 1961"), std::set<int>{5});
    // Date comparisons leave eras aside; the index orders BC first, so BC dates are always tested.
    db.Add(6, "302", kJournalArticle, {{4, "Tablets"}, {20, "150 BC"}});
    EXPECT_EQ(Find("date = 150"), std::set<int>{6});
    EXPECT_EQ(Find("date > 140"), (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Find("date <= '150 BC'"), (std::set<int>{6}));
    // Not a date: the date fields compare as text ("Spring" and "Reprint" are above "ABC").
    EXPECT_EQ(Find("date >= abc"), (std::set<int>{1, 3}));
}

TEST_F(SearchLanguage, CrLfLineEndsSearchAsLineFeeds)
{
    EXPECT_EQ(Find("titl = smith\r\nor titl = goldsmith\r\n"), Find("titl = smith\nor titl = goldsmith\n"));
    EXPECT_EQ(Find("titl = smith\r\nor titl = goldsmith\r\n"), (std::set<int>{1, 2, 3}));
    // A carriage return on its own is still a term character.
    EXPECT_EQ(Find("titl = smith\r"), std::set<int>{});
}

TEST_F(SearchLanguage, IndexAnsweredSearchesReadNoRecord)
{
    ScriptedProgressDisplay::StopAtCall(0);
    for (const char* text :
         {"rec# = 100-250", "not rec# < 100", "rs = reviews", "form = journal*", "form <= 'book, entire'",
          "rec# = 99 or rs = reviews", "form contains ENTIRE", "not form ends with article"}) {
        db.reads = 0;
        Find(text);
        EXPECT_EQ(db.reads, 0) << text;
    }
    EXPECT_EQ(Find("not rec# < 100"), (std::set<int>{1, 2, 3}));
}

// A year-only date puts the records under the date keys of accepted years
// into the result unread; the other candidates are still read and tested.
TEST_F(SearchLanguage, YearOnlyDatesTakeTheirKeysRecordsUnread)
{
    db.Add(4, "300", kJournalArticle, {{4, "Survey"}, {20, "1988-1995"}});
    const struct
    {
        const char* text;
        std::set<int> found;
        int reads;
    } cases[] = {
        {"date = 1990", {0, 2, 4}, 1},         // the range starting in 1988 is read
        {"date = 1990-1991", {0, 2, 3, 4}, 1}, //
        {"date > 1992", {1, 4}, 0},            // by the year of the end
        {"date < 1991", {0, 2, 4}, 1},         // 1991 is a candidate, read and rejected
        {"not date = 1990", {1, 3}, 3},        // only the candidates of the operand are read
        {"#20 = 1990", {0, 2, 4}, 3},          // one date field of three: every candidate read
        {"date = 'May 1990'", {4}, 1},         // a month: no record is sure; the range holds it
    };
    for (const auto& c : cases) {
        db.reads = 0;
        EXPECT_EQ(Find(c.text), c.found) << c.text;
        EXPECT_EQ(db.reads, c.reads) << c.text;
    }
}

TEST_F(SearchLanguage, TestPhaseReadsOnlyTheRestrictedCandidates)
{
    DBRecordSet restrictTo;
    restrictTo.Set(1);
    restrictTo.Set(3);
    DBRecordSet result;
    db.reads = 0;
    ASSERT_TRUE(SearchDatabaseRecords("abst contains mice", db, restrictTo, result));
    EXPECT_EQ(Members(result), std::set<int>{3});
    EXPECT_EQ(db.reads, 2);

    DBRecordSet none, empty;
    db.reads = 0;
    ASSERT_TRUE(SearchDatabaseRecords("abst contains mice", db, none, empty));
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_EQ(db.reads, 0);
}

TEST_F(SearchLanguage, StopKeepsTheUntestedRecords)
{
    ScriptedProgressDisplay::StopAtCall(2); // record 0 tested, then Stop
    DBRecordSet result;
    ASSERT_TRUE(SearchDatabaseRecords("titl contains goldsmith", db, db.all, result));
    // Contains: every record is a candidate; 0 fails its test, 1 to 3 stay untested.
    EXPECT_EQ(Members(result), (std::set<int>{1, 2, 3}));
}

TEST_F(SearchLanguage, AReadErrorIsReportedAndStopsTheSearch)
{
    InstallExceptionReporter();
    db.unreadable.insert(2);
    DBRecordSet result;
    EXPECT_FALSE(SearchDatabaseRecords("abst contains mice", db, db.all, result));
    EXPECT_EQ(boxes.CallCount(), 1);
    // Records 0 and 1 were tested; 2 and 3 stay.
    EXPECT_EQ(Members(result), (std::set<int>{0, 2, 3}));
}

TEST_F(SearchLanguage, TestingNeverChangesTheRecord)
{
    std::unique_ptr<SearchNode> root(ParseSearchExpression("titl = smith or auth begins with adam", db));
    ASSERT_TRUE(root);
    DBRecord* shared = db.OpenRecord(2);
    EXPECT_TRUE(root->Test(*shared));
    EXPECT_STREQ(shared->GetField(4).text, "Smith-Jones Papers");
    EXPECT_STREQ(shared->GetField(1).text, "Smith, Adam");
}

TEST_F(SearchLanguage, TermListsBecomeOrNodesOfLeaves)
{
    const struct
    {
        const char* text;
        const char* tree;
    } cases[] = {
        {"auth = a, b, c", "or(word[1,7,16,30 C] or(word[1,7,16,30 B] word[1,7,16,30 A]))"},
        {"titl <> x, y", "not(or(word[4,9,11,32 Y] word[4,9,11,32 X]))"},
        {"a or b and c", "and(or(word[all A] word[all B]) word[all C])"},
        {"a and b or c", "or(and(word[all A] word[all B]) word[all C])"},
        {"not a and b", "and(not(word[all A]) word[all B])"},
        {"#05 contains x", "contains[5 X]"},
        {"isid = *x", "word[24,34 *X]"},
        {"call > PS", "gt[44 PS]"},
        {"date = 'May 1990'", "word[12,20,21 MAY 1990]"},
        {"titl = 'not'", "word[4,9,11,32 NOT]"},
        {"titl = andy", "word[4,9,11,32 ANDY]"},
        {"id = 12-30", "and(id>=12 id<=30)"},
        {"record number = 12-30", "and(id>=12 id<=30)"},
        {"rec# = a-b-c", "and(id>=a id<=b-c)"},
        {"form <> x", "not(form[X])"},
        {"auth = not empty", "nempty[1,7,16,30 ]"},
        {"key = ''", "?"}, // an empty quoted term is no term: a syntax error
    };
    for (const auto& c : cases) {
        boxes.Clear();
        std::unique_ptr<SearchNode> root(ParseSearchExpression(c.text, db));
        EXPECT_EQ(root ? Describe(root.get()) : "?", c.tree) << c.text;
    }
}

// The message of string id with its inserts, as the parse shows it.
std::string Message(UINT id, const char* insert1 = "", const char* insert2 = "")
{
    CString text;
    AfxFormatString2(text, id, insert1, insert2);
    return (const char*)text;
}

TEST_F(SearchLanguage, MalformedTextsShowOneMessageAndBuildNoTree)
{
    const struct
    {
        const char* text;
        UINT id;
        const char* insert1;
        const char* insert2;
    } cases[] = {
        {"", 5290, "eof", ""},
        {"auth", 5292, "eof", ""},
        {"auth =", 5296, "eof", ""},
        {"auth < smith, jones", 5289, "", ""},
        {"(a or b", 5293, "", ""},
        {"titl = not", 5296, "not", ""},
        {"auth = not  empty", 5296, "not", ""},
        {"a b", 5291, "b", "), ,, and, or, or eof"},
        {"a )", 5291, ")", ""},
        {"rec# = 1234567890123456789012", 5294, "1234567890123456789012", ""},
        {"rec# = 123456789012345678901", 5294, "123456789012345678901", ""},
        {"rec# = 5-", 5294, "", ""},
        {"rs = 'Reading List'", 5295, "Reading List", ""},
        {"#46", 5292, "6", ""}, // field 4, then the term 6
        {"#", 5291, "eof", "fld#"},
        {"titl = a #", 5291, "#", "), ,, and, or, or eof"},
        {"rs = reviews, 'Reading List'", 5295, "Reading List", ""},
    };
    for (const auto& c : cases) {
        boxes.Clear();
        DBRecordSet result;
        result.Set(7);
        EXPECT_FALSE(SearchDatabaseRecords(c.text, db, db.all, result)) << c.text;
        EXPECT_EQ(Members(result), std::set<int>{7}) << c.text;
        ASSERT_EQ(boxes.CallCount(), 1) << c.text;
        const std::string shown = (const char*)boxes.LastCall().text;
        if (c.id == 5291 && c.insert2[0] == '\0') {
            EXPECT_EQ(shown.rfind(Message(5291, c.insert1, "").substr(0, 40), 0), 0u) << shown;
        } else if (c.id != 0) {
            EXPECT_EQ(shown, Message(c.id, c.insert1, c.insert2)) << c.text;
        }
    }
}

TEST_F(SearchLanguage, MessagesReadAsTheUserSeesThem)
{
    const struct
    {
        const char* text;
        const char* shown;
    } cases[] = {
        {"", "Invalid search expression at \"eof\", expected a valid field."},
        {"auth", "Invalid search expression at \"eof\", expected a valid operator."},
        {"auth =", "Invalid search expression at \"eof\", expected a valid term."},
        {"(a or b", "The search expressions contains an unmatched '(' or ')'."},
        {"rec# = 1234567890123456789012", "\"1234567890123456789012\" is not a valid record id."},
        {"rs = 'Reading List'", "The group named \"Reading List\" does not exist."},
    };
    for (const auto& c : cases) {
        boxes.Clear();
        EXPECT_EQ(ParseSearchExpression(c.text, db), nullptr);
        ASSERT_EQ(boxes.CallCount(), 1) << c.text;
        EXPECT_STREQ(boxes.LastCall().text, c.shown);
    }
    boxes.Clear();
    EXPECT_EQ(ParseSearchExpression("auth < smith, jones", db), nullptr);
    EXPECT_EQ(std::string((const char*)boxes.LastCall().text).rfind("An unexpected ',' was found.", 0), 0u);
}

TEST_F(SearchLanguage, AFieldNumberThatIsNoneIsAnInvalidToken)
{
    for (const char* text : {"#0 = x", "#x = y", "auth = a or #a"}) {
        boxes.Clear();
        EXPECT_EQ(ParseSearchExpression(text, db), nullptr) << text;
        ASSERT_EQ(boxes.CallCount(), 1) << text;
        const std::string shown = (const char*)boxes.LastCall().text;
        EXPECT_EQ(shown.rfind("TPLex0105e: Invalid token, Line 1, Offset", 0), 0u) << shown;
    }
}

TEST_F(SearchLanguage, AGroupDeletedAfterTheParseGivesNothing)
{
    std::unique_ptr<SearchNode> root(ParseSearchExpression("rs = reviews", db));
    ASSERT_TRUE(root);
    db.groups.clear();
    BOOL needsTest = FALSE;
    EXPECT_EQ(root->Evaluate(db, needsTest).GetCount(), 0);
    EXPECT_FALSE(needsTest);
    EXPECT_FALSE(root->Test(*db.OpenRecord(1)));
}

} // namespace
