// The database document without windows: records opened and saved through
// it, the small-set rule, sort preparation and aging, stored setups, the
// batch frameworks and the record reader.
#include <gtest/gtest.h>

#include "../../database/db/DatabaseTestSupport.h"

#include "app/core/ProgressDialog.h"
#include "bibliography/setup/BibliographySetup.h"
#include "dbwindows/core/RecordListLayout.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "database/db/DBRecord.h"
#include "database/sort/DBSortCursor.h"
#include "dbwindows/core/DBDocument.h"
#include "dbwindows/core/DBRecordReader.h"
#include "dbwindows/core/RecordBatchOperation.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

class DBDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = std::string("dbdoc_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveFiles();
        DBDatabase db;
        db.SetPathName((m_path + ".ldt").c_str());
        db.CreateNew();
    }
    void TearDown() override
    {
        ScriptedProgressDisplay::StopAtCall(0);
        Close();
        RemoveFiles();
    }
    void RemoveFiles()
    {
        std::remove((m_path + ".ldt").c_str());
        std::remove((m_path + ".ldx").c_str());
    }
    DBDocument& Open(BOOL readOnly = FALSE)
    {
        m_doc = new DBDocument;
        EXPECT_TRUE(m_doc->OpenFile((m_path + ".ldt").c_str(),
                                    readOnly ? (UINT)CFileBasedDocument::OpenReadOnly : 0u));
        return *m_doc;
    }
    void Close()
    {
        if (m_doc)
            m_doc->OnCloseDocument();
        m_doc = nullptr;
    }
    // Saves a new record through its document, as the editor does.
    int32_t SaveNew(const char* author, const char* title)
    {
        DBRecord* record = m_doc->OpenRecord(-1, 0);
        EXPECT_NE(record, nullptr);
        record->AddRef();
        record->SetField(StyledString(author), 1);
        record->SetField(StyledString(title), 4);
        EXPECT_TRUE(record->SaveRecord(-1, 0));
        const int32_t number = record->GetRecordNumber();
        record->Release();
        return number;
    }
    void AddRecords(int n)
    {
        for (int i = 0; i < n; ++i) {
            char title[32];
            std::snprintf(title, sizeof title, "Title %05d", (n - i) * 7 % 1000);
            DBRecord record;
            record.m_bAutoDelete = FALSE;
            record.SetField(StyledString(title), 4);
            record.SetRecordIdText(m_doc->GetNextRecordId());
            m_doc->AddRecord(record, m_doc->GetNextFreeRecordNumber());
        }
    }

    ScratchProfileApp m_app;
    std::string m_path;
    DBDocument* m_doc = nullptr;
};

class CountingOperation : public RecordBatchOperation
{
public:
    using RecordBatchOperation::RecordBatchOperation;
    BOOL Apply(DBRecord& record) override
    {
        seen.push_back(record.GetRecordNumber());
        if (grow)
            grow->Set(grow->FindFirstFree());
        return stopAfter == 0 || (int)seen.size() < stopAfter;
    }
    std::vector<int32_t> seen;
    DBRecordSet* grow = nullptr;
    int stopAfter = 0;
};

} // namespace

TEST_F(DBDocumentTest, RecordsSavedThroughTheDocumentReachTheDatabase)
{
    DBDocument& doc = Open();
    EXPECT_FALSE(doc.IsReadOnly());
    EXPECT_EQ(SaveNew("Smith, J.", "First"), 0);
    EXPECT_EQ(SaveNew("Jones, A.", "Second"), 1);

    DBRecord* record = doc.OpenRecord(1, 0);
    ASSERT_NE(record, nullptr);
    record->AddRef();
    EXPECT_STREQ(record->GetRecordIdText(), "20");
    EXPECT_EQ(doc.OpenRecord(1, 0), record); // the open record is shared
    record->SetField(StyledString("Second, revised"), 4);
    EXPECT_TRUE(record->SaveRecord(1, 0));
    record->Release();

    Close();
    DBDocument& again = Open();
    DBRecord stored;
    stored.m_bAutoDelete = FALSE;
    again.ReadRecord(stored, 1);
    EXPECT_STREQ(stored.GetField(4).text, "Second, revised");
    {
        CMessageBoxScript script;
        EXPECT_EQ(again.OpenRecord(5, 0), nullptr);
        EXPECT_EQ(script.CallCount(), 1);
    }
}

TEST_F(DBDocumentTest, SmallSetRule)
{
    DBDocument& doc = Open();
    const struct
    {
        int all;
        int set;
        BOOL small;
    } cases[] = {
        {10000, 249, TRUE}, {2500, 250, FALSE}, {3301, 300, TRUE}, {100, 100, FALSE}, {100, 0, FALSE}};
    for (const auto& c : cases) {
        doc.GetDatabase().GetAllRecords().RemoveAll();
        for (int i = 0; i < c.all; ++i)
            doc.GetDatabase().GetAllRecords().Set(i);
        DBRecordSet set;
        for (int i = 0; i < c.set; ++i)
            set.Set(i);
        EXPECT_EQ(doc.IsSmallSet(set), c.small) << c.all << " " << c.set;
    }
    doc.GetDatabase().GetAllRecords().RemoveAll();
}

TEST_F(DBDocumentTest, PrepareSortBuildsOnceAndSmallSetsGetTemporaryIndexes)
{
    DBDocument& doc = Open();
    AddRecords(30);
    DBRecordSet& all = doc.GetDatabase().GetAllRecords();
    EXPECT_FALSE(doc.IsSortReady(4, all));
    EXPECT_TRUE(doc.PrepareSort(4, all));
    EXPECT_TRUE(doc.IsSortReady(4, all));
    EXPECT_EQ(doc.GetDatabase().GetSortSlotTree(4).GetEntryCount(), 30u);
    EXPECT_EQ(doc.GetSortIndex(4, all), &doc.GetDatabase().GetSortSlotTree(4));

    // Walked in title order.
    DBSortCursor cursor(doc.GetSortIndex(4, all));
    std::vector<std::string> titles;
    for (LONG n = cursor.SeekFirst(0, all, TRUE); n != -1; n = cursor.Step(all, TRUE)) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        doc.ReadRecord(record, n);
        titles.push_back(std::string(record.GetField(4).text));
    }
    ASSERT_EQ(titles.size(), 30u);
    EXPECT_TRUE(std::is_sorted(titles.begin(), titles.end()));

    DBRecordSet few;
    few.Set(3);
    few.Set(7);
    EXPECT_TRUE(doc.IsSortReady(5, few));
    EXPECT_TRUE(doc.PrepareSort(5, few));
    EXPECT_EQ(doc.GetDatabase().GetSortSpec(5).indexBuilt, 0);
    DBSortKeyTree* temporary = doc.GetSortIndex(5, few);
    ASSERT_NE(temporary, &doc.GetDatabase().GetSortSlotTree(5));
    DBSortCursor walk(temporary); // the cursor's release deletes the index
    EXPECT_EQ(walk.SeekFirst(0, few, TRUE) != -1, true);

    // A stopped build leaves the sort not in use.
    ScriptedProgressDisplay::StopAtCall(2);
    EXPECT_FALSE(doc.PrepareSort(6, all));
    EXPECT_EQ(doc.GetDatabase().GetSortSpec(6).indexBuilt, 0);
}

TEST_F(DBDocumentTest, AgingDropsOldIndexes)
{
    DBDocument& doc = Open();
    DBDatabase& db = doc.GetDatabase();
    const DWORD now = (DWORD)time(nullptr);
    const DWORD eightDaysAgo = now - 8 * 86400;
    auto setBuilt = [&](std::initializer_list<int> slots, DWORD when) {
        for (int slot : slots) {
            DBSortSpec spec = db.GetSortSpec(slot);
            spec.indexBuilt = 1;
            db.SetSortSpec(slot, spec);
            db.SetSortLastUsed(slot, when);
        }
    };
    auto built = [&]() {
        std::vector<int> slots;
        for (int slot = 0; slot < db.GetSortSlotCount(); ++slot)
            if (db.GetSortSpec(slot).indexBuilt)
                slots.push_back(slot);
        return slots;
    };
    // Slots 0 and 1 are built in a new database; 1 used now.
    db.SetSortLastUsed(1, now);
    setBuilt({2, 3}, eightDaysAgo);
    setBuilt({4}, now);
    doc.AgeSortIndexes(5); // 4 kept (1-4) besides: the two old ones go
    EXPECT_EQ(built(), (std::vector<int>{0, 1, 4}));

    setBuilt({2}, eightDaysAgo);
    doc.AgeSortIndexes(4); // only 3 kept: nothing goes
    EXPECT_EQ(built(), (std::vector<int>{0, 1, 2, 4}));

    // Ten kept, all recent: the two least recently used others go.
    for (int slot = 1; slot <= 10; ++slot)
        setBuilt({slot}, now - 1000 + (DWORD)slot);
    setBuilt({0}, 0);
    doc.AgeSortIndexes(1);
    EXPECT_EQ(built(), (std::vector<int>{0, 1, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(DBDocumentTest, SetupsAreStoredWithTheDatabaseUnlessReadOnly)
{
    DBDocument& doc = Open();
    BibliographySetup setup;
    EXPECT_TRUE(doc.GetBibliographySetup(setup));
    BibliographySetup changed = setup;
    changed.stylePath = "C:\\Styles\\Kept.los";
    doc.SetBibliographySetup(changed);
    Close();

    DBDocument& readOnly = Open(TRUE);
    EXPECT_TRUE(readOnly.IsReadOnly());
    BibliographySetup read;
    readOnly.GetBibliographySetup(read);
    EXPECT_STREQ(read.stylePath, "C:\\Styles\\Kept.los");
    read.stylePath = "C:\\Styles\\Passing.los";
    readOnly.SetBibliographySetup(read);
    readOnly.GetBibliographySetup(read);
    EXPECT_STREQ(read.stylePath, "C:\\Styles\\Passing.los");
    {
        CMessageBoxScript script;
        EXPECT_EQ(readOnly.WarnReadOnlyOnce(DBDocument::IDP_READ_ONLY_GROUPS), IDOK);
        EXPECT_EQ(readOnly.WarnReadOnlyOnce(DBDocument::IDP_READ_ONLY_GROUPS), 0);
        EXPECT_EQ(script.CallCount(), 1);
    }
    Close();
    Open().GetBibliographySetup(read);
    EXPECT_STREQ(read.stylePath, "C:\\Styles\\Kept.los");
}

TEST_F(DBDocumentTest, RecordListLayoutIsKeptInTheDatabase)
{
    DBDocument& doc = Open();
    RecordListLayout layout;
    EXPECT_TRUE(doc.GetRecordListLayout(layout));
    EXPECT_EQ(layout, RecordListLayout());
    layout.SetTitle(2, "Published");
    layout.SetWidth(2, 17);
    layout.SetVisible(5, FALSE);
    doc.SetRecordListLayout(layout);
    Close();

    RecordListLayout read;
    EXPECT_TRUE(Open().GetRecordListLayout(read));
    EXPECT_EQ(read, layout);
}

TEST_F(DBDocumentTest, BatchOperationWalksTheSetOnce)
{
    DBDocument& doc = Open();
    AddRecords(6);
    DBRecordSet set;
    for (int n : {1, 2, 4})
        set.Set(n);

    CountingOperation all(doc, set);
    EXPECT_TRUE(all.Run(TRUE, 5189));
    EXPECT_EQ(all.seen, (std::vector<int32_t>{1, 2, 4}));

    // Records joining the set during the run are left alone.
    DBRecordSet growing = set;
    CountingOperation grows(doc, growing);
    grows.grow = &growing;
    EXPECT_TRUE(grows.Run(FALSE, 0));
    EXPECT_EQ(grows.seen.size(), 3u);

    CountingOperation stops(doc, set);
    stops.stopAfter = 2;
    EXPECT_FALSE(stops.Run(FALSE, 0));
    EXPECT_EQ(stops.seen.size(), 2u);

    ScriptedProgressDisplay::StopAtCall(1);
    CountingOperation stopped(doc, set);
    EXPECT_FALSE(stopped.Run(TRUE, 5189));
    EXPECT_EQ(stopped.seen.size(), 1u);
    ScriptedProgressDisplay::StopAtCall(0);

    // A record of the set that is not there fails the run.
    DBRecordSet missing = set;
    missing.Set(40);
    CountingOperation fails(doc, missing);
    {
        CMessageBoxScript script;
        EXPECT_FALSE(fails.Run(FALSE, 0));
    }
    EXPECT_EQ(fails.seen.size(), 3u);

    CountingOperation steps(doc, set);
    int calls = 0;
    while (steps.Step())
        ++calls;
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(steps.seen, (std::vector<int32_t>{1, 2, 4}));
}

TEST_F(DBDocumentTest, RecordReaderReadsTheSetInOrder)
{
    DBDocument& doc = Open();
    AddRecords(5);
    DBRecordSet set;
    for (int n : {0, 3, 4})
        set.Set(n);
    DBRecordReader reader(doc, set);
    std::vector<int32_t> numbers;
    for (DBRecord* record = reader.Next(); record; record = reader.Next()) {
        EXPECT_EQ(record->GetDatabase(), static_cast<IDBDocument*>(&doc));
        numbers.push_back(record->GetRecordNumber());
    }
    EXPECT_EQ(numbers, (std::vector<int32_t>{0, 3, 4}));

    set.Set(9);
    DBRecordReader failing(doc, set);
    CMessageBoxScript script;
    int read = 0;
    while (failing.Next())
        ++read;
    EXPECT_EQ(read, 3);
    EXPECT_EQ(script.CallCount(), 1);
}
