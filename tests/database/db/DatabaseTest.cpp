// The database object: its two files, record numbers and IDs, record
// storage with every index kept, groups, renaming and the header's limit.
#include "DatabaseTestSupport.h"

#include "database/file/BTHeaderTooLongException.h"
#include "database/sort/DBSortIndex.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

std::vector<unsigned char> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

unsigned U16(const std::vector<unsigned char>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

} // namespace

TEST_F(DatabaseFixture, NewDatabaseFilesAndDefaults)
{
    DBDatabase& db = Create();
    AddSampleRecords(db);
    db.Close();

    const std::vector<unsigned char> data = ReadBytes(Path());
    const std::vector<unsigned char> keys = ReadBytes(Path(".ldx"));
    ASSERT_GE(data.size(), 1024u);
    ASSERT_GE(keys.size(), 1024u);
    EXPECT_EQ(U16(data, 12), 0x8002u);
    EXPECT_EQ(U16(data, 14), 1030u);
    EXPECT_EQ(U16(keys, 12), 0x8003u);
    EXPECT_EQ(U16(keys, 14), 1047u);
    EXPECT_EQ((data.size() - 1024) % 2048, 0u);
    EXPECT_EQ((keys.size() - 1024) % 1280, 0u);

    Open();
    const BYTE expected[9][3] = {{0},        {255, 254, 253}, {255, 253, 254}, {250, 254, 253},
                                 {254, 253}, {253, 255, 254}, {44, 255, 254},  {0},
                                 {252}};
    const int keyCounts[9] = {1, 3, 3, 3, 2, 3, 3, -1, 1};
    for (int slot = 0; slot < DBDatabase::kSortSlotCount; ++slot) {
        const DBSortSpec& spec = m_db->GetSortSpec(slot);
        EXPECT_EQ(spec.indexBuilt, slot <= 1 ? 1 : 0) << slot;
        if (slot >= 9) {
            ASSERT_EQ(spec.keyCount, 1) << slot;
            EXPECT_EQ(spec.keys[0].fieldCode, slot - 8);
        } else if (keyCounts[slot] > 0) {
            ASSERT_EQ(spec.keyCount, keyCounts[slot]) << slot;
            for (int k = 0; k < spec.keyCount; ++k)
                EXPECT_EQ(spec.keys[k].fieldCode, expected[slot][k]) << slot;
        }
    }
    EXPECT_EQ(m_db->listSortSlot, 1);
    EXPECT_EQ(m_db->listAscending, 1);
    EXPECT_EQ(m_db->renumberSortSlot, 0);
    EXPECT_EQ(m_db->startingRecordId, 10);
    EXPECT_EQ(m_db->recordIdIncrement, 10);
}

TEST_F(DatabaseFixture, RecordNumbersAndIds)
{
    DBDatabase& db = Create();
    const RecordFields fields = {"Smith, J.", "A title", "1990", "Nature", "cells"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(AddNewRecord(db, fields), i);
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    const char* ids[] = {"10", "20", "30"};
    for (int i = 0; i < 3; ++i) {
        db.ReadRecord(record, i);
        EXPECT_STREQ(record.GetRecordIdText(), ids[i]);
    }
    db.DeleteRecord(1);
    EXPECT_EQ(db.GetNextFreeRecordNumber(), 1);
    EXPECT_STREQ(db.GetNextRecordId(), "40");
    EXPECT_EQ(AddNewRecord(db, fields), 1);

    // Survives a close.
    DBDatabase& again = Reopen();
    again.ReadRecord(record, 1);
    EXPECT_STREQ(record.GetRecordIdText(), "40");
    EXPECT_EQ(Numbers(again.GetAllRecords()), (std::vector<int>{0, 1, 2}));
    EXPECT_STREQ(again.GetNextRecordId(), "50");

    // A missing record is the damaged-database message and a quiet abort.
    CMessageBoxScript script;
    EXPECT_TRUE(Raises<CUserException>([&] { again.ReadRecord(record, 7); }));
    ASSERT_EQ(script.CallCount(), 1);
    EXPECT_GE(script.Calls()[0].text.Find("should be repaired"), 0);

    EXPECT_FALSE(record.IsValidRecordId("123456789012345678901"));
    EXPECT_TRUE(record.IsValidRecordId("12345678901234567890"));
}

TEST_F(DatabaseFixture, NextRecordIdAmongOtherIds)
{
    const struct
    {
        std::vector<const char*> ids;
        int increment;
        const char* next;
    } cases[] = {
        {{"7", "A12", "30"}, 10, "40"},
        {{"A12"}, 10, "10"},
        {{"120"}, 10, "130"},
        {{"10", "12b", "5x"}, 10, "20"},
        {{"10", "20", "12b"}, 10, "30"},
        {{"120", "130"}, 0, "131"},
        {{"999"}, 1, "1000"},
        {{"A12", "10", "20"}, 10, "30"},
    };
    for (const auto& c : cases) {
        DBDatabase& db = Create();
        db.recordIdIncrement = c.increment;
        for (const char* id : c.ids)
            AddNewRecord(db, {"Smith", "T", "1990", "", ""}, id);
        EXPECT_STREQ(db.GetNextRecordId(), c.next) << c.ids.size() << " ids, first " << c.ids[0];
        db.Close();
        m_db.reset();
        RemoveFiles();
    }
}

TEST_F(DatabaseFixture, EveryIndexFollowsAddUpdateDelete)
{
    DBDatabase& db = Create();
    AddSampleRecords(db);
    EXPECT_EQ(Terms(db.GetJournalIndex())["Nature"], (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(Numbers(db.GetDuplicateRecords()), (std::vector<int>{2, 4}));
    // Authors, then title and date: Smith alone before Smith and Jones.
    EXPECT_EQ(SortOrder(db, 1), (std::vector<LONG>{3, 1, 2, 4, 0}));

    DBRecord record;
    record.m_bAutoDelete = FALSE;
    db.ReadRecord(record, 4);
    FillRecord(record, {"Young, B.", "Zebras", "1999", "Science", "zebras"});
    db.UpdateRecord(record);
    EXPECT_EQ(Terms(db.GetJournalIndex())["Nature"], (std::vector<int>{0, 2}));
    EXPECT_EQ(Terms(db.GetJournalIndex())["Science"], (std::vector<int>{1, 4}));
    EXPECT_TRUE(Numbers(db.GetDuplicateRecords()).empty());
    EXPECT_EQ(SortOrder(db, 1), (std::vector<LONG>{3, 1, 2, 0, 4}));

    db.GetMarkedRecords().Set(2);
    DBRecordSet* group = db.AddGroup("Walls");
    group->Set(2);
    db.DeleteRecord(2);
    EXPECT_EQ(Terms(db.GetJournalIndex())["Nature"], (std::vector<int>{0}));
    EXPECT_EQ(db.GetMarkedRecords().GetCount(), 0);
    EXPECT_EQ(group->GetCount(), 0);
    EXPECT_EQ(SortOrder(db, 1), (std::vector<LONG>{3, 1, 0, 4}));

    const DatabaseAnswers before = Answers(db);
    EXPECT_TRUE(Answers(Reopen()) == before);
}

TEST_F(DatabaseFixture, TemporarySortIndexIsUpdatedNotAddedTo)
{
    DBDatabase& db = Create();
    AddSampleRecords(db);
    DBRecordSet set;
    set.Set(0);
    set.Set(3);
    DBSortIndex* index = db.FindOrCreateSortIndex(4, set);
    index->AddRef();
    EXPECT_EQ(db.FindOrCreateSortIndex(4, set), index);
    EXPECT_EQ(index->GetObjectCount() + index->GetEntryCount() > 0, true);
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    db.ReadRecord(record, 0);
    FillRecord(record, {"Smith, J.", "Zzz last", "1990", "Nature", ""});
    db.UpdateRecord(record);
    AddNewRecord(db, {"Aaa", "Aaa first", "1990", "", ""});
    DBSortCursor cursor(index);
    std::vector<LONG> order;
    for (LONG n = cursor.SeekFirst(0, set, TRUE); n != -1; n = cursor.Step(set, TRUE))
        order.push_back(n);
    EXPECT_EQ(order, (std::vector<LONG>{3, 0}));
    index->Release();
}

TEST_F(DatabaseFixture, Groups)
{
    DBDatabase& db = Create();
    db.GetGenericStopList().RemoveAll();
    db.GetGenericStopList().Add("the");
    db.AddGroup("Reviews")->Set(3);
    db.AddGroup("apples");
    db.AddGroup("Mixed");
    CStringArray names;
    db.GetGroupNames(names, 10);
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_STREQ(names[0], "apples");
    EXPECT_STREQ(names[1], "Mixed");
    EXPECT_STREQ(names[2], "Reviews");
    EXPECT_TRUE(db.GroupExists("The Reviews"));
    EXPECT_FALSE(db.GroupExists("Previews"));
    ASSERT_NE(db.FindGroup("reviews"), nullptr);
    EXPECT_TRUE(db.RenameGroup(*db.FindGroup("mixed"), "Zoo"));
    EXPECT_TRUE(db.DeleteGroup("APPLES"));
    EXPECT_FALSE(db.DeleteGroup("apples"));

    DBDatabase& again = Reopen();
    ASSERT_EQ(again.GetGroupCount(), 2);
    EXPECT_STREQ(again.GetGroup(0).name.text, "Reviews");
    EXPECT_EQ(Numbers(again.GetGroup(0)), (std::vector<int>{3}));
    EXPECT_STREQ(again.GetGroup(1).name.text, "Zoo");
}

TEST_F(DatabaseFixture, ReadOnlyGroupsGoToTheScratchFile)
{
    DBDatabase& db = Create();
    AddSampleRecords(db);
    db.AddGroup("Kept");
    db.Close();
    const std::vector<unsigned char> before = ReadBytes(Path());

    DBDatabase& readOnly = Reopen(TRUE);
    EXPECT_FALSE(readOnly.IsWritable());
    readOnly.AddGroup("Passing");
    ASSERT_NE(readOnly.FindGroup("Kept"), nullptr);
    EXPECT_TRUE(readOnly.RenameGroup(*readOnly.FindGroup("Kept"), "Renamed"));
    readOnly.Close();
    EXPECT_EQ(ReadBytes(Path()), before);

    DBDatabase& again = Reopen();
    ASSERT_EQ(again.GetGroupCount(), 1);
    EXPECT_STREQ(again.GetGroup(0).name.text, "Kept");
}

TEST_F(DatabaseFixture, StoredObjects)
{
    DBDatabase& db = Create();
    DBRecordSet kept("layout");
    kept.Set(9);
    db.SaveObject(kept, DBDatabase::kObjectRecordListLayout);
    DBRecordSet read;
    EXPECT_FALSE(Reopen().LoadObject(read, DBDatabase::kObjectBibliographySetup));
    EXPECT_TRUE(m_db->LoadObject(read, DBDatabase::kObjectRecordListLayout));
    EXPECT_STREQ(read.name.text, "layout");
    EXPECT_EQ(Numbers(read), (std::vector<int>{9}));
}

TEST_F(DatabaseFixture, HeaderThatWouldNotFitIsRefusedBeforeAnyWrite)
{
    m_db.reset(new DBDatabase);
    m_db->SetPathName(Path().c_str());
    m_db->GetTitleText() = CString('t', 400);
    m_db->GetCommentsText() = CString('c', 400);
    EXPECT_TRUE(Raises<BTHeaderTooLongException>([&] { m_db->CreateNew(); }));
    struct stat status;
    EXPECT_NE(stat(Path().c_str(), &status), 0);
    EXPECT_NE(stat(Path(".ldx").c_str(), &status), 0);

    // Within the area it is made and kept.
    m_db->GetCommentsText() = CString('c', 100);
    m_db->CreateNew();
    Open();
    EXPECT_EQ(m_db->GetTitleText().GetLength(), 400);
}

TEST_F(DatabaseFixture, RenameMovesBothFilesOrNeither)
{
    Create().Close();
    const std::string target = m_base + "_renamed";
    std::remove((target + ".ldt").c_str());
    std::remove((target + ".ldx").c_str());
    m_db->Rename((target + ".ldt").c_str());
    struct stat status;
    EXPECT_EQ(stat((target + ".ldt").c_str(), &status), 0);
    EXPECT_EQ(stat((target + ".ldx").c_str(), &status), 0);
    EXPECT_NE(stat(Path().c_str(), &status), 0);
    m_db->Rename(Path().c_str());

    // A key file that cannot follow (a folder in its way): the data file
    // goes back under its old name.
    std::remove((target + ".ldt").c_str());
#ifdef _WIN32
    CreateDirectoryA((target + ".ldx").c_str(), nullptr);
#else
    mkdir((target + ".ldx").c_str(), 0700);
#endif
    std::ofstream((target + ".ldx/inside").c_str()) << "x";
    EXPECT_TRUE(Raises<CException>([&] { m_db->Rename((target + ".ldt").c_str()); }));
    EXPECT_EQ(stat(Path().c_str(), &status), 0);
    EXPECT_NE(stat((target + ".ldt").c_str(), &status), 0);
    EXPECT_STREQ(m_db->GetPathName(), Path().c_str());
    std::remove((target + ".ldx/inside").c_str());
    rmdir((target + ".ldx").c_str());
    Open();
}
