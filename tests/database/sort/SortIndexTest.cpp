#include "MemorySortDatabase.h"

#include "app/core/ProgressDialog.h"
#include "classlib/MessageBox.h"
#include "database/sort/AccentFold.h"
#include "database/sort/DBRecordSortView.h"
#include "database/sort/DBSortCursor.h"
#include "database/sort/DBSortUpdater.h"
#include "database/sort/SortSlotUpkeep.h"
#include "database/sort/SortedRecordBatchOperation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {
DBSortSpec Spec(std::initializer_list<DBSortKey> keys)
{
    DBSortSpec spec;
    for (const DBSortKey& key : keys)
        spec.AddKey(key);
    return spec;
}

// Slots as a database has them: record ID, author-title-date, title
// descending, date then author, workform then title, one field; then the
// other standard sorts and a custom sort with mixed directions and empty
// values last.
std::vector<DBSortSpec> SlotSpecs()
{
    DBSortSpec custom = Spec({{sortFieldDate, 0}, {sortFieldAuthor, 1}, {sortFieldCallNumber, 0}});
    custom.emptyFirst = 0;
    return {Spec({{sortFieldRecordId, 1}}),
            Spec({{sortFieldAuthor, 1}, {sortFieldTitle, 1}, {sortFieldDate, 1}}),
            Spec({{sortFieldTitle, 0}}),
            Spec({{sortFieldDate, 1}, {sortFieldAuthor, 1}}),
            Spec({{sortFieldWorkform, 1}, {sortFieldTitle, 1}}),
            Spec({{6, 1}}),
            Spec({{sortFieldAuthor, 1}, {sortFieldDate, 1}, {sortFieldTitle, 1}}),
            Spec({{sortFieldAuthorTitle, 1}, {sortFieldTitle, 1}, {sortFieldDate, 1}}),
            Spec({{sortFieldTitle, 1}, {sortFieldDate, 1}}),
            Spec({{sortFieldDate, 1}, {sortFieldAuthor, 1}, {sortFieldTitle, 1}}),
            Spec({{sortFieldCallNumber, 1}, {sortFieldAuthor, 1}, {sortFieldTitle, 1}}),
            custom};
}

const char* const kWords[] = {"alpha", "Beta", "gamma", "The delta", "épsilon",
                              "zeta",  "",     "eta",   "theta",     "Iota"};
const char* const kAuthors[] = {"Smith, J.", "von Braun, W.",      "Ng, A.",
                                "",          "Åberg, K.//Lee, S.", "smith, a."};
const char* const kCallNumbers[] = {"QA76.9 .D3", "QA76.73.C15",   "PS3545.I345",
                                    "",           "BF21 .A5 1990", "qa76.9 .d3"};

class SortIndexes : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { BuildAccentFoldTable(); }

    SortIndexes()
        : name(std::string("sortindex_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
               ".tmp"),
          db(SlotSpecs(), name)
    {
    }
    ~SortIndexes() override { ScriptedProgressDisplay::StopAtCall(0); }

    void FillRecord(DBRecord& record, int32_t number)
    {
        auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
        StyledString s;
        s.SetPlainText(kAuthors[pick(6)]);
        record.SetField(s, 1);
        CString title = kWords[pick(10)];
        title += " ";
        title += kWords[pick(10)];
        s.SetPlainText(title);
        record.SetField(s, 4);
        char year[8];
        std::snprintf(year, sizeof year, "%d", 1990 + pick(12));
        s.SetPlainText(pick(7) == 0 ? "" : year);
        record.SetField(s, 20);
        s.SetPlainText(kWords[pick(10)]);
        record.SetField(s, 6);
        record.SetWorkformId((int16_t)pick(3));
        record.SetRecordIdNumber(number * 7 % 1000 + 1);
        s.SetPlainText(kCallNumbers[pick(6)]);
        record.SetField(s, 44);
    }
    void AddRecords(int32_t from, int32_t to, BOOL upkeep)
    {
        for (int32_t n = from; n < to; ++n) {
            DBRecord& record = db.Store(n);
            FillRecord(record, n);
            if (upkeep)
                AddRecordToSortSlots(db, record);
        }
    }

    // The model: the records' keys sorted by the builder's comparison.
    std::vector<LONG> ModelOrder(const DBSortSpec& spec, const DBRecordSet& set, BOOL forward)
    {
        const DBSortKeyBuilder builder(spec, db.context);
        std::vector<std::vector<BYTE>> keys;
        for (const auto& entry : db.records) {
            if (!set.Contains(entry.first))
                continue;
            const DBRecordSortView view(*entry.second, db.GetWorkformName(entry.second->GetWorkformId()));
            std::vector<BYTE> key(DBSortKeyBuilder::kMaxKeySize);
            int length = 0;
            builder.BuildKey(view, key.data(), &length);
            keys.push_back(key);
        }
        std::sort(keys.begin(), keys.end(), [&](const std::vector<BYTE>& a, const std::vector<BYTE>& b) {
            return builder.CompareKeys(a.data(), b.data()) < 0;
        });
        std::vector<LONG> order;
        for (const auto& key : keys)
            order.push_back(DBSortKeyBuilder::GetKeyRecordNumber(key.data()));
        if (!forward)
            std::reverse(order.begin(), order.end());
        return order;
    }
    static std::vector<LONG> Walk(DBSortKeyTree* tree, const DBRecordSet& set, BOOL forward)
    {
        DBSortCursor cursor(tree);
        std::vector<LONG> order;
        for (LONG r = cursor.SeekFirst(0, set, forward); r != -1; r = cursor.Step(set, forward))
            order.push_back(r);
        return order;
    }
    DBRecordSet EveryThird()
    {
        DBRecordSet set;
        for (const auto& entry : db.records)
            if (entry.first % 3 == 1)
                set.Set(entry.first);
        return set;
    }
    // Every slot index walks as the model sorts, both ways, whole and filtered.
    void ExpectSlotsMatchModel()
    {
        const DBRecordSet all = db.AllRecords();
        const DBRecordSet some = EveryThird();
        for (int slot = 0; slot < db.GetSortSlotCount(); ++slot) {
            DBSortKeyTree& tree = db.trees[(size_t)slot];
            ASSERT_TRUE(tree.GetSpec().indexBuilt) << slot;
            EXPECT_EQ((DWORD)all.GetCount(), tree.GetEntryCount()) << slot;
            EXPECT_EQ((DWORD)all.GetCount(), tree.GetObjectCount()) << slot;
            for (BOOL forward : {TRUE, FALSE}) {
                EXPECT_EQ(ModelOrder(tree.GetSpec(), all, forward), Walk(&tree, all, forward)) << slot;
                EXPECT_EQ(ModelOrder(tree.GetSpec(), some, forward), Walk(&tree, some, forward)) << slot;
            }
        }
    }
    // Orders told by the fields themselves rather than by keys: record IDs
    // by number; years ascending with empty dates first (slot 3); years
    // descending with empty dates last (the custom slot).
    void ExpectFieldOrders()
    {
        const DBRecordSet all = db.AllRecords();
        auto year = [&](LONG n) { return atoi(db.records[n]->GetField(20).text); };
        std::vector<int> ids, ascending, descending;
        for (LONG n : Walk(&db.trees[0], all, TRUE))
            ids.push_back(atoi(db.records[n]->GetRecordIdText()));
        for (LONG n : Walk(&db.trees[3], all, TRUE))
            ascending.push_back(year(n));
        for (LONG n : Walk(&db.trees.back(), all, TRUE))
            descending.push_back(year(n) == 0 ? -1 : year(n));
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
        EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
        EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
        EXPECT_EQ((size_t)all.GetCount(), descending.size());
    }
    BOOL BuildAll()
    {
        const DBRecordSet all = db.AllRecords();
        for (int slot = 0; slot < db.GetSortSlotCount(); ++slot)
            if (!BuildSortSlotIndex(db, slot, all))
                return FALSE;
        return TRUE;
    }

    std::string name;
    MemorySortDatabase db;
    std::mt19937 rng{19};
};

TEST_F(SortIndexes, SlotAndTemporaryIndexesWalkInModelOrder)
{
    AddRecords(0, 700, FALSE);
    ASSERT_TRUE(BuildAll());
    ExpectSlotsMatchModel();
    ExpectFieldOrders();

    // A temporary index of a subset holds that subset alone, in the same order.
    const DBRecordSet some = EveryThird();
    for (int slot = 0; slot < db.GetSortSlotCount(); ++slot) {
        DBSortIndex* index = new DBSortIndex(&db, some, db.trees[(size_t)slot].GetSpec());
        index->deleteWhenReleased = 1;
        index->Build();
        const CString path = index->GetScratchPath();
        {
            DBSortCursor holder(index);
            EXPECT_EQ((DWORD)some.GetCount(), index->GetEntryCount());
            EXPECT_EQ(ModelOrder(index->GetSpec(), some, TRUE), Walk(index, db.AllRecords(), TRUE));
            EXPECT_EQ(ModelOrder(index->GetSpec(), some, FALSE), Walk(index, some, FALSE));
            EXPECT_TRUE(db.forgotten.empty());
        }
        // The last cursor gone: the index and its scratch file are gone.
        ASSERT_EQ(1u, db.forgotten.size());
        EXPECT_EQ(index, db.forgotten.back());
        db.forgotten.clear();
        CFileStatus status;
        EXPECT_FALSE(CFile::GetStatus(path, status));
    }
}
} // namespace

namespace {
TEST_F(SortIndexes, AddsEditsAndDeletesKeepEveryIndexRight)
{
    AddRecords(0, 300, FALSE);
    ASSERT_TRUE(BuildAll());
    AddRecords(300, 450, TRUE);
    // Edits: some change every key, some change nothing a key reads.
    for (int32_t n = 0; n < 450; n += 4) {
        DBRecord old;
        MemorySortDatabase::CopyRecord(*db.records[n], old);
        DBRecord& record = *db.records[n];
        if (n % 8 == 0)
            FillRecord(record, n);
        else
            record.SetField(StyledString(), 30);
        UpdateRecordInSortSlots(db, old, record);
    }
    for (int32_t n = 1; n < 450; n += 5) {
        RemoveRecordFromSortSlots(db, *db.records[n]);
        db.records.erase(n);
    }
    ExpectSlotsMatchModel();
    ExpectFieldOrders();

    // And after the key file was closed and opened again.
    db.ReopenKeyFile();
    ExpectSlotsMatchModel();
}

TEST_F(SortIndexes, IndexThatDisagreesWithTheRecordsIsReportedAndAborts)
{
    AddRecords(0, 20, FALSE);
    ASSERT_TRUE(BuildAll());
    CMessageBoxScript boxes;
    DBRecord& record = *db.records[5];
    auto raisesUserException = [](auto step) {
        try {
            step();
        } catch (CUserException* e) {
            e->Delete();
            return true;
        }
        return false;
    };
    EXPECT_TRUE(raisesUserException([&] { AddRecordToSortSlots(db, record); }));
    ASSERT_EQ(1, boxes.CallCount());
    EXPECT_NE(-1, boxes.LastCall().text.Find("Rebuild"));
    DBRecord missing;
    MemorySortDatabase::CopyRecord(record, missing);
    missing.SetRecordNumber(999);
    EXPECT_TRUE(raisesUserException([&] { db.trees[0].RemoveRecord(missing); }));
    EXPECT_EQ(20u, db.trees[0].GetObjectCount());
}

// Stop pressed at several points, and a record that cannot be read answered
// No: the slot is not in use, its index is empty, the key file reopens sound
// and the next build is whole.
TEST_F(SortIndexes, StoppedOrFailedBuildLeavesTheSortNotInUse)
{
    AddRecords(0, 400, FALSE);
    const DBRecordSet all = db.AllRecords();
    db.duplicatesWanted = TRUE;
    for (int stopAt : {1, 2, 150, 400}) {
        ScriptedProgressDisplay::StopAtCall(stopAt);
        for (int slot = 0; slot < db.GetSortSlotCount(); ++slot) {
            DBSortKeyTree& tree = db.trees[(size_t)slot];
            EXPECT_FALSE(BuildSortSlotIndex(db, slot, all)) << stopAt;
            EXPECT_FALSE(tree.GetSpec().indexBuilt) << stopAt;
            EXPECT_EQ(0u, tree.GetEntryCount());
            EXPECT_EQ(0u, tree.GetObjectCount());
            ScriptedProgressDisplay::StopAtCall(stopAt);
        }
        db.ReopenKeyFile();
        for (auto& tree : db.trees) {
            EXPECT_FALSE(tree.GetSpec().indexBuilt);
            EXPECT_EQ(0u, tree.GetEntryCount());
        }
    }
    EXPECT_EQ(4 * db.GetSortSlotCount(), db.duplicateResets);
    ScriptedProgressDisplay::StopAtCall(0);

    db.unreadable.insert(17);
    {
        CMessageBoxScript boxes;
        boxes.PushAnswer(IDNO);
        EXPECT_FALSE(BuildSortSlotIndex(db, 1, all));
        EXPECT_EQ(4101u, boxes.LastCall().promptId);
        EXPECT_FALSE(db.trees[1].GetSpec().indexBuilt);
        EXPECT_EQ(0u, db.trees[1].GetEntryCount());
    }
    db.unreadable.clear();
    db.ReopenKeyFile();
    ASSERT_TRUE(BuildAll());
    ExpectSlotsMatchModel();
}

TEST_F(SortIndexes, RecordThatCannotBeReadIsSkippedWhenTheUserGoesOn)
{
    AddRecords(0, 40, FALSE);
    db.unreadable.insert(17);
    CMessageBoxScript boxes;
    boxes.PushAnswer(IDYES);
    EXPECT_TRUE(BuildSortSlotIndex(db, 2, db.AllRecords()));
    EXPECT_EQ(1, boxes.CallCount());
    EXPECT_EQ(39u, db.trees[2].GetEntryCount());
}

TEST_F(SortIndexes, BuildOnReadOnlyKeyFileGoesToTheScratchFile)
{
    AddRecords(0, 50, FALSE);
    db.keyFile.Close();
    db.OpenKeyFile(TRUE);
    ASSERT_TRUE(BuildSortSlotIndex(db, 3, db.AllRecords()));
    EXPECT_EQ(db.scratch.get(), db.trees[3].GetFile());
    EXPECT_EQ(ModelOrder(db.trees[3].GetSpec(), db.AllRecords(), TRUE),
              Walk(&db.trees[3], db.AllRecords(), TRUE));
}

// Collects the records in the order it is given them.
class Collector : public SortedRecordBatchOperation
{
public:
    using SortedRecordBatchOperation::SortedRecordBatchOperation;
    void Begin() override { ++begun; }
    void End() override
    {
        ++ended;
        SortedRecordBatchOperation::End();
    }
    LONG Apply(DBRecord& record) override
    {
        EXPECT_GT(record.GetUserCount(), 0);
        seen.push_back(record.GetRecordNumber());
        return (LONG)seen.size() != stopAfter;
    }
    std::vector<LONG> seen;
    LONG stopAfter = -1;
    int begun = 0;
    int ended = 0;
};

TEST_F(SortIndexes, SortedBatchRunsInIndexOrderAndFailsWhenItStopsEarly)
{
    AddRecords(0, 200, FALSE);
    ASSERT_TRUE(BuildAll());
    DBSortKeyTree* tree = &db.trees[1];
    const DBRecordSet some = EveryThird();
    {
        Collector op(&db, tree, some, FALSE);
        EXPECT_TRUE(op.Run(TRUE, 5264));
        EXPECT_EQ(ModelOrder(tree->GetSpec(), some, FALSE), op.seen);
        EXPECT_EQ(some.GetCount(), op.GetCount());
        EXPECT_EQ(1, op.ended);
    }
    {
        Collector op(&db, tree, DBRecordSet(), TRUE);
        const int commits = db.commits;
        EXPECT_TRUE(op.Run(FALSE, 5264));
        EXPECT_TRUE(op.seen.empty());
        EXPECT_EQ(1, op.begun);
        EXPECT_EQ(commits + 1, db.commits);
    }
    const std::vector<LONG> model = ModelOrder(tree->GetSpec(), some, TRUE);
    {
        // A record that cannot be opened ends the run as a failure, not as done.
        db.unopenable.insert(model[10]);
        Collector op(&db, tree, some, TRUE);
        EXPECT_FALSE(op.Run(FALSE, 5264));
        EXPECT_EQ(10u, op.seen.size());
        EXPECT_EQ(1, op.ended);
        db.unopenable.clear();
    }
    {
        Collector op(&db, tree, some, TRUE);
        op.stopAfter = 5;
        EXPECT_FALSE(op.Run(FALSE, 5264));
        EXPECT_EQ(5u, op.seen.size());
    }
    {
        ScriptedProgressDisplay::StopAtCall(3);
        Collector op(&db, tree, some, TRUE);
        EXPECT_FALSE(op.Run(TRUE, 5264));
        EXPECT_EQ(std::vector<LONG>(model.begin(), model.begin() + 3), op.seen);
    }
    {
        // One record per call, then 0 at the end; Reset starts over.
        Collector op(&db, tree, some, TRUE);
        while (op.Next() != 0) {
        }
        EXPECT_EQ(model, op.seen);
        EXPECT_EQ(1, op.ended);
        op.Reset();
        op.seen.clear();
        EXPECT_NE(0, op.Next());
        EXPECT_EQ(model[0], op.seen[0]);
    }
}

// Typed-text positioning and range searches on a one-field index whose
// values are known: field 6 holds one of a few words (or nothing).
TEST_F(SortIndexes, TypedTextPositionsAndRangeSearches)
{
    AddRecords(0, 500, FALSE);
    ASSERT_TRUE(BuildAll());
    DBSortKeyTree* tree = &db.trees[5];
    const DBRecordSet all = db.AllRecords();
    const std::vector<LONG> model = ModelOrder(tree->GetSpec(), all, TRUE);
    auto fieldOf = [&](LONG n) { return CString(db.records[n]->GetField(6).text); };
    auto modelSet = [&](auto keep) {
        DBRecordSet set;
        for (LONG n : model)
            if (keep(fieldOf(n)))
                set.Set(n);
        return set;
    };
    // Word order as the index has it ("The delta" keys as "delta").
    DBSortCursor cursor(tree);
    DBRecordSet out;
    cursor.CollectEqual("gamma", out);
    EXPECT_TRUE(out == modelSet([](const CString& v) { return v == "gamma"; }));
    // An empty typed part with empty parts first: every record.
    cursor.CollectGreaterOrEqual("", out);
    EXPECT_EQ(all.GetCount(), out.GetCount());

    // FindText: the row of the first record at or after the text.
    const int before = (int)std::count_if(model.begin(), model.end(), [&](LONG n) {
        const CString v = fieldOf(n);
        return v.IsEmpty() || v == "alpha" || v == "Beta" || v == "The delta" || v == "épsilon" || v == "eta";
    });
    EXPECT_EQ(before, cursor.FindText("g", all, TRUE));
    BYTE key[DBSortKeyBuilder::kMaxKeySize];
    ASSERT_NE(nullptr, cursor.GetCurrentKey(key));
    EXPECT_EQ(model[(size_t)before], DBSortKeyBuilder::GetKeyRecordNumber(key));
    EXPECT_EQ(model[(size_t)before], cursor.FindNearestForward("g", all));
    // Beyond every record: the set's count, the cursor where it was.
    EXPECT_EQ(model[3], cursor.SeekFirst(3, all, TRUE));
    EXPECT_EQ(all.GetCount(), cursor.FindText("zzz", all, TRUE));
    ASSERT_NE(nullptr, cursor.GetCurrentKey(key));
    EXPECT_EQ(model[3], DBSortKeyBuilder::GetKeyRecordNumber(key));
    EXPECT_EQ(model.back(), cursor.FindNearest("zzz", all, TRUE));

    // FindNextInSets counts set-1 records up to one in set 2.
    DBRecordSet target;
    target.Set(model[40]);
    EXPECT_EQ(model[0], cursor.SeekFirst(0, all, TRUE));
    EXPECT_EQ(40, cursor.FindNextInSets(all, target, TRUE));
    ASSERT_NE(nullptr, cursor.GetCurrentKey(key));
    EXPECT_EQ(model[40], DBSortKeyBuilder::GetKeyRecordNumber(key));
    EXPECT_EQ(0, cursor.FindNextInSets(all, DBRecordSet(), FALSE));
    EXPECT_EQ(model[39], cursor.Step(all, FALSE));
}
} // namespace

namespace {
// A one-field index of known words: ties, an empty value (empty parts sort
// first), a first and a last key. In index order:
//   "" 4, alpha 1, alpha 3, beta 7, delta 0, gamma 2, gamma 6, zeta 5.
class KnownWords : public SortIndexes
{
protected:
    void SetUp() override
    {
        const char* const words[] = {"delta", "alpha", "gamma", "alpha", "", "zeta", "gamma", "beta"};
        for (int32_t n = 0; n < 8; ++n) {
            StyledString s;
            s.SetPlainText(words[n]);
            db.Store(n).SetField(s, 6);
        }
        ASSERT_TRUE(BuildSortSlotIndex(db, 5, db.AllRecords()));
    }
    DBSortKeyTree* Tree() { return &db.trees[5]; }
    static DBRecordSet Of(const std::vector<LONG>& records)
    {
        DBRecordSet set;
        for (LONG n : records)
            set.Set(n);
        return set;
    }
};

TEST_F(KnownWords, RangeSearchesCompareTheFirstPartWithTiesAndEnds)
{
    struct Case
    {
        const char* text;
        std::vector<LONG> less, lessOrEqual, greater, greaterOrEqual;
    };
    const Case cases[] = {
        {"gamma", {4, 1, 3, 7, 0}, {4, 1, 3, 7, 0, 2, 6}, {5}, {2, 6, 5}},
        {"alpha", {4}, {4, 1, 3}, {7, 0, 2, 6, 5}, {1, 3, 7, 0, 2, 6, 5}},
        {"zeta", {4, 1, 3, 7, 0, 2, 6}, {4, 1, 3, 7, 0, 2, 6, 5}, {}, {5}},
        {"a", {4}, {4}, {1, 3, 7, 0, 2, 6, 5}, {1, 3, 7, 0, 2, 6, 5}},
        {"g", {4, 1, 3, 7, 0}, {4, 1, 3, 7, 0}, {2, 6, 5}, {2, 6, 5}},
        {"zz", {4, 1, 3, 7, 0, 2, 6, 5}, {4, 1, 3, 7, 0, 2, 6, 5}, {}, {}},
        {"", {}, {4}, {1, 3, 7, 0, 2, 6, 5}, {4, 1, 3, 7, 0, 2, 6, 5}},
    };
    typedef void (DBSortCursor::*Collect)(const char*, DBRecordSet&);
    for (const Case& c : cases) {
        const std::pair<Collect, const std::vector<LONG>&> searches[] = {
            {&DBSortCursor::CollectLess, c.less},
            {&DBSortCursor::CollectLessOrEqual, c.lessOrEqual},
            {&DBSortCursor::CollectGreater, c.greater},
            {&DBSortCursor::CollectGreaterOrEqual, c.greaterOrEqual},
        };
        for (size_t i = 0; i < 4; ++i) {
            DBSortCursor cursor(Tree());
            DBRecordSet out;
            (cursor.*searches[i].first)(c.text, out);
            EXPECT_TRUE(out == Of(searches[i].second)) << c.text << " search " << i;
        }
    }
    // Records already collected stay; nothing is removed.
    DBSortCursor cursor(Tree());
    DBRecordSet out = Of({5, 1000});
    cursor.CollectLess("beta", out);
    EXPECT_TRUE(out == Of({4, 1, 3, 5, 1000}));
}

TEST_F(KnownWords, NearestBackwardIsAtOrBeforeTheText)
{
    const DBRecordSet all = db.AllRecords();
    const DBRecordSet noDelta = Of({1, 2, 3, 4, 5, 6, 7});
    const DBRecordSet noEmpty = Of({0, 1, 2, 3, 5, 6, 7});
    struct Case
    {
        const char* text;
        const DBRecordSet& set;
        LONG backward;
        LONG forward;
    };
    const Case cases[] = {
        {"gamma", all, 6, 2},       // a tie: the last of the run going back, the first going on
        {"epsilon", all, 0, 2},     // between two keys: never the key after the text
        {"epsilon", noDelta, 7, 2}, // the filter skips delta
        {"g", all, 6, 2},           // typed text begins the gamma run
        {"aa", all, 4, 1},          // below alpha: only the empty value lies before
        {"aa", noEmpty, -1, 1},     // nothing at or before
        {"a", all, 3, 1},           // typed text begins the alpha run
        {"zz", all, 5, -1},         // beyond the last key
        {"zeta", all, 5, 5},        // the last key itself
        {"", all, 5, 4},            // an empty typed part begins every key
    };
    for (const Case& c : cases) {
        DBSortCursor cursor(Tree());
        EXPECT_EQ(c.backward, cursor.FindNearestBackward(c.text, c.set)) << c.text;
        EXPECT_EQ(c.forward, cursor.FindNearestForward(c.text, c.set)) << c.text;
        const LONG either = c.backward != -1 ? c.backward : c.forward;
        EXPECT_EQ(either, cursor.FindNearest(c.text, c.set, FALSE)) << c.text;
    }
}

TEST_F(SortIndexes, EmptyIndexFindsAndCollectsNothing)
{
    DBSortCursor cursor(&db.trees[5]);
    const DBRecordSet none;
    DBRecordSet out;
    for (const char* text : {"", "m"}) {
        cursor.CollectLess(text, out);
        cursor.CollectLessOrEqual(text, out);
        cursor.CollectEqual(text, out);
        cursor.CollectGreater(text, out);
        cursor.CollectGreaterOrEqual(text, out);
        EXPECT_EQ(-1, cursor.FindNearest(text, none, FALSE));
        EXPECT_EQ(-1, cursor.FindNearest(text, none, TRUE));
        EXPECT_EQ(0, cursor.FindText(text, none, TRUE));
    }
    EXPECT_EQ(0, out.GetCount());
}

// Over leaf boundaries: every key distinct, the typed text the key itself or
// just after it; backward always ends on that key's record (or the nearest
// earlier one in the set).
TEST_F(SortIndexes, NearestBackwardAcrossLeaves)
{
    const int32_t count = 600;
    auto word = [](int32_t n) {
        char text[8] = {'w', char('a' + n / 676), char('a' + n / 26 % 26), char('a' + n % 26), 0};
        return CString(text);
    };
    for (int32_t n = 0; n < count; ++n) {
        StyledString s;
        s.SetPlainText(word(n));
        db.Store(n).SetField(s, 6);
    }
    ASSERT_TRUE(BuildSortSlotIndex(db, 5, db.AllRecords()));
    ASSERT_GT(db.trees[5].GetEntryCount(), 0u);
    DBRecordSet even;
    for (int32_t n = 0; n < count; n += 2)
        even.Set(n);
    DBSortCursor cursor(&db.trees[5]);
    for (int32_t n = 0; n < count; ++n) {
        const CString after = word(n) + "m";
        ASSERT_EQ(n, cursor.FindNearestBackward(word(n), db.AllRecords())) << n;
        ASSERT_EQ(n, cursor.FindNearestBackward(after, db.AllRecords())) << n;
        ASSERT_EQ(n - n % 2, cursor.FindNearestBackward(after, even)) << n;
        ASSERT_EQ(n + 1 < count ? n + 1 : -1, cursor.FindNearestForward(after, db.AllRecords())) << n;
    }
}
} // namespace
