// Records added as one bulk batch are the records added one by one: every
// record, term list, word and date lookup, search, sort slot, duplicate set
// and group answers alike, the trees hold the same entries byte for byte,
// both databases pass their whole check, and the bulk-built key file is the
// smaller. Into an empty and a non-empty database, with sorted runs forced
// by a small bound and in committed slices. A bulk commit cut at any of its
// writes leaves the database as before the batch or after a committed slice.
#include "DatabaseTestSupport.h"

#include "database/btree/BTreeCursor.h"
#include "database/db/ArchiveFunction.h"
#include "database/db/DBBulkImport.h"
#include "database/file/BTPageRef.h"
#include "database/file/BTWriteGate.h"

namespace {

const char* const kAuthors[] = {"Smith, J.", "Jones, A.", "Brown, K.", "Adams, R.",
                                "Young, B.", "Clark, D.", "Émile, Z."};
const char* const kWords[] = {"cell",   "biology", "history", "science",  "grammar",
                              "syntax", "walls",   "zebra",   "cellular", "bionic"};
const char* const kJournals[] = {"Nature", "Science", "Language", "History Today"};

// Shared terms, terms only one record has, dates with letters and BC years,
// empty fields, exact duplicates (every 50th record repeats the one before).
void MakeRecord(DBRecord& record, int seed)
{
    const int s = seed % 50 == 49 ? seed - 1 : seed;
    CString authors = kAuthors[s % 7];
    if (s % 3 == 0)
        authors += CString("\n") + kAuthors[(s / 3) % 7];
    if (s % 11 == 0) {
        CString own;
        own.Format("\nSolo%d, Q.", s);
        authors += own;
    }
    CString keywords = CString(kWords[s % 10]) + "\n" + kWords[(s / 10) % 10];
    if (s % 13 == 0) {
        CString own;
        own.Format("\nunique%d", s);
        keywords += own;
    }
    CString title;
    title.Format("%s and %s %d", kWords[(s / 2) % 10], kWords[(s / 7) % 10], s % 97);
    CString date;
    if (s % 17 == 0)
        date.Format("%d BC", 100 + s % 300);
    else if (s % 5 == 0)
        date.Format("%d%c", 1900 + s % 120, 'a' + s % 3);
    else if (s % 23 != 0)
        date.Format("%d", 1900 + s % 120);
    record.SetField(StyledString(authors), 1);
    record.SetField(StyledString(title), 4);
    if (s % 9 != 0)
        record.SetField(StyledString(kJournals[s % 4]), 10);
    record.SetField(StyledString(date), 12);
    record.SetField(StyledString(keywords), 45);
    record.SetWorkformId((int16_t)(s % 3));
    CString id;
    id.Format("%d", 1000 + seed);
    record.SetRecordIdText(id);
}

void AddOneByOne(DBDatabase& db, int first, int count)
{
    for (int seed = first; seed < first + count; ++seed) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        MakeRecord(record, seed);
        db.AddRecord(record, db.GetNextFreeRecordNumber());
    }
    db.CommitFiles();
}

// Adds in slices of `slice` records (0: one commit); the runs written.
int AddInBulk(DBDatabase& db, int first, int count, size_t bound, int slice)
{
    DBBulkImport bulk(db, bound);
    int runs = 0;
    for (int seed = first; seed < first + count; ++seed) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        MakeRecord(record, seed);
        bulk.Add(record);
        runs = std::max(runs, bulk.GetSets().GetRunCount());
        if (slice > 0 && (seed - first + 1) % slice == 0)
            bulk.CommitSlice();
    }
    bulk.Finish();
    return runs;
}

// Everything the database answers, its records and the entries of its set
// trees byte for byte.
struct FullState
{
    Snapshot snapshot;
    std::vector<std::vector<BYTE>> records;
    std::vector<std::vector<int>> words;
    std::vector<std::vector<BYTE>> trees;
    bool operator==(const FullState& o) const
    {
        return snapshot == o.snapshot && records == o.records && words == o.words && trees == o.trees;
    }
};

const char* const kWordLookups[] = {"cell", "biology zebra", "history", "syntax walls"};
const char* const kPrefixLookups[] = {"cel", "bio", "zeb"};
const char* const kMoreSearches[] = {"date > 1990",
                                     "date = 1950",
                                     "date < 0",
                                     "auth = solo*",
                                     "key = unique* or titl = zebra*",
                                     "jrnl = nature and date >= 2000"};

FullState TakeFull(DBDatabase& db)
{
    FullState state;
    state.snapshot = Take(db);
    for (const char* text : kMoreSearches) {
        DBRecordSet found;
        EXPECT_TRUE(SearchDatabaseRecords(text, db, db.GetAllRecords(), found)) << text;
        state.snapshot.searches.push_back(Numbers(found));
    }
    for (int slot = 0; slot < DBDatabase::kSortSlotCount; ++slot) {
        if (db.GetSortSpec(slot).indexBuilt)
            state.snapshot.answers.sorts.push_back(SortOrder(db, slot));
    }
    const DBRecordSet& all = db.GetAllRecords();
    for (int n = all.FindNext(-1); n >= 0; n = all.FindNext(n)) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        db.ReadRecord(record, n);
        state.records.push_back(StoredForm(record));
    }
    for (const char* text : kWordLookups) {
        DBRecordSet found;
        db.GetWordIndex().FindAllWords(text, all, found);
        state.words.push_back(Numbers(found));
    }
    for (const char* text : kPrefixLookups) {
        DBRecordSet found;
        db.GetWordIndex().FindAllWordsPrefix(text, all, found);
        state.words.push_back(Numbers(found));
    }
    BTree* trees[] = {
        &db.GetWorkformIndex(),          &db.GetAuthorIndex().GetTree(),    &db.GetJournalIndex().GetTree(),
        &db.GetTitleIndex().GetTree(),   &db.GetDateIndex().GetStartTree(), &db.GetDateIndex().GetEndTree(),
        &db.GetKeywordIndex().GetTree(), &db.GetWordIndex().GetTree(),      &db.GetDuplicateFinder()};
    for (BTree* tree : trees) {
        std::vector<BYTE> bytes;
        const DWORD counts[] = {tree->GetObjectCount(), tree->GetEntryCount()};
        bytes.insert(bytes.end(), (const BYTE*)counts, (const BYTE*)counts + sizeof counts);
        BTreeCursor cursor(tree);
        for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.Next()) {
            BTPageRef hold;
            int length = 0;
            const BYTE* entry = cursor.GetEntry(hold, &length);
            bytes.insert(bytes.end(), entry, entry + length);
        }
        state.trees.push_back(bytes);
    }
    return state;
}

// Pages of the key file that hold something.
DWORD KeyPagesInUse(DBDatabase& db)
{
    DBKeyFile& keys = db.GetKeyFile();
    return keys.GetFileEnd() / keys.GetPageStride() - keys.GetFreePageCount();
}

class BulkImport : public DatabaseFixture
{
protected:
    void TearDown() override
    {
        BTWriteGate::Open();
        DatabaseFixture::TearDown();
        std::remove(m_otherBase.c_str());
        std::remove((m_otherBase.substr(0, m_otherBase.size() - 4) + ".ldx").c_str());
    }
    // A second database beside the fixture's, made and opened read-write.
    std::unique_ptr<DBDatabase> CreateOther()
    {
        m_otherBase = m_base + "_other.ldt";
        std::remove(m_otherBase.c_str());
        std::unique_ptr<DBDatabase> db(new DBDatabase);
        db->SetPathName(m_otherBase.c_str());
        db->CreateNew();
        CFileException error;
        EXPECT_TRUE(db->OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error));
        return db;
    }
    // Both databases keep a sort slot beyond the default ones and a group.
    static void Prepare(DBDatabase& db)
    {
        DBSortSpec spec = db.GetSortSpec(5);
        spec.indexBuilt = 1;
        db.SetSortSpec(5, spec);
        DBRecordSet* group = db.AddGroup("Picked");
        for (int n = 0; n < 1200; n += 37)
            group->Set(n);
        db.SaveGroup(*group);
    }
    std::string m_otherBase;
};

struct BulkCase
{
    const char* name;
    int before; // records added one by one first, in both databases
    int added;
    size_t bound;
    int slice;
};

} // namespace

TEST_F(BulkImport, BulkBuiltDatabaseAnswersAsRecordsAddedOneByOne)
{
    const BulkCase cases[] = {
        {"into an empty database", 0, 2600, DBBulkSets::kDefaultBound, 0},
        {"runs on scratch files", 0, 2600, 16 * 1024, 0},
        {"into a non-empty database", 1200, 1500, DBBulkSets::kDefaultBound, 0},
        {"non-empty, runs and slices", 1200, 1500, 16 * 1024, 400},
        {"empty, in slices", 0, 1800, DBBulkSets::kDefaultBound, 500},
    };
    for (const BulkCase& c : cases) {
        SCOPED_TRACE(c.name);
        DBDatabase& bulkDb = Create();
        std::unique_ptr<DBDatabase> oneDb = CreateOther();
        Prepare(bulkDb);
        Prepare(*oneDb);
        // Each record's sets written at once, as a user's saves write them.
        oneDb->GetPendingSets().SetBound(0);
        if (c.before > 0) {
            AddOneByOne(bulkDb, 0, c.before);
            AddOneByOne(*oneDb, 0, c.before);
        }
        const int runs = AddInBulk(bulkDb, c.before, c.added, c.bound, c.slice);
        AddOneByOne(*oneDb, c.before, c.added);
        if (c.bound < DBBulkSets::kDefaultBound)
            EXPECT_GT(runs, 1);
        else
            EXPECT_EQ(runs, 0);

        const FullState bulkState = TakeFull(bulkDb);
        const FullState oneState = TakeFull(*oneDb);
        EXPECT_EQ(bulkState.records.size(), (size_t)(c.before + c.added));
        EXPECT_FALSE(bulkState.snapshot.answers.duplicates.empty());
        EXPECT_TRUE(bulkState.snapshot == oneState.snapshot);
        EXPECT_TRUE(bulkState.records == oneState.records);
        EXPECT_TRUE(bulkState.words == oneState.words);
        for (size_t t = 0; t < bulkState.trees.size(); ++t)
            EXPECT_TRUE(bulkState.trees[t] == oneState.trees[t]) << "tree " << t;
        EXPECT_EQ(bulkDb.Verify(), CString(""));
        EXPECT_EQ(oneDb->Verify(), CString(""));

        if (c.before == 0 && c.slice == 0)
            EXPECT_LT(KeyPagesInUse(bulkDb), KeyPagesInUse(*oneDb));
        // Closed and opened again, the bulk-built files answer the same.
        oneDb->Close();
        oneDb.reset();
        DBDatabase& reopened = Reopen();
        EXPECT_TRUE(TakeFull(reopened) == bulkState);
        reopened.Close();
        m_db.reset();
        RemoveFiles();
    }
}

TEST_F(BulkImport, EveryWritePointOfABulkCommitGivesACommittedState)
{
    // A small batch in two committed slices into a database of a few records.
    const int before = 12, slice = 20, added = 40;
    auto runBatch = [&](DBDatabase& db, std::vector<FullState>* states) {
        DBBulkImport bulk(db, 4 * 1024);
        for (int i = 0; i < added; ++i) {
            DBRecord record;
            record.m_bAutoDelete = FALSE;
            MakeRecord(record, before + i);
            bulk.Add(record);
            if ((i + 1) % slice == 0 && i + 1 < added) {
                bulk.CommitSlice();
                if (states)
                    states->push_back(TakeFull(db));
            }
        }
        bulk.Finish();
        if (states)
            states->push_back(TakeFull(db));
    };
    {
        DBDatabase& db = Create();
        AddOneByOne(db, 0, before);
        db.Close();
        m_db.reset();
    }
    auto contents = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    const std::string data = contents(Path()), keys = contents(Path(".ldx"));
    auto restore = [&] {
        for (const char* ext : {".ldt", ".ldx"})
            std::remove((Path(ext) + "-journal").c_str());
        std::remove((Path() + "-mjournal").c_str());
        std::ofstream(Path(), std::ios::binary | std::ios::trunc) << data;
        std::ofstream(Path(".ldx"), std::ios::binary | std::ios::trunc) << keys;
    };

    std::vector<FullState> committed;
    committed.push_back(TakeFull(Open()));
    DWORD writes = 0;
    {
        BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
        runBatch(*m_db, &committed);
        writes = BTWriteGate::GetCount();
        BTWriteGate::Open();
        m_db->Close();
        m_db.reset();
    }
    ASSERT_EQ(committed.size(), 3u);
    ASSERT_FALSE(committed[0] == committed[1]);
    ASSERT_FALSE(committed[1] == committed[2]);
    ASSERT_GT(writes, 10u);

    std::vector<int> seen(committed.size(), 0);
    for (int tear = 0; tear < 2; ++tear) {
        for (DWORD n = 0; n < writes; ++n) {
            restore();
            Open();
            BTWriteGate::StopAfter(n, tear != 0);
            try {
                runBatch(*m_db, nullptr);
            } catch (CException* e) {
                e->Delete();
            }
            BTWriteGate::Open();
            if (m_db->IsOpen())
                m_db->Abort();
            m_db.reset();
            const FullState found = TakeFull(Open());
            size_t match = committed.size();
            for (size_t i = 0; i < committed.size(); ++i) {
                if (found == committed[i])
                    match = i;
            }
            EXPECT_LT(match, committed.size()) << "write " << n << " tear " << tear;
            if (match < committed.size())
                ++seen[match];
            EXPECT_EQ(m_db->Verify(), CString("")) << "write " << n << " tear " << tear;
            m_db->Close();
            m_db.reset();
        }
    }
    for (size_t i = 0; i < committed.size(); ++i)
        EXPECT_GT(seen[i], 0) << "state " << i;
    std::printf("[ bulk     ] %lu write points: %d before, %d after the first slice, %d after the batch\n",
                (unsigned long)writes, seen[0], seen[1], seen[2]);
}
