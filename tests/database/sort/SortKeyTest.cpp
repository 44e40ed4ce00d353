#include "database/sort/DBSortKeyBuilder.h"

#include "app/core/LineStringArray.h"
#include "database/sort/AccentFold.h"
#include "database/sort/CallNumberSortKey.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/SortKeyRecord.h"
#include "database/text/InternalEncoding.h"
#include "database/text/StyledString.h"

#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {
// A record as the key builder sees it: fields by number, ID, number and workform.
class TestRecord : public SortKeyRecord
{
public:
    TestRecord(LONG number, std::map<int, const char*> fields, const char* id = "1",
               const char* workform = "Journal Article")
        : m_number(number), m_id(id), m_workform(workform)
    {
        for (const auto& f : fields)
            m_fields[f.first].SetPlainText(f.second);
    }

    const StyledString& GetField(int n) const override { return m_fields[n]; }
    CString GetRecordIdText() const override { return CString(m_id); }
    LONG GetRecordNumber() const override { return m_number; }
    CString GetWorkformName() const override { return CString(m_workform); }

private:
    LONG m_number;
    const char* m_id;
    const char* m_workform;
    StyledString m_fields[46];
};

typedef std::vector<BYTE> Key;

class SortKeys : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { BuildAccentFoldTable(); }

    SortKeys()
        : sort(langGeneral), authorStops("von\nde"), genericStops("the\na\nan"),
          context(sort, authorStops, genericStops)
    {
    }

    Key KeyOf(const SortKeyRecord& record) const
    {
        const DBSortKeyBuilder builder(spec, context);
        BYTE bytes[DBSortKeyBuilder::kMaxKeySize + 8];
        memset(bytes, 0xEE, sizeof bytes);
        int length = 0;
        EXPECT_EQ(record.GetRecordNumber(), builder.BuildKey(record, bytes, &length));
        EXPECT_TRUE(DBSortKeyBuilder::IsWellFormedKey(bytes, length));
        EXPECT_EQ(0xEE, bytes[DBSortKeyBuilder::kMaxKeySize]) << "written past the key";
        return Key(bytes, bytes + length);
    }

    // The first part of a record's key.
    std::string FirstPart(const SortKeyRecord& record) const
    {
        const Key key = KeyOf(record);
        return std::string(reinterpret_cast<const char*>(key.data() + 1));
    }

    // The record numbers in the order the keys give.
    std::vector<LONG> Order(const std::vector<TestRecord>& records) const
    {
        std::vector<Key> keys;
        for (const TestRecord& r : records)
            keys.push_back(KeyOf(r));
        const DBSortKeyBuilder builder(spec, context);
        std::sort(keys.begin(), keys.end(),
                  [&](const Key& a, const Key& b) { return builder.CompareKeys(a.data(), b.data()) < 0; });
        std::vector<LONG> numbers;
        for (const Key& k : keys)
            numbers.push_back(DBSortKeyBuilder::GetKeyRecordNumber(k.data()));
        return numbers;
    }

    // The sort key of plain words, as a part holds it.
    std::string Collated(const char* words) const
    {
        char key[DBSortKeyBuilder::kPartRoom];
        sort.MakeSortKey(key, sizeof key, words, sortKeyNoCase);
        return key;
    }

    void SetKeys(std::initializer_list<DBSortKey> keys)
    {
        spec = DBSortSpec();
        for (const DBSortKey& k : keys)
            spec.AddKey(k);
    }

    CLanguageSort sort;
    CLineStringArray authorStops;
    CLineStringArray genericStops;
    SortKeyContext context;
    DBSortSpec spec;
};

TEST_F(SortKeys, EmptyAuthorsSortFirstOrLastWhateverTheDirection)
{
    const std::vector<TestRecord> records = {
        TestRecord(1, {{4, "Zebras"}}), // no author at all
        TestRecord(2, {{1, "Smith, John"}, {4, "Alpha"}}),
        TestRecord(3, {{7, "Adams, Ann"}, {4, "Beta"}}), // the author role falls back to field 7
        TestRecord(4, {{4, "Aardvarks"}, {20, "1990"}}), // no author either
    };
    const struct
    {
        int emptyFirst, ascending;
        std::vector<LONG> order;
    } cases[] = {
        {1, 1, {4, 1, 3, 2}},
        {0, 1, {3, 2, 4, 1}},
        {1, 0, {4, 1, 2, 3}},
        {0, 0, {2, 3, 4, 1}},
    };
    for (const auto& c : cases) {
        SetKeys({DBSortKey(sortFieldAuthor, c.ascending), DBSortKey(sortFieldTitle, 1),
                 DBSortKey(sortFieldDate, 1)});
        spec.emptyFirst = c.emptyFirst;
        EXPECT_EQ(c.order, Order(records)) << "emptyFirst " << c.emptyFirst << " ascending " << c.ascending;
    }
}

TEST_F(SortKeys, EqualValuesSortByRecordNumberUnderEveryDirection)
{
    const std::vector<TestRecord> records = {
        TestRecord(30, {{1, "Smith, J"}, {4, "Rome"}}),
        TestRecord(-1, {{1, "Smith, J"}, {4, "Rome"}}), // not stored yet
        TestRecord(7, {{1, "SMITH, J."}, {4, "rome"}}), // case and punctuation do not count
    };
    for (int ascending : {1, 0}) {
        SetKeys({DBSortKey(sortFieldAuthor, ascending), DBSortKey(sortFieldTitle, ascending)});
        EXPECT_EQ((std::vector<LONG>{-1, 7, 30}), Order(records));
    }
}

TEST_F(SortKeys, RecordIdsSortAsNumbers)
{
    SetKeys({DBSortKey(sortFieldRecordId, 1)});
    EXPECT_EQ("00000000000000000009", FirstPart(TestRecord(1, {}, "9")));
    EXPECT_EQ("00000000000000000010", FirstPart(TestRecord(1, {}, "10")));
    EXPECT_EQ("00000000000000000000", FirstPart(TestRecord(1, {}, "")));
    EXPECT_EQ(Collated("A12"), FirstPart(TestRecord(1, {}, "A12"))) << "not all digits: the language sort";
    EXPECT_EQ((std::vector<LONG>{2, 3, 1}),
              Order({TestRecord(1, {}, "100"), TestRecord(2, {}, "9"), TestRecord(3, {}, "10")}));
}

TEST_F(SortKeys, DatesSortByDateNumber)
{
    // Each text in its place in ascending date order.
    const char* dates[] = {"200 BC",      "50 BC",     "1994", "March 1994",  "12 March 1994", "1994b",
                           "Spring 1995", "1996-1998", "2001", "Forthcoming", "In Press"};
    std::vector<TestRecord> records;
    std::vector<LONG> expected;
    for (int i = 0; i < static_cast<int>(sizeof dates / sizeof dates[0]); ++i) {
        records.push_back(TestRecord(100 - i, {{20, dates[i]}}));
        expected.push_back(100 - i);
    }
    SetKeys({DBSortKey(sortFieldDate, 1)});
    EXPECT_EQ(expected, Order(records));
    EXPECT_EQ("87CA0000", FirstPart(TestRecord(1, {{20, "1994"}})));
    EXPECT_EQ("87CA0000", FirstPart(TestRecord(1, {{21, "1994"}}))) << "the date role falls back to field 21";
    EXPECT_EQ(16u, FirstPart(TestRecord(1, {{20, "1996-1998"}})).size()) << "a range keys both dates";

    SetKeys({DBSortKey(12, 1)});
    EXPECT_EQ("87CA030C", FirstPart(TestRecord(1, {{12, "12 March 1994"}})));

    // Year only: the first three tie and go by record number; a year letter still counts.
    spec.yearOnly = 1;
    spec.keys[0].fieldCode = 20;
    EXPECT_EQ((std::vector<LONG>{5, 6, 8, 7}),
              Order({TestRecord(8, {{20, "1994"}}), TestRecord(6, {{20, "March 1994"}}),
                     TestRecord(5, {{20, "12 March 1994"}}), TestRecord(7, {{20, "1994b"}})}));
    EXPECT_EQ("87CA0000", FirstPart(TestRecord(1, {{20, "12 March 1994"}})));
}

TEST_F(SortKeys, DatesWithoutAYearKeyAsTheirWords)
{
    SetKeys({DBSortKey(20, 1)});
    EXPECT_EQ(Collated("no date given"), FirstPart(TestRecord(1, {{20, "No date, given"}})));
    EXPECT_EQ("", FirstPart(TestRecord(1, {})));
}

TEST_F(SortKeys, TitlesLeaveOutAFirstStopWordOnly)
{
    SetKeys({DBSortKey(sortFieldTitle, 1)});
    EXPECT_EQ(Collated("Art of War"), FirstPart(TestRecord(1, {{4, "The Art of War"}})));
    EXPECT_EQ(Collated("War and the Peace"), FirstPart(TestRecord(1, {{4, "War and the Peace"}})));
    EXPECT_EQ(Collated("Of Mice and Men"), FirstPart(TestRecord(1, {{4, "Of Mice and Men"}})));
    EXPECT_EQ(Collated("Art"), FirstPart(TestRecord(1, {{4, "THE   Art..."}})));

    // 'The Art of War' files under "Art", between 'Apples' and 'Bridges'.
    EXPECT_EQ((std::vector<LONG>{2, 1, 3}),
              Order({TestRecord(1, {{4, "The Art of War"}}), TestRecord(2, {{4, "Apples"}}),
                     TestRecord(3, {{4, "Bridges"}})}));
    // The title role takes the first non-empty of fields 4, 9, 10, 11.
    EXPECT_EQ(Collated("Lancet"), FirstPart(TestRecord(1, {{10, "The Lancet"}, {11, "Other"}})));
}

TEST_F(SortKeys, StopWordsMatchAccentedEntriesWithoutRegardToCase)
{
    genericStops.Add(CString("\xE0")); // à
    SetKeys({DBSortKey(4, 1)});
    EXPECT_EQ(Collated("la recherche"), FirstPart(TestRecord(1, {{4, "\xC0 la recherche"}})));
}

TEST_F(SortKeys, AuthorPartsFollowTheAuthorOptions)
{
    SetKeys({DBSortKey(sortFieldAuthor, 1)});
    const TestRecord two(1, {{1, "Smith, John; Doe, Jane"}});
    const TestRecord literal(2, {{1, "=The Royal Society of Arts, London"}});
    const TestRecord particle(3, {{1, "von Braun, Wernher//de Gaulle, C."}});
    const struct
    {
        int firstAuthorOnly, lastNameOnly;
        const TestRecord& record;
        const char* words;
    } cases[] = {
        {0, 0, two,
         "Smith John\x01"
         "Doe Jane"},
        {1, 0, two, "Smith John"},
        {0, 1, two,
         "Smith\x01"
         "Doe"},
        {1, 1, two, "Smith"},
        // A literal name tests the generic list and is not cut at its comma.
        {0, 1, literal, "Royal Society of Arts London"},
        // A personal name tests the author list, first word only.
        {0, 0, particle,
         "Braun Wernher\x01"
         "Gaulle C"},
    };
    for (const auto& c : cases) {
        spec.firstAuthorOnly = c.firstAuthorOnly;
        spec.lastNameOnly = c.lastNameOnly;
        EXPECT_EQ(Collated(c.words), FirstPart(c.record)) << c.words;
    }
    // "The" is no author stop word: a personal name keeps it.
    SetKeys({DBSortKey(16, 1)});
    EXPECT_EQ(Collated("The John"), FirstPart(TestRecord(1, {{16, "The, John"}})));
    // Et al. adds nothing; authors split at line breaks too.
    SetKeys({DBSortKey(30, 1)});
    EXPECT_EQ(Collated("Roe L\x01"
                       "Poe E"),
              FirstPart(TestRecord(1, {{30, "Roe, L.\r\nPoe, E.////"}})));
}

TEST_F(SortKeys, OtherFieldKinds)
{
    SetKeys({DBSortKey(sortFieldCallNumber, 1), DBSortKey(sortFieldWorkform, 1), DBSortKey(9, 1)});
    const TestRecord record(1, {{44, "qa76.9 .d3 1990"}, {9, "Series"}}, "1", "Book, Whole");
    const Key key = KeyOf(record);
    const char* part = reinterpret_cast<const char*>(key.data() + 1);
    EXPECT_EQ(MakeCallNumberSortKey("QA76.9 .D3 1990"), part) << "the shelf key, not collated";
    part += strlen(part) + 1;
    EXPECT_EQ(Collated("Book Whole"), part);
    part += strlen(part) + 1;
    EXPECT_EQ(Collated("Series"), part);

    EXPECT_EQ("", FirstPart(TestRecord(1, {}))) << "no call number: an empty part";

    // QA76 shelves before QA100, LC numbers before Dewey numbers.
    SetKeys({DBSortKey(sortFieldCallNumber, 1)});
    EXPECT_EQ((std::vector<LONG>{2, 1, 3}),
              Order({TestRecord(1, {{44, "QA100"}}), TestRecord(2, {{44, "QA76"}}),
                     TestRecord(3, {{44, "610.73"}})}));
}

TEST_F(SortKeys, LongFieldsStayWithinTheKey)
{
    std::string longText;
    for (int i = 0; i < 60; ++i)
        longText += "Word\xE9 ";
    std::string longAuthors;
    for (int i = 0; i < 30; ++i)
        longAuthors += "Longname, Anne; ";
    std::string longCall(300, '9');
    const TestRecord record(
        0x12345678,
        {{1, longAuthors.c_str()}, {4, longText.c_str()}, {44, longCall.c_str()}, {20, "12 March 1994"}},
        "12345678901234567890");
    SetKeys({DBSortKey(255, 1), DBSortKey(4, 0), DBSortKey(44, 1), DBSortKey(253, 1), DBSortKey(0, 1),
             DBSortKey(252, 1)});
    for (int first = 0; first < 6; ++first) {
        std::rotate(spec.keys, spec.keys + 1, spec.keys + 6);
        const Key key = KeyOf(record);
        EXPECT_LE(key.size(), 128u);
        EXPECT_EQ(0x12345678, DBSortKeyBuilder::GetKeyRecordNumber(key.data()));
        EXPECT_EQ(0x78, key[key.size() - 4]) << "little-endian record number last";
    }
}

TEST_F(SortKeys, TypedTextFindsItsPlace)
{
    SetKeys({DBSortKey(sortFieldTitle, 1), DBSortKey(sortFieldDate, 1)});
    const DBSortKeyBuilder builder(spec, context);
    const Key stored = KeyOf(TestRecord(5, {{4, "The Art of War"}, {20, "1990"}}));
    BYTE typed[DBSortKeyBuilder::kMaxKeySize];
    int length = builder.MakeSearchKey("art of war", typed);
    EXPECT_TRUE(DBSortKeyBuilder::IsWellFormedKey(typed, length));
    EXPECT_EQ(0, builder.CompareKeyText(typed, stored.data()));
    EXPECT_LT(builder.CompareKeys(typed, stored.data()), 0) << "the typed key has one part and number 0";
    builder.MakeSearchKey("Art", typed);
    EXPECT_LT(builder.CompareKeyText(typed, stored.data()), 0) << "a prefix sorts first";

    length = builder.MakeSearchKey("The", typed);
    EXPECT_EQ(6, length) << "a stop word typed alone gives an empty part";
    EXPECT_EQ(0, DBSortKeyBuilder::GetKeyRecordNumber(typed));
    EXPECT_LT(builder.CompareKeyText(typed, stored.data()), 0);
    spec.emptyFirst = 0;
    EXPECT_GT(builder.CompareKeyText(typed, stored.data()), 0);

    // The first key's code as stored decides: a date role keys the typed date.
    SetKeys({DBSortKey(sortFieldDate, 0)});
    builder.MakeSearchKey("March 1994", typed);
    EXPECT_STREQ("87CA0300", reinterpret_cast<const char*>(typed + 1));
    SetKeys({DBSortKey(sortFieldRecordId, 1)});
    builder.MakeSearchKey("42", typed);
    EXPECT_STREQ("00000000000000000042", reinterpret_cast<const char*>(typed + 1));
}

TEST_F(SortKeys, DamagedKeysAreNotWellFormed)
{
    const struct
    {
        std::vector<BYTE> bytes;
        bool wellFormed;
    } cases[] = {
        {{4, 1, 0, 0, 0}, true}, // no parts
        {{6, 'A', 0, 1, 0, 0, 0}, true},
        {{6, 'A', 'B', 1, 0, 0, 0}, false}, // the part lacks its NUL
        {{3, 0, 0, 0}, false},              // no room for the record number
        {{7, 'A', 0, 1, 0, 0, 0}, false},   // length byte disagrees
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.wellFormed,
                  DBSortKeyBuilder::IsWellFormedKey(c.bytes.data(), static_cast<int>(c.bytes.size())))
            << static_cast<int>(c.bytes[0]);
}
} // namespace
