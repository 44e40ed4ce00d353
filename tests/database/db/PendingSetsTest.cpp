// The index sets kept in memory between commits: whatever the bound, the
// trees end with the bytes that writing every record at once gives; a record
// change that fails half way leaves no trace in them; every reader sees the
// sets not yet written.
#include "DatabaseTestSupport.h"

#include "database/btree/BTreeCursor.h"
#include "database/db/ArchiveFunction.h"
#include "database/file/BTPageRef.h"
#include "database/file/BTWriteGate.h"

#include <functional>

namespace {

// Workforms by name without a workform table; a fault armed in the middle
// of a record change (the sort slots come after every index set).
class TestDatabase : public DBDatabase
{
public:
    CString GetWorkformName(int16_t id) override
    {
        static const char* const names[] = {"<Default>", "Journal Article", "Book", "Thesis"};
        return names[(unsigned)id % 4];
    }
    DBSortKeyTree& GetSortSlotTree(int slot) override
    {
        if (failNextSlot) {
            failNextSlot = false;
            AfxThrowNotSupportedException();
        }
        return DBDatabase::GetSortSlotTree(slot);
    }
    bool failNextSlot = false;
};

const char* const kAuthors[] = {"Smith, J.", "Jones, A.", "Brown, K.", "Adams, R.", "Young, B.", "Clark, D."};
const char* const kWords[] = {"cell", "biology", "history", "science", "grammar", "syntax", "walls", "zebra"};

// A record of its own for every seed: shared terms and, every seventh, an
// author and a keyword that only it has.
void MakeRecord(DBRecord& record, int seed)
{
    CString authors = kAuthors[seed % 6];
    if (seed % 3 == 0)
        authors += CString("\n") + kAuthors[(seed / 3) % 6];
    CString keywords = CString(kWords[seed % 8]) + "\n" + kWords[(seed / 8) % 8];
    if (seed % 7 == 0) {
        CString own;
        own.Format("\nSolo%d, Q.", seed);
        authors += own;
        own.Format("\nunique%d", seed);
        keywords += own;
    }
    CString title;
    title.Format("%s and %s %d", kWords[(seed / 2) % 8], kWords[(seed / 5) % 8], seed % 40);
    CString date;
    date.Format("%d", 1950 + seed % 60);
    record.SetField(StyledString(authors), 1);
    record.SetField(StyledString(title), 4);
    record.SetField(StyledString(seed % 5 ? "Nature" : "Science"), 10);
    record.SetField(StyledString(date), 12);
    record.SetField(StyledString(keywords), 45);
    record.SetWorkformId((int16_t)(seed % 4));
    CString id;
    id.Format("%d", 10 * (seed + 1));
    record.SetRecordIdText(id);
}

void Add(DBDatabase& db, int32_t number, int seed)
{
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    MakeRecord(record, seed);
    db.AddRecord(record, number);
}

void Update(DBDatabase& db, int32_t number, int seed)
{
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    db.ReadRecord(record, number);
    MakeRecord(record, seed);
    db.UpdateRecord(record);
}

// Every entry of every tree that keeps record sets, byte for byte, with the
// trees' object counts, and the duplicates set.
std::vector<std::vector<BYTE>> SetTreeContents(DBDatabase& db)
{
    std::vector<std::vector<BYTE>> contents;
    contents.push_back(StoredForm(db.GetDuplicateRecords()));
    BTree* trees[] = {
        &db.GetWorkformIndex(),          &db.GetAuthorIndex().GetTree(),    &db.GetJournalIndex().GetTree(),
        &db.GetTitleIndex().GetTree(),   &db.GetDateIndex().GetStartTree(), &db.GetDateIndex().GetEndTree(),
        &db.GetKeywordIndex().GetTree(), &db.GetWordIndex().GetTree(),      &db.GetDuplicateFinder()};
    for (BTree* tree : trees) {
        std::vector<BYTE> bytes;
        const DWORD count = tree->GetObjectCount();
        bytes.insert(bytes.end(), (const BYTE*)&count, (const BYTE*)&count + sizeof count);
        BTreeCursor cursor(tree);
        for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.Next()) {
            BTPageRef hold;
            int length = 0;
            const BYTE* entry = cursor.GetEntry(hold, &length);
            bytes.insert(bytes.end(), entry, entry + length);
        }
        contents.push_back(bytes);
    }
    return contents;
}

class PendingSetsFixture : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (auto& db : m_dbs) {
            if (db->IsOpen())
                db->Close();
            db->Remove();
        }
    }
    TestDatabase& Create(size_t bound)
    {
        char name[96];
        std::snprintf(name, sizeof name, "pending_%s_%d.ldt",
                      ::testing::UnitTest::GetInstance()->current_test_info()->name(), (int)m_dbs.size());
        m_dbs.emplace_back(new TestDatabase);
        TestDatabase& db = *m_dbs.back();
        db.SetPathName(name);
        db.CreateNew();
        Reopen(db);
        db.GetPendingSets().SetBound(bound);
        return db;
    }
    static void Reopen(DBDatabase& db)
    {
        if (db.IsOpen())
            db.Close();
        CFileException error;
        if (!db.OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error))
            ADD_FAILURE() << "open failed, cause " << error.m_cause;
    }

    ScratchProfileApp m_app;
    std::vector<std::unique_ptr<TestDatabase>> m_dbs;
};

// Adds past the first block of numbers, updates that move records between
// terms and workforms, deletes that empty keys, numbers used again, records
// far past the others (sets of many empty blocks) and duplicates made and
// undone.
void RunChanges(DBDatabase& db, const std::function<void(int)>& between)
{
    Add(db, 40000, 3);
    Add(db, 40001, 4);
    for (int n = 0; n < 1300; ++n)
        Add(db, n, n);
    between(0);
    for (int n = 0; n < 1300; n += 13)
        Update(db, n, n + 5000);
    between(1);
    for (int n = 7; n < 1300; n += 7)
        db.DeleteRecord(n);
    between(2);
    for (int n = 14; n < 700; n += 14)
        Add(db, n, n + 9000);
    Add(db, 2100, 77);
    Add(db, 2101, 78);
    Add(db, 2102, 78);
    db.DeleteRecord(40000);
    db.DeleteRecord(2101);
}

} // namespace

TEST_F(PendingSetsFixture, TreesHoldTheSameBytesWhateverTheBound)
{
    // Bound 0 writes every record's sets before the next record: what writing
    // each change at once gives. A small bound writes and drops them often; a
    // large one keeps them all until the commit, with reads in between.
    TestDatabase& direct = Create(0);
    TestDatabase& small = Create(64 * 1024);
    TestDatabase& large = Create(DBPendingSets::kDefaultBound);
    RunChanges(direct, [](int) {});
    RunChanges(small, [](int) {});
    RunChanges(large, [&](int step) {
        // A reader between changes sees every pending set.
        if (step == 1) {
            DBRecordSet found;
            large.GetWordIndex().FindAllWords("zebra", large.GetAllRecords(), found);
            EXPECT_GT(found.GetCount(), 0);
            EXPECT_FALSE(large.GetPendingSets().HasPending());
        }
    });
    EXPECT_TRUE(large.GetPendingSets().HasPending());
    EXPECT_GT(direct.GetDuplicateRecords().GetCount(), 0);
    for (DBDatabase* db : {(DBDatabase*)&direct, (DBDatabase*)&small, (DBDatabase*)&large})
        Reopen(*db);
    const auto expected = SetTreeContents(direct);
    EXPECT_TRUE(SetTreeContents(small) == expected);
    EXPECT_TRUE(SetTreeContents(large) == expected);
}

TEST_F(PendingSetsFixture, FailedRecordChangeLeavesNoTraceInTheSets)
{
    TestDatabase& reference = Create(DBPendingSets::kDefaultBound);
    TestDatabase& faulted = Create(DBPendingSets::kDefaultBound);
    for (TestDatabase* db : {&reference, &faulted}) {
        for (int n = 0; n < 300; ++n)
            Add(*db, n, n);
    }
    // Fails after every index set took the change: a new key, a set grown
    // past its blocks, an update moving terms, a delete emptying keys.
    const std::function<void()> failing[] = {
        [&] { Add(faulted, 5000, 7 * 1000); },
        [&] { Add(faulted, 2048, 3); },
        [&] { Update(faulted, 10, 7 * 2000); },
        [&] { faulted.DeleteRecord(21); },
    };
    for (const auto& change : failing) {
        faulted.failNextSlot = true;
        EXPECT_TRUE(Raises<CNotSupportedException>(change));
    }
    for (TestDatabase* db : {&reference, &faulted}) {
        for (int n = 300; n < 400; ++n)
            Add(*db, n, n);
        db->DeleteRecord(14);
        Reopen(*db);
    }
    EXPECT_TRUE(SetTreeContents(faulted) == SetTreeContents(reference));
}

TEST_F(PendingSetsFixture, SearchesAndCommitsSeePendingSets)
{
    TestDatabase& db = Create(DBPendingSets::kDefaultBound);
    for (int n = 0; n < 50; ++n)
        Add(db, n, n);
    db.CommitFiles();
    EXPECT_FALSE(db.GetPendingSets().HasPending());
    // A commit that changed nothing writes nothing: no table, no set.
    BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
    db.CommitFiles();
    EXPECT_EQ(BTWriteGate::GetCount(), 0u);
    db.GetMarkedRecords().Set(3);
    db.CommitFiles();
    EXPECT_GT(BTWriteGate::GetCount(), 0u);
    BTWriteGate::Open();
    Add(db, 50, 7 * 50);
    ASSERT_TRUE(db.GetPendingSets().HasPending());
    EXPECT_EQ(Terms(db.GetKeywordIndex())["unique350"], (std::vector<int>{50}));
    Add(db, 51, 7 * 51);
    DBRecordSet workform;
    db.GetWorkformIndex().GetSet("Journal Article", workform);
    EXPECT_TRUE(workform.Contains(51));
    db.DeleteRecord(51);
    db.Close();
    Reopen(db);
    EXPECT_TRUE(db.GetMarkedRecords().Contains(3));
    const auto keywords = Terms(db.GetKeywordIndex());
    EXPECT_EQ(keywords.count("unique357"), 0u);
    EXPECT_EQ(keywords.at("unique350"), (std::vector<int>{50}));
}
