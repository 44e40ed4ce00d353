// This engine beside a peer, natively, in one run: the same generated records
// (BenchRecords) go into a database of this project (DatabaseWork, as
// DatabaseBench does it) and into an SQLite file database with the same
// indexes kept current: a records table (number, ID, sort columns, duplicate
// key, the record's stored form), a term table keyed by (index, key, record
// number) fed by this project's own term functions (authors, journal, title,
// year, keywords, workform, word prefixes), indexes on the ID, the sort key
// and the duplicate key; one transaction, exclusive locking. Then the same
// reads: at random by number, by ID, term lookups of random records' authors
// and keywords, and a three-key sort of every record; then the same records
// imported by this project's bulk path into a new database, beside the
// peer's import (one transaction is the peer's bulk path). Prints each
// figure for both engines with the ratio (this project's rate over the
// peer's).
//   SqlitePeerBench [records]      (default 100,000)
// Built in the native release build only (bench only, not the product).
#include "bench/support/BenchRecords.h"
#include "bench/support/BenchReport.h"
#include "bench/support/DatabaseWork.h"

#include "app/core/TempFile.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"
#include "classlib/WinApp.h"
#include "database/db/DBBulkImport.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"
#include "database/db/FieldTerms.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

int recordCount = 100000;
const int kReads = 300000;
const int kLookups = 50000;

struct Figures
{
    double import = 0;      // records/s
    double bulk = 0;        // records/s, imported in bulk
    double reads = 0;       // records/s
    double idReads = 0;     // records/s
    double lookups = 0;     // records read and looked up/s
    double sortSeconds = 0; // every record sorted and walked
};

void Check(sqlite3* db, int result, const char* what)
{
    if (result != SQLITE_OK && result != SQLITE_DONE && result != SQLITE_ROW) {
        std::printf("sqlite: %s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

class Statement
{
public:
    Statement(sqlite3* db, const char* sql) : m_db(db) { Check(db, sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr), sql); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* operator*() const { return m_stmt; }
    bool Step()
    {
        const int result = sqlite3_step(m_stmt);
        Check(m_db, result, sqlite3_sql(m_stmt));
        return result == SQLITE_ROW;
    }
    void Reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
};

void Exec(sqlite3* db, const char* sql)
{
    Check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr), sql);
}

// The index numbers of the term table.
enum TermIndex
{
    kWorkform,
    kAuthor,
    kJournal,
    kTitle,
    kYear,
    kKeyword,
    kWord
};

// The (index, key) pairs of a record: what this project's indexes keep.
class Terms
{
public:
    explicit Terms(const SortKeyContext& context) : m_context(context) {}

    void Collect(DBRecord& record, std::set<std::pair<int, std::string>>& terms) const
    {
        terms.clear();
        char key[kTermKeySize];
        std::snprintf(key, sizeof key, "%d", (int)record.GetWorkformId());
        terms.emplace(kWorkform, key);
        Walk(kAuthor, GetNextAuthorTerm, record.GetField(1), terms);
        Walk(kJournal, GetWholeFieldTerm, record.GetField(10), terms);
        Walk(kTitle, GetWholeFieldTerm, record.GetField(4), terms);
        terms.emplace(kYear, (const char*)record.GetField(12).text);
        Walk(kKeyword, GetNextListTerm, record.GetField(45), terms);
        static const BYTE kWordFields[] = {1, 4, 10, 45};
        for (BYTE field : kWordFields) {
            const char* text = record.GetField(field).text;
            for (const char* at = text; *at;) {
                char prefix[kWordPrefixLength + 1];
                const int next = GetWordPrefixKey(at, prefix);
                if (*prefix)
                    terms.emplace(kWord, prefix);
                if (next <= 0)
                    break;
                at += next;
            }
        }
    }

    // The keys of one field's terms.
    void Keys(FieldTermFunction function, const StyledString& field, std::vector<std::string>& keys) const
    {
        keys.clear();
        char key[kTermKeySize];
        StyledString term;
        const int end = field.text.GetLength();
        for (int at = 0; at < end;) {
            const int next = function(m_context, field, at, key, term);
            if (*key)
                keys.emplace_back(key);
            if (next <= at)
                break;
            at = next;
        }
    }

    std::string FirstKey(FieldTermFunction function, const StyledString& field) const
    {
        std::vector<std::string> keys;
        Keys(function, field, keys);
        return keys.empty() ? std::string() : keys[0];
    }

private:
    void Walk(int index, FieldTermFunction function, const StyledString& field,
              std::set<std::pair<int, std::string>>& terms) const
    {
        std::vector<std::string> keys;
        Keys(function, field, keys);
        for (const std::string& key : keys)
            terms.emplace(index, key);
    }

    const SortKeyContext& m_context;
};

std::vector<BYTE> StoredForm(DBRecord& record)
{
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store | CArchive::bNoFlushOnDelete, 4096);
        record.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(memory.GetLength());
    memory.SeekToBegin();
    memory.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void LoadStoredForm(DBRecord& record, const void* bytes, int length)
{
    CMemFile memory(static_cast<BYTE*>(const_cast<void*>(bytes)), (UINT)length);
    CArchive ar(&memory, CArchive::load | CArchive::bNoFlushOnDelete, 4096);
    record.Serialize(ar);
    ar.Close();
}

Figures RunPeer(const SortKeyContext& context, const char* path)
{
    Figures figures;
    std::remove(path);
    sqlite3* db = nullptr;
    Check(db, sqlite3_open(path, &db), "open");
    Exec(db, "PRAGMA locking_mode=EXCLUSIVE");
    Exec(db, "CREATE TABLE records (number INTEGER PRIMARY KEY, id TEXT, author BLOB, year TEXT, title BLOB,"
             " duplicate BLOB, data BLOB)");
    Exec(db, "CREATE TABLE terms (ix INTEGER, key BLOB, number INTEGER, PRIMARY KEY (ix, key, number))"
             " WITHOUT ROWID");
    Exec(db, "CREATE INDEX records_id ON records (id)");
    Exec(db, "CREATE INDEX records_sort ON records (author, year, title)");
    Exec(db, "CREATE INDEX records_duplicate ON records (duplicate)");
    const Terms terms(context);

    BenchRestartRandom();
    BenchClock clock;
    {
        Exec(db, "BEGIN");
        Statement insert(db, "INSERT INTO records VALUES (?, ?, ?, ?, ?, ?, ?)");
        Statement term(db, "INSERT INTO terms VALUES (?, ?, ?)");
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        std::set<std::pair<int, std::string>> pairs;
        for (int i = 0; i < recordCount; ++i) {
            FillBenchRecord(record, i);
            char id[16];
            std::snprintf(id, sizeof id, "%d", 10 * (i + 1));
            record.SetRecordIdText(id);
            record.SetRecordNumber(i);
            const std::string author = terms.FirstKey(GetNextAuthorTerm, record.GetField(1));
            const std::string title = terms.FirstKey(GetWholeFieldTerm, record.GetField(4));
            const char* year = record.GetField(12).text;
            const std::string duplicate = author + '\x01' + year + '\x01' + title;
            const std::vector<BYTE> data = StoredForm(record);
            sqlite3_bind_int(*insert, 1, i);
            sqlite3_bind_text(*insert, 2, id, -1, SQLITE_STATIC);
            sqlite3_bind_blob(*insert, 3, author.data(), (int)author.size(), SQLITE_STATIC);
            sqlite3_bind_text(*insert, 4, year, -1, SQLITE_STATIC);
            sqlite3_bind_blob(*insert, 5, title.data(), (int)title.size(), SQLITE_STATIC);
            sqlite3_bind_blob(*insert, 6, duplicate.data(), (int)duplicate.size(), SQLITE_STATIC);
            sqlite3_bind_blob(*insert, 7, data.data(), (int)data.size(), SQLITE_STATIC);
            insert.Step();
            insert.Reset();
            terms.Collect(record, pairs);
            for (const auto& pair : pairs) {
                sqlite3_bind_int(*term, 1, pair.first);
                sqlite3_bind_blob(*term, 2, pair.second.data(), (int)pair.second.size(), SQLITE_STATIC);
                sqlite3_bind_int(*term, 3, i);
                term.Step();
                term.Reset();
            }
        }
        Exec(db, "COMMIT");
    }
    figures.import = recordCount / clock.Seconds();

    DBRecord record;
    record.m_bAutoDelete = FALSE;
    {
        Statement read(db, "SELECT data FROM records WHERE number = ?");
        clock.Restart();
        for (int i = 0; i < kReads; ++i) {
            sqlite3_bind_int(*read, 1, (int)(BenchRandom() % (unsigned)recordCount));
            if (!read.Step())
                std::exit(1);
            LoadStoredForm(record, sqlite3_column_blob(*read, 0), sqlite3_column_bytes(*read, 0));
            read.Reset();
        }
        figures.reads = kReads / clock.Seconds();
    }
    {
        Statement read(db, "SELECT data FROM records WHERE id = ?");
        const int idReads = kReads / 10;
        clock.Restart();
        for (int i = 0; i < idReads; ++i) {
            char id[16];
            std::snprintf(id, sizeof id, "%d", 10 * (1 + (int)(BenchRandom() % (unsigned)recordCount)));
            sqlite3_bind_text(*read, 1, id, -1, SQLITE_STATIC);
            if (!read.Step())
                std::exit(1);
            LoadStoredForm(record, sqlite3_column_blob(*read, 0), sqlite3_column_bytes(*read, 0));
            read.Reset();
        }
        figures.idReads = idReads / clock.Seconds();
    }
    {
        Statement read(db, "SELECT data FROM records WHERE number = ?");
        Statement lookup(db, "SELECT number FROM terms WHERE ix = ? AND key = ?");
        std::vector<std::string> keys;
        long hits = 0;
        clock.Restart();
        for (int i = 0; i < kLookups; ++i) {
            sqlite3_bind_int(*read, 1, (int)(BenchRandom() % (unsigned)recordCount));
            if (!read.Step())
                std::exit(1);
            LoadStoredForm(record, sqlite3_column_blob(*read, 0), sqlite3_column_bytes(*read, 0));
            read.Reset();
            const bool keywords = i % 2 != 0;
            terms.Keys(keywords ? GetNextListTerm : GetNextAuthorTerm, record.GetField(keywords ? 45 : 1), keys);
            for (const std::string& key : keys) {
                sqlite3_bind_int(*lookup, 1, keywords ? kKeyword : kAuthor);
                sqlite3_bind_blob(*lookup, 2, key.data(), (int)key.size(), SQLITE_STATIC);
                while (lookup.Step())
                    ++hits;
                lookup.Reset();
            }
        }
        figures.lookups = kLookups / clock.Seconds();
        BenchPrintValue("peer: records found per lookup", (double)hits / kLookups, "records");
    }
    {
        // Sorted by the three columns themselves, not through the index
        // kept on them: as this project builds its sort from the records.
        Statement sort(db, "SELECT number FROM records ORDER BY author || '', year || '', title || ''");
        clock.Restart();
        long walked = 0;
        while (sort.Step())
            ++walked;
        figures.sortSeconds = clock.Seconds();
        if (walked != recordCount)
            std::exit(1);
    }
    sqlite3_close(db);
    std::remove(path);
    return figures;
}

void PrintRow(const char* what, double ours, double peer, const char* unit, bool lowerIsBetter = false)
{
    const double ratio = lowerIsBetter ? (ours > 0 ? peer / ours : 0) : (peer > 0 ? ours / peer : 0);
    std::printf("%-40s %12.0f %12.0f  %s   x%.2f\n", what, ours, peer, unit, ratio);
}

void PrintSeconds(const char* what, double ours, double peer)
{
    std::printf("%-40s %12.3f %12.3f  s        x%.2f\n", what, ours, peer, ours > 0 ? peer / ours : 0);
}

void Run()
{
    CWinApp app("Lorvane5 Bench");
    app.SetRegistryKey("Quenmark");
    app.SetProfileName("Lorvane 5 Bench");
    DBDatabase db;
    const CString path = CreateBenchDatabase(db);

    Figures ours;
    BenchRestartRandom();
    ours.import = recordCount / BenchAddOneByOne(db, 0, recordCount).seconds;
    ours.reads = kReads / BenchRandomReads(db, recordCount, kReads);
    ours.idReads = kReads / 10 / BenchReadsById(db, recordCount, kReads / 10);
    double found = 0;
    ours.lookups = kLookups / BenchTermLookups(db, recordCount, kLookups, &found);
    BenchPrintValue("this project: records found per lookup", found, "records");
    double walk = 0;
    ours.sortSeconds = BenchSortAll(db, &walk);
    ours.sortSeconds += walk;

    const CString peerPath = MakeTempFileName() + ".sqlite";
    const Figures peer = RunPeer(db.GetSortKeyContext(), peerPath);
    db.Close();
    db.Remove();
    {
        DBDatabase bulkDb;
        CreateBenchDatabase(bulkDb);
        BenchRestartRandom();
        ours.bulk = recordCount / BenchAddInBulk(bulkDb, 0, recordCount, DBBulkSets::kDefaultBound).seconds;
        bulkDb.Close();
        bulkDb.Remove();
    }

    std::printf("%d records                                 this project       SQLite            ratio\n",
                recordCount);
    PrintRow("records added one by one (one commit)", ours.import, peer.import, "rec/s");
    PrintRow("records imported in bulk (one commit)", ours.bulk, peer.import, "rec/s");
    PrintRow("read by number at random", ours.reads, peer.reads, "rec/s");
    PrintRow("read by ID", ours.idReads, peer.idReads, "rec/s");
    PrintRow("term lookups (record read, terms looked up)", ours.lookups, peer.lookups, "rec/s");
    PrintSeconds("three-key sort of every record", ours.sortSeconds, peer.sortSeconds);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::atoi(argv[1]) > 0)
        recordCount = std::atoi(argv[1]);
    return BenchMain(Run);
}
