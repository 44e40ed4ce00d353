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
// descending, date then author, workform then title, one field.
std::vector<DBSortSpec> SlotSpecs()
{
    return {Spec({{sortFieldRecordId, 1}}),
            Spec({{sortFieldAuthor, 1}, {sortFieldTitle, 1}, {sortFieldDate, 1}}),
            Spec({{sortFieldTitle, 0}}),
            Spec({{sortFieldDate, 1}, {sortFieldAuthor, 1}}),
            Spec({{sortFieldWorkform, 1}, {sortFieldTitle, 1}}),
            Spec({{6, 1}})};
}

const char* const kWords[] = {"alpha", "Beta", "gamma", "The delta", "épsilon", "zeta", "", "eta", "theta", "Iota"};
const char* const kAuthors[] = {"Smith, J.", "von Braun, W.", "Ng, A.", "", "Åberg, K.//Lee, S.", "smith, a."};

class SortIndexes : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { BuildAccentFoldTable(); }

    SortIndexes()
        : name(std::string("sortindex_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".tmp"),
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
