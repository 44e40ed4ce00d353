// DBRecordSetTask: a database-wide task over a record set: Begin, Apply for
// every record of the set (read straight from the database, in ascending
// record number, each into a fresh record object), then End, or Abort when
// the walk failed or was stopped; with a progress dialog and, after a record
// that cannot be read or applied, message 4101 (Yes goes on, No stops).
//
// Execute: Begin and the walk run as one Change of the database the records
// are stored in (DBBatchChange), kept only when the walk reached its end and
// the commit of the files that closes the Change succeeded; End then runs. A failed Begin, a walk that
// stops (No, Stop, Apply FALSE) and an exception from Begin or Run (reported
// unless it is a user exception, which was reported already) undo the whole
// Change, then Abort runs: a task never leaves half its work standing, on
// disk or in memory. A change that fails inside the walk is not asked about
// (message 4101): the batch can no longer be kept, so the walk ends there.
// An exception from End is reported. The result is TRUE only after End.
//
// A task that makes its own all-or-nothing (a key file built anew beside the
// old one) runs without the Change: RunsAsOneChange FALSE.
#pragma once

#include "database/db/DBRecordSet.h"

class DBRecord;
class IDBRecordSource;

class DBRecordSetTask
{
public:
    enum
    {
        IDP_CONTINUE_AFTER_ERROR = 4101,
    };

    DBRecordSetTask(IDBRecordSource& database, const DBRecordSet& records, UINT progressTextId);
    virtual ~DBRecordSetTask();

    virtual BOOL Begin() { return TRUE; }
    // Commit the database.
    virtual BOOL End();
    virtual BOOL Abort();
    virtual BOOL Apply(DBRecord& record) = 0;
    // The walk: TRUE when every record was applied.
    virtual BOOL Run();

    BOOL Execute();

protected:
    virtual BOOL RunsAsOneChange() const { return TRUE; }
    BOOL CommitDatabase();

    IDBRecordSource& m_database;
    DBRecordSet m_recordSet;
    UINT m_progressTextId;

private:
    // One record read and applied; FALSE when Apply said stop. Raises.
    BOOL ApplyTo(int32_t number);
    // Abort after a failure, whose own exceptions are reported and dropped.
    void AbortQuietly();
};
