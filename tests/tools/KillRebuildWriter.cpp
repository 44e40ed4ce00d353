// The database writer of scripts/kill-test's rebuild mode, and its check.
//
//   kill_writer rebuild-write FILE   batches of 20 records added to the
//                                    database FILE (".ldt"), each committed,
//                                    then the key file rebuilt, forever;
//                                    after each commit FILE.committed gets
//                                    the batch number, and FILE.phase says
//                                    whether it commits or rebuilds
//   kill_writer rebuild-create FILE  makes the empty database FILE (the kill
//                                    test's writers are not killed in this)
//   kill_writer rebuild-check FILE   opens the database read-write (any
//                                    recovery made, every prompt answered
//                                    by its default button), then prints one
//                                    line: "ok", "lost N" (committed records
//                                    missing), "index failure: ..." (an
//                                    index that raises or answers otherwise
//                                    than one rebuilt from the records) or
//                                    "open failed"; exit status 0 for "ok"
#include "KillRebuildWriter.h"
#include "KillSupport.h"

#include "app/core/NativePath.h"
#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/sort/DBSortCursor.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
const int kBatch = 20;

const char* const kAuthors[] = {"Smith, J.", "Jones, A.", "Brown, K.", "Adams, R.", "Young, B.", "Clark, D."};
const char* const kWords[] = {"cell", "biology", "history", "science", "grammar", "syntax", "walls", "zebra"};

// An application whose profile is a scratch one: the built-in defaults.
struct ScratchApp
{
    ScratchApp()
    {
#ifndef _WIN32
        store = MakeTempFileName();
        CProfile::SetStoreFile(AfxNativePath(store));
#endif
        app.reset(new CWinApp("Lorvane5 Kill Test"));
        app->SetRegistryKey("Quenmark");
        app->SetProfileName("Lorvane 5 Kill Test");
    }
    ~ScratchApp()
    {
        app->DeleteProfileTree();
        app.reset();
#ifndef _WIN32
        CProfile::SetStoreFile(nullptr);
        std::remove(store);
#endif
    }
    CString store;
    std::unique_ptr<CWinApp> app;
};

void AddRecord(DBDatabase& db, int k)
{
    DBRecord record;
    record.m_bAutoDelete = FALSE;
    char text[96];
    std::snprintf(text, sizeof text, "%s\n%s", kAuthors[k % 6], kAuthors[(k / 6) % 6]);
    record.SetField(StyledString(text), 1);
    std::snprintf(text, sizeof text, "%s of %s %d", kWords[k % 8], kWords[(k / 8) % 8], k % 13);
    record.SetField(StyledString(text), 4);
    std::snprintf(text, sizeof text, "%d", 1950 + k % 60);
    record.SetField(StyledString(text), 12);
    record.SetField(StyledString(kWords[(k + 3) % 8]), 10);
    std::snprintf(text, sizeof text, "%s; %s", kWords[k % 8], kWords[(k + 5) % 8]);
    record.SetField(StyledString(text), 45);
    record.SetRecordIdText(db.GetNextRecordId());
    db.AddRecord(record, db.GetNextFreeRecordNumber());
}

void SetPhase(const std::string& name, const char* phase)
{
    FILE* f = std::fopen((name + ".phase").c_str(), "w");
    std::fprintf(f, "%s\n", phase);
    std::fclose(f);
}

std::vector<int> Numbers(const DBRecordSet& set)
{
    std::vector<int> numbers;
    for (int n = set.FindNext(-1); n >= 0; n = set.FindNext(n))
        numbers.push_back(n);
    return numbers;
}

std::map<std::string, std::vector<int>> Terms(BTree& tree)
{
    std::map<std::string, std::vector<int>> terms;
    BTreeCursor cursor(&tree);
    for (BOOL on = cursor.MoveFirst(); on; on = cursor.NextKey()) {
        DBRecordSet set;
        cursor.ReadObject(set);
        terms[std::string(set.name.text)] = Numbers(set);
    }
    return terms;
}

// What the indexes answer.
std::string Answers(DBDatabase& db)
{
    std::string out;
    auto add = [&out](const std::vector<int>& numbers) {
        for (int n : numbers)
            out += std::to_string(n) + ",";
        out += ";";
    };
    for (BTree* tree : {(BTree*)&db.GetAuthorIndex().GetTree(), (BTree*)&db.GetTitleIndex().GetTree(),
                        (BTree*)&db.GetJournalIndex().GetTree(), (BTree*)&db.GetKeywordIndex().GetTree()}) {
        for (const auto& term : Terms(*tree)) {
            out += term.first + "=";
            add(term.second);
        }
    }
    for (const char* word : kWords) {
        DBRecordSet found;
        db.GetWordIndex().FindAllWords(word, db.GetAllRecords(), found);
        add(Numbers(found));
    }
    DBRecordSet workform;
    db.GetWorkformIndex().GetSet("<Default>", workform);
    add(Numbers(workform));
    add(Numbers(db.GetDuplicateRecords()));
    for (int slot : {0, 1}) {
        std::vector<int> order;
        DBSortCursor cursor(&db.GetSortSlotTree(slot));
        for (LONG n = cursor.SeekFirst(0, db.GetAllRecords(), TRUE); n != -1;
             n = cursor.Step(db.GetAllRecords(), TRUE))
            order.push_back((int)n);
        add(order);
    }
    return out;
}

BOOL OpenDatabase(DBDatabase& db, const std::string& name)
{
    db.SetPathName(name.c_str());
    CFileException error;
    return db.OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error);
}

} // namespace

int RebuildWrite(const std::string& name)
{
    ScratchApp app;
    DBDatabase db;
    db.SetPathName(name.c_str());
    if (!db.Exists())
        db.CreateNew();
    if (!OpenDatabase(db, name))
        return 2;
    for (int b = Committed(name) + 1;; ++b) {
        SetPhase(name, "commit");
        for (int k = kBatch * (b - 1); k < kBatch * b; ++k)
            AddRecord(db, k);
        db.CommitFiles();
        NoteCommitted(name, b);
        SetPhase(name, "rebuild");
        db.RebuildKeyFile(DBDatabase::IDS_REBUILDING_KEY_FILE);
    }
}

int RebuildCreate(const std::string& name)
{
    ScratchApp app;
    DBDatabase db;
    db.SetPathName(name.c_str());
    db.CreateNew();
    return 0;
}

int RebuildCheck(const std::string& name)
{
    ScratchApp app;
    CMessageBoxScript boxes; // every prompt its default answer
    DBDatabase db;
    if (!OpenForCheck([&] { return OpenDatabase(db, name); }))
        return 1;
    const int committed = Committed(name);
    const int count = db.GetAllRecords().GetCount();
    if (count < kBatch * committed) {
        std::printf("lost %d\n", kBatch * committed - count);
        return 1;
    }
    if (count > kBatch * (committed + 1)) {
        std::printf("index failure: %d records, %d committed\n", count, kBatch * committed);
        return 1;
    }
    std::string found, rebuilt;
    try {
        found = Answers(db);
    } catch (CException* e) {
        e->Delete();
        std::printf("index failure: an index raises\n");
        return 1;
    }
    db.RebuildKeyFile(DBDatabase::IDS_REBUILDING_KEY_FILE);
    rebuilt = Answers(db);
    db.Close();
    if (found != rebuilt) {
        std::printf("index failure: the indexes differ from the records\n");
        return 1;
    }
    std::printf("ok\n");
    return 0;
}
