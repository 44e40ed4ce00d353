// A key-file rebuild cannot lose a database: the disk stopped at every one
// of the writes a rebuild makes (and again with that write torn) leaves a
// database that opens read-write and read-only and answers every lookup as
// before the rebuild or as after it; a rebuild that fails leaves both files
// byte for byte as they were; what an interrupted rebuild left is finished
// or undone at open; journals that belong to another database are refused.
#include "DatabaseTestSupport.h"

#include "database/db/DBKeyFileRecovery.h"
#include "database/file/BTJournal.h"
#include "database/file/BTRecoveryException.h"
#include "database/file/BTWriteGate.h"

#include <fstream>
#include <sys/stat.h>

namespace {

class RebuildRecovery : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        RemoveLeftovers();
    }
    void TearDown() override
    {
        BTWriteGate::Open();
        DatabaseFixture::TearDown();
        RemoveLeftovers();
    }
    std::string KeyPath() const { return Path(".ldx"); }
    std::string BuildPath() const { return std::string(DBKeyFileRecovery::BuildPathFor(KeyPath().c_str())); }
    // Every file a crash may leave beside the database.
    std::vector<std::string> Leftovers() const
    {
        std::vector<std::string> paths;
        for (const std::string& file : {Path(), KeyPath(), BuildPath(), Path(".old")})
            paths.push_back(std::string(BTJournal::PathFor(file.c_str())));
        paths.push_back(std::string(BTJournal::MasterPathFor(Path().c_str())));
        paths.push_back(BuildPath());
        paths.push_back(Path(".old"));
        return paths;
    }
    void RemoveLeftovers()
    {
        for (const std::string& path : Leftovers())
            std::remove(path.c_str());
    }
    std::string LeftoverFound() const
    {
        for (const std::string& path : Leftovers()) {
            if (Exists(path))
                return path;
        }
        return "";
    }

    // Records with shared terms, a duplicate pair, two groups and a third
    // sort index (which a rebuild drops, so that before and after differ).
    void MakeDatabase()
    {
        DBDatabase& db = Create();
        AddSampleRecords(db);
        const RecordFields more[] = {
            {"Zeta, Q.", "Cell division", "1995", "Science", "cells"},
            {"Young, B.\nClark, D.", "Syntax and grammar", "1968", "Language", "grammar; syntax"},
            {"Jones, A.", "Walls of the cell", "2003", "Nature", "cells; walls"},
            {"Brown, K.", "Science in history", "1979", "History Today", "history; science"},
        };
        for (const RecordFields& fields : more)
            AddNewRecord(db, fields);
        DBRecordSet* cells = db.AddGroup("Cells");
        cells->Set(0);
        cells->Set(2);
        db.SaveGroup(*cells);
        db.AddGroup("Empty");
        DBSortSpec spec = db.GetSortSpec(4);
        spec.indexBuilt = 1;
        db.SetSortSpec(4, spec);
        const DBRecordSet& all = db.GetAllRecords();
        for (int n = all.FindNext(-1); n >= 0; n = all.FindNext(n)) {
            DBRecord record;
            record.m_bAutoDelete = FALSE;
            db.ReadRecord(record, n);
            db.GetSortSlotTree(4).AddRecord(record);
        }
        db.Close();
        m_db.reset();
    }
    void Restore(const std::string& data, const std::string& keys)
    {
        RemoveLeftovers();
        WriteContents(Path(), data);
        WriteContents(KeyPath(), keys);
    }
    // Opens with every prompt answered by its default button.
    Snapshot OpenAndTake(BOOL readOnly)
    {
        CMessageBoxScript boxes;
        m_db.reset();
        Open(readOnly);
        Snapshot s = Take(*m_db);
        m_db->Close();
        m_db.reset();
        return s;
    }
};

TEST_F(RebuildRecovery, EveryWritePointOfARebuildGivesTheDatabaseBeforeOrAfter)
{
    MakeDatabase();
    const std::string data = Contents(Path()), keys = Contents(KeyPath());
    const Snapshot before = OpenAndTake(FALSE);
    ASSERT_EQ(before.answers.duplicates, (std::vector<int>{2, 4}));
    ASSERT_EQ(before.answers.sorts.size(), 3u);

    DWORD writes = 0;
    {
        CMessageBoxScript boxes;
        Open();
        BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
        m_db->RebuildKeyFile(DBDatabase::IDS_REBUILDING_KEY_FILE);
        writes = BTWriteGate::GetCount();
        BTWriteGate::Open();
        m_db->Close();
        m_db.reset();
        EXPECT_EQ(boxes.CallCount(), 0);
    }
    const Snapshot after = OpenAndTake(FALSE);
    ASSERT_FALSE(before == after);
    ASSERT_EQ(after.answers.sorts.size(), 2u);
    ASSERT_GT(writes, 20u);

    int tried = 0, old = 0, rebuilt = 0;
    for (int tear = 0; tear < 2; ++tear) {
        for (DWORD n = 0; n < writes; ++n) {
            Restore(data, keys);
            {
                CMessageBoxScript boxes;
                Open();
                BTWriteGate::StopAfter(n, tear != 0);
                try {
                    m_db->RebuildKeyFile(DBDatabase::IDS_REBUILDING_KEY_FILE);
                } catch (CException* e) {
                    // Past the crash the process sees a disk that lost writes.
                    e->Delete();
                }
                BTWriteGate::Open();
                if (m_db->IsOpen())
                    m_db->Abort();
                m_db.reset();
            }
            ++tried;
            const Snapshot found = OpenAndTake(FALSE);
            EXPECT_TRUE(found == before || found == after) << "write " << n << " tear " << tear;
            EXPECT_EQ(LeftoverFound(), "") << "write " << n << " tear " << tear;
            EXPECT_TRUE(OpenAndTake(TRUE) == found) << "read-only, write " << n << " tear " << tear;
            old += found == before;
            rebuilt += found == after;
        }
    }
    // Cut early the rebuild never happened; cut at its last writes it had.
    EXPECT_GT(old, 0);
    EXPECT_GT(rebuilt, 0);
    std::printf("[ rebuild  ] %lu write points, %d cuts tried: %d before, %d after\n", (unsigned long)writes,
                tried, old, rebuilt);
}

// A rebuild that fails (a damaged record page; No to going on) refuses the
// open and leaves both files as they were; repaired, the database answers
// as before.
TEST_F(RebuildRecovery, AFailedRebuildLeavesBothFilesAsTheyWere)
{
    MakeDatabase();
    const Snapshot before = OpenAndTake(FALSE);
    {
        // Another collation recorded: the next open asks for a rebuild.
        Open();
        m_db->GetLanguageSort().SetStoredCollationVersion(m_db->GetLanguageSort().GetCollationVersion() + 1);
        DWORD root = m_db->GetRecordTree().GetRootDescriptor().firstLeaf;
        m_db->Close();
        m_db.reset();
        std::string data = Contents(Path());
        const std::string keys = Contents(KeyPath());
        ASSERT_LT(root + 100, data.size());
        const std::string sound = data;
        // The leaf's type byte: no record on it can be read.
        data[root] = (char)0x7F;
        WriteContents(Path(), data);

        CMessageBoxScript boxes;
        boxes.PushAnswer(IDOK); // rebuild
        boxes.PushAnswer(IDNO); // a record cannot be read: stop
        m_db.reset(new DBDatabase);
        m_db->SetPathName(Path().c_str());
        CFileException error;
        EXPECT_TRUE(Raises<CUserException>(
            [&] { m_db->OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error); }));
        ASSERT_GE(boxes.CallCount(), 2);
        EXPECT_EQ(boxes.Calls()[0].helpId, 5152u);
        EXPECT_EQ(boxes.Calls()[1].promptId, 4101u);
        EXPECT_FALSE(m_db->IsOpen());
        m_db.reset();
        EXPECT_EQ(Contents(Path()), data);
        EXPECT_EQ(Contents(KeyPath()), keys);
        EXPECT_EQ(LeftoverFound(), "");
        WriteContents(Path(), sound);
    }
    // Repaired: the rebuild is offered again and carried through.
    const Snapshot repaired = OpenAndTake(FALSE);
    EXPECT_TRUE(repaired.answers.all == before.answers.all);
    EXPECT_TRUE(repaired.groups == before.groups);
    EXPECT_TRUE(repaired.searches == before.searches);
    EXPECT_TRUE(repaired.answers.authors == before.answers.authors);
}

// What an interrupted rebuild left, found at open: a new key file that never
// reached the last commit is deleted, a key file moved aside to ".old" goes
// back in place of the half-built one; the user is told, and the database
// answers as before. Read-only, the ".old" case is refused until a
// read-write open has put it back.
TEST_F(RebuildRecovery, LeftoversOfAnInterruptedRebuildAreUndoneAtOpen)
{
    MakeDatabase();
    const std::string data = Contents(Path()), keys = Contents(KeyPath());
    const Snapshot before = OpenAndTake(FALSE);
    const struct
    {
        const char* name;
        std::function<void()> leave;
    } cases[] = {
        {"unfinished new key file",
         [&] { WriteContents(BuildPath(), keys.substr(0, keys.size() / 2)); }},
        {"old key file moved aside",
         [&] {
             WriteContents(Path(".old"), keys);
             WriteContents(KeyPath(), keys.substr(0, 3000));
         }},
        {"old key file moved aside, none in place",
         [&] {
             WriteContents(Path(".old"), keys);
             std::remove(KeyPath().c_str());
         }},
    };
    for (const auto& c : cases) {
        Restore(data, keys);
        c.leave();
        const bool aside = Exists(Path(".old"));
        if (aside) {
            CMessageBoxScript boxes;
            m_db.reset(new DBDatabase);
            m_db->SetPathName(Path().c_str());
            CFileException error;
            EXPECT_TRUE(Raises<CUserException>(
                [&] { m_db->OpenDatabase(CFile::modeRead | CFile::shareDenyWrite, &error); }))
                << c.name;
            ASSERT_EQ(boxes.CallCount(), 1) << c.name;
            EXPECT_EQ(boxes.Calls()[0].helpId, (UINT)BTRecoveryException::IDP_SAVE_PENDING) << c.name;
            EXPECT_TRUE(Exists(Path(".old"))) << c.name;
            m_db.reset();
        }
        {
            CMessageBoxScript boxes;
            m_db.reset();
            Open();
            ASSERT_EQ(boxes.CallCount(), 1) << c.name;
            EXPECT_EQ(boxes.Calls()[0].helpId, (UINT)DBKeyFileRecovery::IDP_REBUILD_UNDONE) << c.name;
            EXPECT_TRUE(Take(*m_db) == before) << c.name;
            m_db->Close();
            m_db.reset();
        }
        EXPECT_EQ(LeftoverFound(), "") << c.name;
        EXPECT_EQ(Contents(KeyPath()), keys) << c.name;
        EXPECT_TRUE(OpenAndTake(TRUE) == before) << c.name;
    }
}

// Journals a crash of another database left under this one's names (a copy
// or restore over a crashed database) are refused, named, left in place,
// with both files unchanged; this database's own journals are recovered.
TEST_F(RebuildRecovery, JournalsOfAnotherDatabaseAreRefused)
{
    // The other database (one record more) crashed in a commit: both
    // journals and the master journal are left.
    MakeDatabase();
    {
        CMessageBoxScript boxes;
        Open();
        AddNewRecord(*m_db, {"Other, O.", "Another database", "2010", "Elsewhere", "other"});
        m_db->Close();
        m_db.reset();
        const std::string otherData = Contents(Path()), otherKeys = Contents(KeyPath());
        auto change = [this] {
            Open();
            for (int i = 0; i < 3; ++i)
                AddNewRecord(*m_db, {"Other, O.", "Another database", "2010", "Elsewhere", "other"});
        };
        change();
        BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
        m_db->CommitFiles();
        const DWORD writes = BTWriteGate::GetCount();
        BTWriteGate::Open();
        m_db->Abort();
        m_db.reset();
        Restore(otherData, otherKeys);
        change();
        // Stopped before the master journal goes: the commit of both is not made.
        BTWriteGate::StopAfter(writes - 3, FALSE);
        m_db->CommitFiles();
        BTWriteGate::Open();
        m_db->Abort();
        m_db.reset();
    }
    const std::string dataJournal((const char*)BTJournal::PathFor(Path().c_str()));
    const std::string keyJournal((const char*)BTJournal::PathFor(KeyPath().c_str()));
    const std::string master((const char*)BTJournal::MasterPathFor(Path().c_str()));
    ASSERT_TRUE(Exists(dataJournal) && Exists(keyJournal) && Exists(master));
    const std::map<std::string, std::string> foreign = {
        {dataJournal, Contents(dataJournal)}, {keyJournal, Contents(keyJournal)}, {master, Contents(master)}};

    // This database: sound and closed.
    RemoveLeftovers();
    for (const std::string& path : {Path(), KeyPath()})
        std::remove(path.c_str());
    MakeDatabase();
    const Snapshot before = OpenAndTake(FALSE);
    const std::string data = Contents(Path()), keys = Contents(KeyPath());

    const struct
    {
        std::vector<std::string> left;
        std::string named;
    } cases[] = {
        {{dataJournal}, dataJournal},
        {{master}, master},
        {{dataJournal, master}, dataJournal},
        {{keyJournal}, keyJournal},
        {{dataJournal, keyJournal, master}, dataJournal},
    };
    for (const auto& c : cases) {
        for (const std::string& path : c.left)
            WriteContents(path, foreign.at(path));
        for (BOOL readOnly : {TRUE, FALSE}) {
            CMessageBoxScript boxes;
            m_db.reset(new DBDatabase);
            m_db->SetPathName(Path().c_str());
            CFileException error;
            const UINT mode = readOnly ? CFile::modeRead | CFile::shareDenyWrite
                                       : CFile::modeReadWrite | CFile::shareExclusive;
            EXPECT_TRUE(Raises<CUserException>([&] { m_db->OpenDatabase(mode, &error); })) << c.named;
            ASSERT_EQ(boxes.CallCount(), 1) << c.named;
            EXPECT_EQ(boxes.Calls()[0].helpId, (UINT)BTRecoveryException::IDP_FOREIGN_JOURNAL) << c.named;
            EXPECT_NE(boxes.Calls()[0].text.Find(CString(c.named.c_str())), -1) << c.named;
            EXPECT_FALSE(m_db->IsOpen());
            m_db.reset();
            EXPECT_EQ(Contents(Path()), data) << c.named;
            EXPECT_EQ(Contents(KeyPath()), keys) << c.named;
            for (const std::string& path : c.left)
                EXPECT_EQ(Contents(path), foreign.at(path)) << c.named;
        }
        for (const std::string& path : c.left)
            std::remove(path.c_str());
        EXPECT_TRUE(OpenAndTake(FALSE) == before) << c.named;
    }

    // Its own crash in a commit is recovered: the records added are gone.
    {
        CMessageBoxScript boxes;
        Open();
        AddNewRecord(*m_db, {"Own, O.", "This database", "2011", "Here", "own"});
        BTWriteGate::StopAfter(0xFFFFFFFF, FALSE);
        m_db->CommitFiles();
        const DWORD writes = BTWriteGate::GetCount();
        m_db->Abort();
        m_db.reset();
        Restore(data, keys);
        Open();
        AddNewRecord(*m_db, {"Own, O.", "This database", "2011", "Here", "own"});
        BTWriteGate::StopAfter(writes - 3, FALSE);
        m_db->CommitFiles();
        BTWriteGate::Open();
        m_db->Abort();
        m_db.reset();
        ASSERT_TRUE(Exists(dataJournal) && Exists(master));
    }
    // Read-only, a save to finish is refused with its own message.
    {
        CMessageBoxScript boxes;
        m_db.reset(new DBDatabase);
        m_db->SetPathName(Path().c_str());
        CFileException error;
        EXPECT_TRUE(Raises<CUserException>(
            [&] { m_db->OpenDatabase(CFile::modeRead | CFile::shareDenyWrite, &error); }));
        ASSERT_EQ(boxes.CallCount(), 1);
        EXPECT_EQ(boxes.Calls()[0].helpId, (UINT)BTRecoveryException::IDP_SAVE_PENDING);
        m_db.reset();
    }
    EXPECT_TRUE(OpenAndTake(FALSE) == before);
    EXPECT_EQ(LeftoverFound(), "");
}

} // namespace
