#include "IndexTestSupport.h"

#include "app/core/LineStringArray.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/DBDateIndex.h"
#include "database/db/DBTermIndex.h"
#include "database/db/DBWordIndex.h"
#include "database/db/DBWorkformIndex.h"
#include "database/sort/AccentFold.h"
#include "database/sort/LanguageSort.h"
#include "database/text/DateValue.h"

#include <map>
#include <random>
#include <string.h>
#include <vector>

namespace {

typedef std::map<std::string, std::set<int>> TermMap;

// The indexes of one database over one key file, updated together as the
// database does on every record change.
class TermIndexes : public IndexFileFixture
{
protected:
    static void SetUpTestSuite() { BuildAccentFoldTable(); }
    TermIndexes()
        : sort(langGeneral), genericStops("a\nan\nthe"), database(sort, authorStops, genericStops),
          authors("\x01\x07\x10\x1e", GetNextAuthorTerm, database),
          journals("\x0a", GetWholeFieldTerm, database),
          titles("\x04\x09\x0b\x20", GetWholeFieldTerm, database),
          keywords("\x2d", GetNextListTerm, database), dates("\x0c\x14\x15"),
          words("\x01\x04\x07\x09\x0a\x0b\x10\x1e\x20\x2d")
    {
    }
    void SetUp() override
    {
        IndexFileFixture::SetUp();
        workforms.Attach(&m_file);
        authors.Attach(&m_file);
        journals.Attach(&m_file);
        titles.Attach(&m_file);
        keywords.Attach(&m_file);
        dates.Attach(&m_file);
        words.Attach(&m_file);
    }
    std::vector<DBFieldIndex*> FieldIndexes()
    {
        return {&authors, &journals, &titles, &keywords, &dates, &words};
    }

    void Add(const TestRecord& r)
    {
        workforms.AddRecord(r);
        for (DBFieldIndex* index : FieldIndexes())
            index->AddRecord(r);
        records[r.number] = r;
        all.Set(r.number);
    }
    void Update(const TestRecord& r)
    {
        workforms.UpdateRecord(records[r.number], r);
        for (DBFieldIndex* index : FieldIndexes())
            index->UpdateRecord(records[r.number], r);
        records[r.number] = r;
    }
    void Remove(LONG n)
    {
        workforms.RemoveRecord(records[n]);
        for (DBFieldIndex* index : FieldIndexes())
            index->RemoveRecord(records[n]);
        records.erase(n);
        all.Clear(n);
    }

    // Every text of a string-keyed tree with the members of its set.
    static TermMap Contents(StringKeyTree& tree)
    {
        TermMap map;
        BTreeCursor cursor(&tree);
        for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
            DBRecordSet set;
            EXPECT_TRUE(cursor.ReadObject(set));
            map[std::string(cursor.GetKeyText())] = Members(set);
        }
        return map;
    }
    static std::map<DWORD, std::set<int>> Contents(BTRecordTree& tree)
    {
        std::map<DWORD, std::set<int>> map;
        BTreeCursor cursor(&tree);
        for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
            DBRecordSet set;
            const DWORD key = cursor.ReadU32();
            EXPECT_TRUE(tree.ReadBlob(set, key));
            map[key] = Members(set);
        }
        return map;
    }

    // What a term index must hold for the records of the model.
    TermMap ExpectedTerms(const DBTermIndex& index) const
    {
        TermMap map;
        for (const auto& entry : records)
            for (const char* f = index.GetFieldList(); *f; ++f)
                index.ForEachTerm(entry.second.GetField(*f), [&](const char* key, const StyledString&) {
                    map[key].insert(entry.first);
                });
        return map;
    }
    TermMap ExpectedWords() const
    {
        TermMap map;
        for (const auto& entry : records)
            for (const char* f = words.GetFieldList(); *f; ++f)
                for (const char* text = entry.second.GetField(*f).text; *text;) {
                    char key[kWordPrefixLength + 1];
                    text += GetWordPrefixKey(text, key);
                    if (key[0])
                        map[key].insert(entry.first);
                }
        return map;
    }
    void ExpectedDates(std::map<DWORD, std::set<int>>& starts, std::map<DWORD, std::set<int>>& ends) const
    {
        for (const auto& entry : records)
            for (const char* f = dates.GetFieldList(); *f; ++f) {
                const DateValue date(entry.second.GetField(*f).text);
                if (date.start.year == 0)
                    continue;
                starts[MakeDateIndexKey(date.start)].insert(entry.first);
                ends[MakeDateIndexKey(date.end)].insert(entry.first);
            }
    }
    TermMap ExpectedWorkforms() const
    {
        TermMap map;
        for (const auto& entry : records)
            map[entry.second.workform].insert(entry.first);
        return map;
    }

    void CheckAgainstModel()
    {
        EXPECT_EQ(ExpectedWorkforms(), Contents(workforms));
        EXPECT_EQ(ExpectedTerms(authors), Contents(authors.GetTree()));
        EXPECT_EQ(ExpectedTerms(journals), Contents(journals.GetTree()));
        EXPECT_EQ(ExpectedTerms(titles), Contents(titles.GetTree()));
        EXPECT_EQ(ExpectedTerms(keywords), Contents(keywords.GetTree()));
        EXPECT_EQ(ExpectedWords(), Contents(words.GetTree()));
        std::map<DWORD, std::set<int>> starts, ends;
        ExpectedDates(starts, ends);
        EXPECT_EQ(starts, Contents(dates.GetStartTree()));
        EXPECT_EQ(ends, Contents(dates.GetEndTree()));
    }

    // Years signed by era, for the brute-force date lookups.
    static int EraYear(const DatePart& p) { return p.era == kEraBC ? -p.year : p.year; }
    static bool NotAfter(const DatePart& key, const DatePart& q)
    {
        if (EraYear(key) != EraYear(q))
            return EraYear(key) < EraYear(q);
        if (q.letter && (key.letter & 0xF) != (q.letter & 0xF))
            return (key.letter & 0xF) < (q.letter & 0xF);
        return !(q.month && (key.month & 0xF) > (q.month & 0xF));
    }
    static bool NotBefore(const DatePart& key, const DatePart& q)
    {
        if (EraYear(key) != EraYear(q))
            return EraYear(key) > EraYear(q);
        if (q.letter && (key.letter & 0xF) != (q.letter & 0xF))
            return (key.letter & 0xF) > (q.letter & 0xF);
        return !(q.month && (key.month & 0xF) < (q.month & 0xF));
    }
    // The records with a date field whose start (or end) passes test.
    template <class Test> std::set<int> RecordsWhere(Test test) const
    {
        std::set<int> found;
        for (const auto& entry : records)
            for (const char* f = dates.GetFieldList(); *f; ++f) {
                const DateValue date(entry.second.GetField(*f).text);
                if (date.start.year != 0 && test(date))
                    found.insert(entry.first);
            }
        return found;
    }

    CLanguageSort sort;
    CLineStringArray authorStops;
    CLineStringArray genericStops;
    SortKeyContext database;
    DBWorkformIndex workforms;
    DBTermIndex authors, journals, titles, keywords;
    DBDateIndex dates;
    DBWordIndex words;
    std::map<LONG, TestRecord> records;
    DBRecordSet all;
};

const char* const kAuthors[] = {"Smith, J.", "Jones, K.", "=World Health Organization", "Müller, A.",
                                "de la Cruz, M."};
const char* const kTitles[] = {"The History of Rome", "Cell biology today", "A study of cells",
                               "Biology of the cell", "Rome and Carthage",  "Été en France"};
const char* const kJournals[] = {"The Lancet", "Nature", "Cell", "Journal of Biology"};
const char* const kDates[] = {"1990",      "1994b",    "March 1990", "1985", "100 BC",     "50 BC",
                              "1990-1995", "In Press", "no date",    "2001", "12 May 2001"};
const char* const kKeywords[] = {"Rome/History", "Cells/Biology", "History", "Biology/Cells/Rome", ""};
const char* const kWorkforms[] = {"Journal Article", "Book", "Thesis", "<Default>"};

template <size_t N> const char* Pick(std::mt19937& rng, const char* const (&list)[N])
{
    return list[rng() % N];
}

TestRecord RandomRecord(std::mt19937& rng, LONG n)
{
    TestRecord r(n, Pick(rng, kWorkforms));
    std::string authors = Pick(rng, kAuthors);
    if (rng() % 2)
        authors += std::string(rng() % 2 ? "; " : "//") + Pick(rng, kAuthors);
    r.Set(rng() % 3 ? 1 : 7, authors.c_str());
    r.Set(rng() % 2 ? 4 : 9, Pick(rng, kTitles));
    if (rng() % 2)
        r.Set(10, Pick(rng, kJournals));
    r.Set(rng() % 2 ? 20 : 12, Pick(rng, kDates));
    r.Set(45, Pick(rng, kKeywords));
    if (rng() % 3 == 0)
        r.Set(42, "a note");
    return r;
}

TEST_F(TermIndexes, AddChangeAndRemoveFollowAModelOfRandomEdits)
{
    std::mt19937 rng(1234);
    LONG next = 0;
    for (; next < 300; ++next)
        Add(RandomRecord(rng, next));
    CheckAgainstModel();
    for (int step = 0; step < 400; ++step) {
        const int what = rng() % 4;
        auto it = records.begin();
        std::advance(it, rng() % records.size());
        if (what == 0) {
            Remove(it->first);
        } else if (what == 1) {
            Add(RandomRecord(rng, next++));
        } else {
            // Change some fields, or only the note, or the workform.
            TestRecord changed = it->second;
            const TestRecord fresh = RandomRecord(rng, it->first);
            const int field = std::vector<int>{1, 4, 10, 20, 45, 42, 0}[rng() % 7];
            if (field == 0)
                changed.workform = fresh.workform;
            else
                changed.fields[field] = fresh.fields[field];
            Update(changed);
        }
    }
    CheckAgainstModel();

    // Word lookups against the records' words.
    for (const char* query : {"cell bio", "history rome", "rome", "biology cell", "nothing here", ""}) {
        DBRecordSet found;
        words.FindAllWords(query, all, found);
        DBRecordSet prefixed;
        words.FindAllWordsPrefix(query, all, prefixed);
        std::set<int> expectExact, expectPrefix;
        const TermMap wordMap = ExpectedWords();
        for (const auto& entry : records) {
            bool exact = true, prefix = true;
            const char* text = query;
            while (*text) {
                char key[kWordPrefixLength + 1];
                text += GetWordPrefixKey(text, key);
                if (!key[0])
                    break;
                const auto holds = [&](const std::string& k) {
                    const auto w = wordMap.find(k);
                    return w != wordMap.end() && w->second.count(entry.first);
                };
                exact = exact && holds(key);
                bool any = false;
                if (*text == '\0') {
                    for (const auto& w : wordMap)
                        any =
                            any || (w.first.compare(0, strlen(key), key) == 0 && w.second.count(entry.first));
                } else {
                    any = holds(key);
                }
                prefix = prefix && any;
            }
            if (exact)
                expectExact.insert(entry.first);
            if (prefix)
                expectPrefix.insert(entry.first);
        }
        EXPECT_EQ(expectExact, Members(found)) << query;
        EXPECT_EQ(expectPrefix, Members(prefixed)) << query;
    }

    // Date lookups against every record's dates.
    for (const char* text : {"1990", "March 1990", "1994b", "75 BC", "1990-1992", "2001", "In Press"}) {
        const DateValue q(text);
        DBRecordSet before, after, covering;
        dates.CollectOnOrBefore(q, all, before);
        dates.CollectOnOrAfter(q, all, after);
        dates.CollectCovering(q, all, covering);
        EXPECT_EQ(RecordsWhere([&](const DateValue& d) { return NotAfter(d.start, q.start); }),
                  Members(before))
            << text;
        EXPECT_EQ(RecordsWhere([&](const DateValue& d) { return NotBefore(d.start, q.start); }),
                  Members(after))
            << text;
        std::set<int> both;
        for (const auto& entry : records) {
            bool startOk = false, endOk = false;
            for (const char* f = dates.GetFieldList(); *f; ++f) {
                const DateValue d(entry.second.GetField(*f).text);
                if (d.start.year == 0)
                    continue;
                startOk = startOk || NotAfter(d.start, q.start);
                endOk = endOk || NotBefore(d.end, q.end);
            }
            if (startOk && endOk)
                both.insert(entry.first);
        }
        EXPECT_EQ(both, Members(covering)) << text;
    }

    // Workform lookups against the model.
    const TermMap byWorkform = ExpectedWorkforms();
    for (const char* name : {"Book", "Journal Article", "Map", "<Default>", "Zzz", ""}) {
        DBRecordSet set, before, after;
        workforms.GetSet(name, set);
        workforms.UnionBefore(name, before);
        workforms.UnionAfter(name, after);
        std::set<int> expectBefore, expectAfter;
        for (const auto& w : byWorkform) {
            if (strcmp(w.first.c_str(), name) < 0)
                expectBefore.insert(w.second.begin(), w.second.end());
            if (strcmp(w.first.c_str(), name) > 0)
                expectAfter.insert(w.second.begin(), w.second.end());
        }
        const auto it = byWorkform.find(name);
        EXPECT_EQ(it == byWorkform.end() ? std::set<int>() : it->second, Members(set)) << name;
        EXPECT_EQ(expectBefore, Members(before)) << name;
        EXPECT_EQ(expectAfter, Members(after)) << name;
    }
}

TEST_F(TermIndexes, SharedTermsKeepTheirKeyUntilTheLastHolderGoes)
{
    Add(TestRecord(1).Set(1, "Smith, J.//Jones, K."));
    Add(TestRecord(2).Set(1, "Jones, K."));
    EXPECT_EQ(2u, Contents(authors.GetTree()).size());
    Remove(1);
    TermMap left = Contents(authors.GetTree());
    ASSERT_EQ(1u, left.size());
    EXPECT_EQ(std::set<int>{2}, left.begin()->second);
    DBRecordSet set;
    ASSERT_TRUE(authors.GetTree().ReadObject(set, left.begin()->first.c_str()));
    EXPECT_STREQ("Jones, K.", set.name.text);
    Remove(2);
    EXPECT_TRUE(Contents(authors.GetTree()).empty());
    EXPECT_TRUE(Contents(workforms).empty());
}

// Counts the tree work an index is asked for.
class CountingTitles : public DBTermIndex
{
public:
    explicit CountingTitles(const SortKeyContext& database)
        : DBTermIndex("\x04\x09\x0b\x20", GetWholeFieldTerm, database)
    {
    }
    int calls = 0;

protected:
    void AddTerms(LONG n, const StyledString& field) override
    {
        ++calls;
        DBTermIndex::AddTerms(n, field);
    }
    void RemoveTerms(LONG n, const StyledString& field) override
    {
        ++calls;
        DBTermIndex::RemoveTerms(n, field);
    }
};

TEST_F(TermIndexes, OnlyAChangeOfACoveredFieldTouchesTheTree)
{
    CountingTitles counted(database);
    counted.Attach(&m_file);
    TestRecord r(5);
    r.Set(4, "Cell biology").Set(9, "Cells");
    counted.AddRecord(r);
    counted.calls = 0;
    TestRecord note = r;
    note.Set(42, "a new note").Set(1, "Smith, J.");
    counted.UpdateRecord(r, note);
    EXPECT_EQ(0, counted.calls);
    // The same text in other runs is a change.
    TestRecord italic = r;
    italic.fields[4].runs[0].style = 0x0002;
    counted.UpdateRecord(r, italic);
    EXPECT_EQ(4, counted.calls); // two fields out, two in
}

TEST_F(TermIndexes, WorkformChangeMovesTheRecordAndDropsAnEmptyName)
{
    Add(TestRecord(1, "Book"));
    Add(TestRecord(2, "Thesis"));
    TestRecord moved(1, "Thesis");
    Update(moved);
    EXPECT_EQ((TermMap{{"Thesis", {1, 2}}}), Contents(workforms));
}

TEST_F(TermIndexes, DateKeys)
{
    struct Case
    {
        const char* text;
        DWORD key; // 0: not indexed
    } cases[] = {
        {"1994b", 0x80000000u | (1994u << 16) | (2u << 12)},
        {"March 1990", 0x80000000u | (1990u << 16) | (3u << 8)},
        {"100 BC", 100u << 16},
        {"no date", 0},
    };
    for (const Case& c : cases) {
        const DateValue d(c.text);
        if (c.key == 0)
            EXPECT_EQ(0, d.start.year) << c.text;
        else
            EXPECT_EQ(c.key, MakeDateIndexKey(d.start)) << c.text;
    }
    Add(TestRecord(1).Set(20, "no date"));
    EXPECT_TRUE(Contents(dates.GetStartTree()).empty());
    Add(TestRecord(2).Set(20, "100 BC"));
    Add(TestRecord(3).Set(20, "1990"));
    EXPECT_EQ(100u << 16, Contents(dates.GetStartTree()).begin()->first);
    // A query without a year gives every record.
    DBRecordSet out;
    dates.CollectCovering(DateValue("someday"), all, out);
    EXPECT_EQ((std::set<int>{1, 2, 3}), Members(out));
    // A BC date in the database does not hide the AD ones.
    dates.CollectOnOrBefore(DateValue("1995"), all, out);
    EXPECT_EQ((std::set<int>{2, 3}), Members(out));
}

} // namespace
