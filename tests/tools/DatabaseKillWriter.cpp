// The database writer that scripts/kill-test kills at random points (its
// "database" mode), and the check it runs afterwards.
//
//   db_kill_writer write FILE   batches of record and group changes, each
//                               ended by the database's commit, forever;
//                               after each commit returns, FILE.committed
//                               gets the batch number
//   db_kill_writer check FILE   opens the database and prints one line: "ok",
//                               "lost N" (committed changes missing),
//                               "verify failed: ..." or "open failed"; exit
//                               status 0 only for "ok"
//
// Batch b (from 1) retitles "u b" the records of batch b - 1 whose i is a
// multiple of 4 (a record-set task, which commits at its end); adds records
// "b-0" to "b-19" titled "t b i"; deletes those
// of batch b - 2 whose i modulo 5 is 1; adds the group "Batch b" holding the
// new records whose i is a multiple of 3; and deletes the group "Batch b-4".
// The database after every batch is therefore known; the file must hold the
// state of the last committed batch, or of the one after it whole or as its
// group calls and its task left it (each commits).
//
//   db_kill_writer bulk-write FILE   bulk imports (DBBulkImport) of three
//                                    slices of kSlice records each, forever;
//                                    after each slice's commit returns,
//                                    FILE.committed gets the slice number
//   db_kill_writer bulk-check FILE   as check: the database must hold the
//                                    records of the slices committed, or of
//                                    one slice more, each whole
//
// Slice s (from 1) adds records "s-0" to "s-<kSlice - 1>" with shared and own
// authors, keywords and dates, so that the index sets grow in every tree.
#include "app/core/NativePath.h"
#include "classlib/Exceptions.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"
#include "database/db/DBBulkImport.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/db/DBRecordSetTask.h"
#include "tests/tools/KillSupport.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace {

const int kRecords = 20;

std::string Id(int b, int i)
{
    return std::to_string(b) + "-" + std::to_string(i);
}

// What the database answers: the title of every record ID, and the IDs of
// every group.
struct State
{
    std::map<std::string, std::string> titles;
    std::map<std::string, std::set<std::string>> groups;
    bool operator==(const State& o) const { return titles == o.titles && groups == o.groups; }
};

// Stages of the last batch: its group calls commit the database first
// (kGroupAdded, kGroupDropped), then the retitling task (kRetitled); the
// records and the new group's members come with the last commit (kWhole).
enum Stage
{
    kGroupAdded,
    kGroupDropped,
    kRetitled,
    kWhole,
};

State Expected(int batches, Stage stage = kWhole)
{
    State s;
    for (int b = 1; b <= batches; ++b) {
        if (b == batches && stage != kWhole) {
            s.groups["Batch " + std::to_string(b)];
            if (b > 4 && stage != kGroupAdded)
                s.groups.erase("Batch " + std::to_string(b - 4));
            for (int i = 0; b > 1 && stage == kRetitled && i < kRecords; i += 4)
                s.titles[Id(b - 1, i)] = "u " + std::to_string(b);
            break;
        }
        for (int i = 0; i < kRecords; ++i)
            s.titles[Id(b, i)] = "t " + Id(b, i);
        for (int i = 0; b > 1 && i < kRecords; i += 4)
            s.titles[Id(b - 1, i)] = "u " + std::to_string(b);
        for (int i = 1; b > 2 && i < kRecords; i += 5) {
            s.titles.erase(Id(b - 2, i));
            for (auto& group : s.groups)
                group.second.erase(Id(b - 2, i));
        }
        std::set<std::string>& group = s.groups["Batch " + std::to_string(b)];
        for (int i = 0; i < kRecords; i += 3)
            group.insert(Id(b, i));
        if (b > 4)
            s.groups.erase("Batch " + std::to_string(b - 4));
    }
    return s;
}

State Read(DBDatabase& db)
{
    State s;
    std::map<int, std::string> ids;
    const DBRecordSet& all = db.GetAllRecords();
    for (int n = all.FindNext(-1); n >= 0; n = all.FindNext(n)) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        db.ReadRecord(record, n);
        ids[n] = std::string(record.GetRecordIdText());
        s.titles[ids[n]] = std::string(record.GetField(4).text);
    }
    for (int g = 0; g < db.GetGroupCount(); ++g) {
        const DBRecordSet& group = db.GetGroup(g);
        std::set<std::string>& members = s.groups[std::string(group.name.text)];
        for (int n = group.FindNext(-1); n >= 0; n = group.FindNext(n))
            members.insert(ids.count(n) ? ids[n] : "#" + std::to_string(n));
    }
    return s;
}

bool Open(DBDatabase& db, const std::string& name)
{
    db.SetPathName(name.c_str());
    CFileException error;
    return db.OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error) != FALSE;
}

void SetTitle(DBRecord& record, const std::string& title)
{
    record.SetField(StyledString(title.c_str()), 4);
}

// Retitles every record of its set, all or nothing, and commits.
class Retitle : public DBRecordSetTask
{
public:
    Retitle(DBDatabase& db, const DBRecordSet& set, const std::string& title)
        : DBRecordSetTask(db, set, 0), m_db(db), m_title(title)
    {
    }
    BOOL Apply(DBRecord& record) override
    {
        SetTitle(record, m_title);
        m_db.UpdateRecord(record);
        return TRUE;
    }

private:
    DBDatabase& m_db;
    std::string m_title;
};

// The group calls commit: they come first, and a batch run again after a
// kill between them finds their work done.
void Batch(DBDatabase& db, int b, std::map<std::string, int32_t>& numbers)
{
    DBRecordSet* group = db.FindGroup(("Batch " + std::to_string(b)).c_str());
    if (!group)
        group = db.AddGroup(("Batch " + std::to_string(b)).c_str());
    if (b > 4)
        db.DeleteGroup(("Batch " + std::to_string(b - 4)).c_str());
    DBRecordSet older;
    for (int i = 0; b > 1 && i < kRecords; i += 4)
        older.Set(numbers[Id(b - 1, i)]);
    if (!Retitle(db, older, "u " + std::to_string(b)).Execute())
        AfxThrowUserException();
    for (int i = 0; i < kRecords; ++i) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        record.SetRecordIdText(Id(b, i).c_str());
        SetTitle(record, "t " + Id(b, i));
        record.SetField(StyledString(("Writer" + std::to_string(i % 5) + ", A.").c_str()), 1);
        record.SetField(StyledString(std::to_string(1900 + b % 100).c_str()), 12);
        const int32_t number = db.GetNextFreeRecordNumber();
        db.AddRecord(record, number);
        numbers[Id(b, i)] = number;
    }
    for (int i = 1; b > 2 && i < kRecords; i += 5) {
        db.DeleteRecord(numbers[Id(b - 2, i)]);
        numbers.erase(Id(b - 2, i));
    }
    for (int i = 0; i < kRecords; i += 3)
        group->Set(numbers[Id(b, i)]);
    db.SaveGroup(*group);
}

int Write(const std::string& name)
{
    DBDatabase db;
    db.SetPathName(name.c_str());
    if (Committed(name) == 0)
        db.CreateNew();
    if (!Open(db, name))
        return 2;
    std::map<std::string, int32_t> numbers;
    const DBRecordSet& all = db.GetAllRecords();
    for (int n = all.FindNext(-1); n >= 0; n = all.FindNext(n)) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        db.ReadRecord(record, n);
        numbers[std::string(record.GetRecordIdText())] = n;
    }
    // The last run may have been killed between a commit and its count.
    if (Committed(name) > 0 && Read(db) == Expected(Committed(name) + 1))
        NoteCommitted(name, Committed(name) + 1);
    for (int b = Committed(name) + 1;; ++b) {
        Batch(db, b, numbers);
        if (!db.CommitDatabase())
            return 1;
        // Written after the commit returned: a kill in between leaves the
        // database one batch ahead of this count, which the check allows.
        NoteCommitted(name, b);
    }
}

int Check(const std::string& name)
{
    const int committed = Committed(name);
    if (committed == 0) {
        // Killed before the first commit: nothing was promised.
        std::printf("ok\n");
        return 0;
    }
    DBDatabase db;
    if (!OpenForCheck([&] { return Open(db, name); }))
        return 1;
    const CString problem = db.Verify();
    if (!problem.IsEmpty()) {
        std::printf("verify failed: %s\n", (const char*)problem);
        return 1;
    }
    const State found = Read(db);
    db.Close();
    for (const State& allowed : {Expected(committed), Expected(committed + 1, kGroupAdded),
                                 Expected(committed + 1, kGroupDropped), Expected(committed + 1, kRetitled),
                                 Expected(committed + 1)}) {
        if (found == allowed) {
            std::printf("ok\n");
            return 0;
        }
    }
    const State expected = Expected(committed);
    int lost = 0;
    for (const auto& title : expected.titles) {
        auto it = found.titles.find(title.first);
        if (it == found.titles.end() || it->second != title.second) {
            ++lost;
            std::fprintf(stderr, "record %s: \"%s\", found \"%s\"\n", title.first.c_str(), title.second.c_str(),
                         it == found.titles.end() ? "(none)" : it->second.c_str());
        }
    }
    for (const auto& group : expected.groups) {
        auto it = found.groups.find(group.first);
        if (it == found.groups.end() || it->second != group.second) {
            ++lost;
            std::fprintf(stderr, "group %s differs\n", group.first.c_str());
        }
    }
    std::printf("lost %d\n", lost > 0 ? lost : 1);
    return 1;
}

// ---- bulk imports ----

const int kSlice = 150;
const int kSlicesPerBatch = 3;

State ExpectedSlices(int slices)
{
    State s;
    for (int slice = 1; slice <= slices; ++slice) {
        for (int i = 0; i < kSlice; ++i)
            s.titles[Id(slice, i)] = "t " + Id(slice, i);
    }
    return s;
}

void FillSliceRecord(DBRecord& record, int slice, int i)
{
    record.SetRecordIdText(Id(slice, i).c_str());
    SetTitle(record, "t " + Id(slice, i));
    const std::string authors = "Writer" + std::to_string(i % 7) + ", A.\nOwn" + Id(slice, i) + ", B.";
    record.SetField(StyledString(authors.c_str()), 1);
    const std::string keywords = "kw" + std::to_string(i % 11) + "\nkw" + std::to_string(slice % 13);
    record.SetField(StyledString(keywords.c_str()), 45);
    record.SetField(StyledString(std::to_string(1800 + (slice * 7 + i) % 200).c_str()), 12);
}

int BulkWrite(const std::string& name)
{
    DBDatabase db;
    db.SetPathName(name.c_str());
    if (Committed(name) == 0)
        db.CreateNew();
    if (!Open(db, name))
        return 2;
    // The last run may have been killed between a commit and its count.
    if (Committed(name) > 0 && Read(db) == ExpectedSlices(Committed(name) + 1))
        NoteCommitted(name, Committed(name) + 1);
    for (int slice = Committed(name) + 1;;) {
        DBBulkImport bulk(db, 16 * 1024);
        for (int n = 0; n < kSlicesPerBatch; ++n, ++slice) {
            for (int i = 0; i < kSlice; ++i) {
                DBRecord record;
                record.m_bAutoDelete = FALSE;
                FillSliceRecord(record, slice, i);
                bulk.Add(record);
            }
            if (n + 1 < kSlicesPerBatch)
                bulk.CommitSlice();
            else
                bulk.Finish();
            NoteCommitted(name, slice);
        }
    }
}

int BulkCheck(const std::string& name)
{
    const int committed = Committed(name);
    if (committed == 0) {
        std::printf("ok\n");
        return 0;
    }
    DBDatabase db;
    try {
        if (!Open(db, name)) {
            std::printf("open failed\n");
            return 1;
        }
    } catch (CException* e) {
        e->Delete();
        std::printf("open failed\n");
        return 1;
    }
    const CString problem = db.Verify();
    if (!problem.IsEmpty()) {
        std::printf("verify failed: %s\n", (const char*)problem);
        return 1;
    }
    const State found = Read(db);
    db.Close();
    if (found == ExpectedSlices(committed) || found == ExpectedSlices(committed + 1)) {
        std::printf("ok\n");
        return 0;
    }
    const State expected = ExpectedSlices(committed);
    int lost = 0;
    for (const auto& title : expected.titles)
        lost += found.titles.count(title.first) == 0;
    if (lost > 0) {
        std::printf("lost %d\n", lost);
        return 1;
    }
    std::printf("neither before nor after a slice: %d records\n", (int)found.titles.size());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: db_kill_writer write|check|bulk-write|bulk-check FILE\n");
        return 2;
    }
    const std::string name = argv[2];
#ifndef _WIN32
    // The built-in defaults, from a profile of the writer's own.
    const CString profile = AfxNativePath((name + ".profile").c_str());
    CProfile::SetStoreFile(profile);
#endif
    CWinApp app("Lorvane5 Kill Writer");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Kill Writer");
    try {
        if (std::strcmp(argv[1], "write") == 0)
            return Write(name);
        if (std::strcmp(argv[1], "bulk-write") == 0)
            return BulkWrite(name);
        if (std::strcmp(argv[1], "bulk-check") == 0)
            return BulkCheck(name);
        return Check(name);
    } catch (CException* e) {
        std::printf("failed: %s\n", (const char*)e->GetErrorText());
        e->Delete();
        return 1;
    }
}
