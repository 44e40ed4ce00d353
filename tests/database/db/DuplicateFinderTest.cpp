#include "IndexTestSupport.h"

#include "app/core/LineStringArray.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"
#include "database/btree/BTreeCursor.h"
#include "database/sort/AccentFold.h"
#include "database/sort/DBDuplicateFinder.h"
#include "database/sort/LanguageSort.h"

#include <map>
#include <string.h>
#include <vector>

namespace {

DuplicateSettings Settings(std::vector<BYTE> codes, int lastNameOnly = 0, int yearOnly = 0)
{
    DuplicateSettings s;
    s.SetFields(codes.data(), static_cast<int>(codes.size()));
    s.lastNameOnly = lastNameOnly;
    s.yearOnly = yearOnly;
    return s;
}

// A duplicate finder on a key file with the database's records and
// duplicates set, updated as the database does.
class Duplicates : public IndexFileFixture
{
protected:
    static void SetUpTestSuite() { BuildAccentFoldTable(); }
    Duplicates() : sort(langGeneral), genericStops("a\nan\nthe"), database(sort, authorStops, genericStops) {}
    void SetUp() override
    {
        IndexFileFixture::SetUp();
        finder.Attach(&m_file, &database);
        finder.SetSettings(Settings({255, 254}));
    }
    void Add(const TestRecord& r)
    {
        finder.AddRecord(r, duplicates);
        records[r.number] = r;
    }
    void Update(const TestRecord& r)
    {
        finder.UpdateRecord(records[r.number], r, duplicates);
        records[r.number] = r;
    }
    void Remove(LONG n)
    {
        finder.RemoveRecord(records[n], duplicates);
        records.erase(n);
    }
    std::string Key(const TestRecord& r)
    {
        char key[DBDuplicateFinder::kKeySize];
        memset(key, 'x', sizeof key);
        finder.BuildKey(key, r);
        EXPECT_LT(strlen(key), static_cast<size_t>(DBDuplicateFinder::kKeySize));
        return key;
    }
    // "Discard Duplicates" on import: a new record is left out when the
    // finder finds a duplicate of it; otherwise it is added.
    bool Import(TestRecord r)
    {
        if (finder.FindDuplicateOf(r))
            return false;
        Add(r);
        return true;
    }
    std::map<std::string, std::set<int>> Groups()
    {
        std::map<std::string, std::set<int>> groups;
        BTreeCursor cursor(&finder);
        for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
            DBRecordSet set;
            EXPECT_TRUE(cursor.ReadObject(set));
            groups[std::string(cursor.GetKeyText())] = Members(set);
        }
        return groups;
    }

    CLanguageSort sort;
    CLineStringArray authorStops;
    CLineStringArray genericStops;
    SortKeyContext database;
    DBDuplicateFinder finder;
    DBRecordSet duplicates;
    std::map<LONG, TestRecord> records;
};

TEST_F(Duplicates, AuthorAndTitleIgnoreCaseBlanksPunctuationAndALeadingStopWord)
{
    Add(TestRecord(1).Set(1, "Smith, John").Set(4, "The History of Rome"));
    Add(TestRecord(2).Set(1, "SMITH, JOHN").Set(4, "History of Rome"));
    EXPECT_EQ("SMITHJOHN\x01HISTORYOFROME", Key(records[1]));
    EXPECT_EQ((std::set<int>{1, 2}), Members(duplicates));
    ASSERT_EQ(1u, Groups().size());
    EXPECT_EQ((std::set<int>{1, 2}), Groups().begin()->second);

    // Editing one title parts them: one record left under each key.
    TestRecord edited = records[2];
    edited.Set(4, "History of Carthage");
    Update(edited);
    EXPECT_EQ(0, duplicates.GetCount());
    EXPECT_EQ(2u, Groups().size());

    // Deleting the last record under a key deletes the key.
    Remove(2);
    EXPECT_EQ(1u, Groups().size());
    Remove(1);
    EXPECT_TRUE(Groups().empty());
    EXPECT_EQ(0u, finder.GetEntryCount());
}

TEST_F(Duplicates, ARecordLeavesTheSetWhenItsGroupShrinksToOne)
{
    for (LONG n = 1; n <= 3; ++n)
        Add(TestRecord(n).Set(1, "Doe, J.").Set(4, "Same"));
    EXPECT_EQ((std::set<int>{1, 2, 3}), Members(duplicates));
    Remove(2);
    EXPECT_EQ((std::set<int>{1, 3}), Members(duplicates));
    Remove(1);
    EXPECT_EQ(0, duplicates.GetCount());
}

TEST_F(Duplicates, SettingsCombinations)
{
    struct Case
    {
        const char* what;
        DuplicateSettings settings;
        std::vector<std::pair<int, const char*>> a, b;
        bool duplicate;
    } cases[] = {
        {"accents and case", Settings({255}), {{1, "M\xfcller, \xc5nne"}}, {{1, "MULLER, anne"}}, true},
        {"first names differ", Settings({255}), {{1, "Smith, John"}}, {{1, "Smith, Jane"}}, false},
        {"last name only",
         Settings({255}, 1),
         {{1, "Smith, John; Roe, A."}},
         {{1, "Smith, Jane; Roe, B."}},
         true},
        {"literal names keep their commas",
         Settings({255}, 1),
         {{1, "=Smith, Jones and Co"}},
         {{1, "=Smith"}},
         false},
        {"author role falls to field 7", Settings({255}), {{7, "Roe, R."}}, {{1, "Roe, R."}}, true},
        {"title role falls to field 10", Settings({254}), {{10, "Nature"}}, {{4, "Nature"}}, true},
        {"year only", Settings({253}, 0, 1), {{20, "1990"}}, {{20, "March 1990"}}, true},
        {"year only keeps the letter", Settings({253}, 0, 1), {{20, "1990a"}}, {{20, "1990b"}}, false},
        {"months count without year only", Settings({253}), {{20, "1990"}}, {{20, "March 1990"}}, false},
        {"two-digit years", Settings({253}), {{20, "90"}}, {{20, "85"}}, false},
        {"two-digit years, year only", Settings({253}, 0, 1), {{20, "90"}}, {{20, "85"}}, false},
        {"short dates of the same year", Settings({253}), {{20, "90"}}, {{20, "1990"}}, true},
        {"three-character dates", Settings({253}, 0, 1), {{20, "89a"}}, {{20, "80a"}}, false},
        {"dates without a year as text", Settings({253}), {{20, "n.d."}}, {{20, "ND"}}, true},
        {"BC and AD", Settings({253}), {{20, "100 BC"}}, {{20, "100"}}, false},
        {"plain field", Settings({42}), {{42, "The  note!"}}, {{42, "note"}}, true},
        {"empty fields are equal", Settings({42, 43}), {{42, ""}}, {{43, ""}}, true},
        {"call numbers", Settings({44}), {{44, "QA76.73 .C15"}}, {{44, "QA76.73 .C16"}}, false},
        {"an eleventh field does not count",
         Settings({31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41}),
         {{41, "one"}},
         {{41, "two"}},
         true},
        {"the tenth field counts",
         Settings({31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41}),
         {{40, "one"}},
         {{40, "two"}},
         false},
    };
    LONG n = 0;
    for (const Case& c : cases) {
        finder.SetSettings(c.settings);
        TestRecord a(n++), b(n++);
        for (const auto& f : c.a)
            a.Set(f.first, f.second);
        for (const auto& f : c.b)
            b.Set(f.first, f.second);
        EXPECT_EQ(c.duplicate, Key(a) == Key(b)) << c.what << ": '" << Key(a) << "' '" << Key(b) << "'";
        // Discarding duplicates keeps every record that is not one.
        finder.RemoveAll();
        EXPECT_TRUE(Import(a)) << c.what;
        EXPECT_EQ(!c.duplicate, Import(b)) << c.what;
    }
}

TEST_F(Duplicates, LongTextsKeepTheirStartMiddleAndEnd)
{
    finder.SetSettings(Settings({42}));
    std::string quarters[4];
    for (int q = 0; q < 4; ++q)
        for (int w = 0; w < 30; ++w)
            quarters[q] += std::string("word") + char('a' + q) + char('a' + w % 26) + " ";
    std::string changed2 = quarters[1], changed4 = quarters[3];
    changed2[40] = 'z';
    changed4[10] = 'z';
    const std::string a = quarters[0] + quarters[1] + quarters[2] + quarters[3];
    const std::string b = quarters[0] + changed2 + quarters[2] + changed4;
    EXPECT_EQ(Key(TestRecord(1).Set(42, a.c_str())), Key(TestRecord(2).Set(42, b.c_str())));
    EXPECT_EQ(63u, Key(TestRecord(1).Set(42, a.c_str())).size());
    // The end counts.
    const std::string c = a.substr(0, a.size() - 3) + "zz";
    EXPECT_NE(Key(TestRecord(1).Set(42, a.c_str())), Key(TestRecord(3).Set(42, c.c_str())));
}

TEST_F(Duplicates, KeysOfManyLongFieldsStayInsideTheBuffer)
{
    const std::string text(300, 'q');
    for (int count = 1; count <= 12; ++count) {
        std::vector<BYTE> codes;
        for (int i = 0; i < count; ++i)
            codes.push_back(static_cast<BYTE>(31 + i));
        finder.SetSettings(Settings(codes));
        TestRecord r(1);
        for (int i = 0; i < count; ++i)
            r.Set(31 + i, text.c_str());
        Key(r);
    }
}

TEST_F(Duplicates, NoFieldsMeansNoDetection)
{
    finder.SetSettings(DuplicateSettings());
    Add(TestRecord(1).Set(4, "Same"));
    Add(TestRecord(2).Set(4, "Same"));
    EXPECT_FALSE(finder.FindDuplicateOf(records[1]));
    EXPECT_EQ(0u, finder.GetEntryCount());
    EXPECT_EQ(0, duplicates.GetCount());
}

TEST_F(Duplicates, AStoredRecordIsNotItsOwnDuplicate)
{
    Add(TestRecord(1).Set(1, "Doe, J.").Set(4, "Alone"));
    EXPECT_FALSE(finder.FindDuplicateOf(records[1]));
    TestRecord fresh(-1);
    fresh.Set(1, "DOE J").Set(4, "alone");
    EXPECT_TRUE(finder.FindDuplicateOf(fresh));
}

class FactsSource : public DuplicateMarkSource
{
public:
    BOOL ReadRecordFacts(LONG n, DWORD* textLength, DWORD* created) override
    {
        if (facts.count(n) == 0)
            return FALSE;
        *textLength = facts[n].first;
        *created = facts[n].second;
        return TRUE;
    }
    BOOL Step() override { return ++steps <= stopAfter; }
    std::map<LONG, std::pair<DWORD, DWORD>> facts;
    int steps = 0;
    int stopAfter = 1000;
};

TEST_F(Duplicates, MarkBySizeAndByDateKeepOneOfEachGroup)
{
    for (LONG n = 1; n <= 3; ++n)
        Add(TestRecord(n).Set(1, "Doe, J.").Set(4, "Group A"));
    Add(TestRecord(4).Set(1, "Roe, R.").Set(4, "Group B"));
    Add(TestRecord(5).Set(1, "Roe, R.").Set(4, "Group B"));
    Add(TestRecord(6).Set(1, "Alone").Set(4, "Single"));
    FactsSource source;
    source.facts = {{1, {10, 500}}, {2, {30, 0x80000000u}}, {3, {30, 100}}, {4, {5, 7}}, {5, {5, 7}},
                    {6, {1, 1}}};
    DBRecordSet marked;
    ASSERT_TRUE(finder.MarkBySize(source, duplicates, marked));
    EXPECT_EQ((std::set<int>{1, 3, 5}), Members(marked));
    ASSERT_TRUE(finder.MarkByDate(source, duplicates, marked));
    EXPECT_EQ((std::set<int>{1, 2, 5}), Members(marked));

    source.stopAfter = 2;
    source.steps = 0;
    EXPECT_FALSE(finder.MarkBySize(source, duplicates, marked));
    source.stopAfter = 1000;
    source.facts.erase(2);
    EXPECT_FALSE(finder.MarkBySize(source, duplicates, marked));
}

TEST(DuplicateSettingsForm, StoresCountCodesAndOptionsAndRefusesTooManyCodes)
{
    const DuplicateSettings settings = Settings({255, 254, 253, 12}, 1, 0);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        const_cast<DuplicateSettings&>(settings).Serialize(ar);
    }
    const BYTE expected[] = {4, 0, 0, 0, 255, 254, 253, 12, 1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(sizeof expected, file.GetLength());
    BYTE stored[sizeof expected];
    file.SeekToBegin();
    file.Read(stored, sizeof stored);
    EXPECT_EQ(0, memcmp(expected, stored, sizeof expected));
    file.SeekToBegin();
    DuplicateSettings loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_TRUE(loaded == settings);
    EXPECT_TRUE(loaded != Settings({255, 254, 253, 12}, 1, 1));
    EXPECT_TRUE(DuplicateSettings(settings) == settings);

    // Too many codes, and fewer code bytes than the count says.
    for (const DWORD count : {49u, 3u}) {
        CMemFile bad;
        {
            CArchive ar(&bad, CArchive::store);
            ar << count;
            ar << static_cast<BYTE>(255);
        }
        bad.SeekToBegin();
        DuplicateSettings refused = settings;
        bool raised = false;
        try {
            CArchive ar(&bad, CArchive::load);
            refused.Serialize(ar);
        } catch (CArchiveException* e) {
            raised = true;
            e->Delete();
        }
        EXPECT_TRUE(raised) << count;
        EXPECT_TRUE(refused == settings) << count;
    }
}

} // namespace
