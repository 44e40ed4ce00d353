// DBRecordSetTask: a database-wide task over a record set: Begin, Apply for
// every record of the set (read straight from the database, in ascending
// record number, each into a fresh record object), then End, or Abort when
// the walk failed or was stopped; with a progress dialog and, after a record
// that cannot be read or applied, message 4101 (Yes goes on, No stops).
//
// Execute: a failed Begin runs Abort and stops. An exception from Begin or
// Run (other than a user exception, which was reported already) is reported,
// and Abort runs, so a task never leaves half its work standing as if done;
// an exception from End is reported. The result is TRUE only after End.
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
