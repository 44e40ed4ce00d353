// DBBulkImport: many records added to a database as one batch, the way an
// import or a conversion adds them.
//
// Records are stored under ascending record numbers (the lowest free one
// each time), each in the record tree, the sort slots and the duplicate
// tree at once; the (index, key, record number) pairs they give the term,
// word, date and workform indexes are collected (DBBulkSets, bounded in
// memory, the rest in sorted runs on scratch files) and each key's set is
// made once when a slice is committed: an empty index tree is built
// bottom-up with full nodes, a non-empty one takes its new sets in one
// ordered pass. The stored forms are those of adding the records one at a
// time; only the key file's nodes are fuller.
//
// Commits: CommitSlice builds the sets and commits both files through
// their journals; Finish does so and ends the batch. A batch that fails (any
// exception of Add or CommitSlice), or ends without Finish, leaves the
// database as its last commit left it: the files are abandoned and opened
// again (read-write, exclusive), a kill is rolled back by the journals at
// the next open. When that open fails the database stays closed.
//
// Order: the batch goes before the database; no DBDatabase::Change is open
// across its calls.
#pragma once

#include "database/db/DBBulkSets.h"

#include <cstdint>

class DBDatabase;
class DBRecord;

class DBBulkImport
{
public:
    explicit DBBulkImport(DBDatabase& database, size_t bound = DBBulkSets::kDefaultBound);
    ~DBBulkImport();
    DBBulkImport(const DBBulkImport&) = delete;
    DBBulkImport& operator=(const DBBulkImport&) = delete;

    // Stores the record under the lowest free record number and returns it.
    int32_t Add(DBRecord& record);
    void CommitSlice();
    void Finish();

    int GetAdded() const { return m_added; }
    const DBBulkSets& GetSets() const { return m_sets; }

private:
    // The database back as its last commit left it.
    void Abandon();

    DBDatabase& m_database;
    DBBulkSets m_sets;
    int m_added;
    bool m_uncommitted;
    bool m_ended;
};
