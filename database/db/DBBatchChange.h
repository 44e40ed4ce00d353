// DBBatchChange: a batch operation (a record-set task, a walk in sort order)
// as one Change of the database its records are stored in: every record it
// saves or deletes and every index it fills is kept only when the whole
// batch is, so a failure, a Stop or a kill half way leaves the database as
// before the batch, in memory and on disk.
//
// The pending index sets are written before the Change opens (the commit
// that ends the batch writes them, and a set written inside a Change that
// is undone would be marked clean over pages put back); all records, the
// marked records and the duplicates are kept for the undo as well, since a
// batch may change them directly. Commit writes the files inside the Change
// (one commit of both files, all or nothing on disk): when that write fails,
// the batch is undone in memory too, so memory and disk stay alike.
//
// Pages changed by the batch stay in the cache until it ends (BTOperation).
// The batch's progress dialog is modal: while it runs no other change
// begins (one Change is open per process). A source that stores its records
// in no database (GetChangeDatabase NULL) gets no Change: Commit and Undo do
// nothing there.
#pragma once

#include "database/db/DBDatabase.h"

#include <memory>

class IDBRecordSource;

class DBBatchChange
{
public:
    // Opens the Change. Raises when the pending sets cannot be written
    // (nothing changed then).
    explicit DBBatchChange(IDBRecordSource& source);
    // Undoes the batch unless it was committed.
    ~DBBatchChange();
    DBBatchChange(const DBBatchChange&) = delete;
    DBBatchChange& operator=(const DBBatchChange&) = delete;

    // A step inside failed: the batch will be undone whatever follows, so
    // there is no point going on with it.
    static BOOL IsDoomed();
    // Commits the database files and keeps the batch; raises when a step
    // inside failed (everything undone) or when the files' commit fails
    // (undone as the object goes).
    void Commit();
    // Puts everything back now.
    void Undo();

private:
    DBDatabase* m_database = nullptr;
    std::unique_ptr<DBDatabase::Change> m_change;
};
