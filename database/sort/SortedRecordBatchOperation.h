// SortedRecordBatchOperation: applies an operation to the records of a set
// in the order of a sort index (renumbering, bibliographies, subject lists).
//
// Run walks the whole set; Next gives one record per call. A record that is
// in the set but cannot be opened fails the run (Run FALSE): an output that
// silently stopped early would look complete.
//
// Run is one Change of the database the records are stored in (Begin and the
// walk; DBBatchChange), kept only when the walk reached its end and the files
// were committed with it: a walk that fails, is stopped or raises changes
// nothing (a renumbering is never left half done); End runs either way. Next changes what
// each Apply changes, one record at a time.
#pragma once

#include "database/db/DBRecordSet.h"
#include "database/sort/DBSortCursor.h"

class DBRecord;
class IDBRecordSource;

class SortedRecordBatchOperation
{
public:
    SortedRecordBatchOperation(IDBRecordSource* document, DBSortKeyTree* tree, const DBRecordSet& records,
                               BOOL forward);
    virtual ~SortedRecordBatchOperation();

    // TRUE when the walk reached its end; FALSE when Apply said stop, Stop was
    // pressed or a record could not be opened. End runs either way.
    virtual BOOL Run(BOOL showProgress, UINT progressTextId);
    // One record: what Apply returned for it; 0 at the end (End has run) or
    // when the record could not be opened.
    virtual LONG Next();
    // The next Next starts over.
    virtual void Reset() { currentRecord = -1; }
    virtual void Begin() {}
    // Commit the document's database.
    virtual void End();
    // Non-zero to go on.
    virtual LONG Apply(DBRecord& record) = 0;

    void SetSource(IDBRecordSource* newDocument, const DBRecordSet& records);
    LONG GetCurrentRecord() const { return currentRecord; }
    LONG GetCount() const { return count; }

protected:
    IDBRecordSource* document;
    DBRecordSet recordSet;
    DBSortCursor cursor;
    LONG forward;
    LONG currentRecord;
    LONG count;

private:
    // The steps of Run after Begin: TRUE when the walk reached its end.
    BOOL Walk(BOOL showProgress, UINT progressTextId);
    // Opens, locks, applies and unlocks; FALSE when the record cannot be opened.
    BOOL ApplyToCurrent(LONG* result);
};
