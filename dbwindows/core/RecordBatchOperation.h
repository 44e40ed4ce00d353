// RecordBatchOperation: applies one operation to every record of a set, each
// opened as the database document's record object and held around Apply;
// all at once (Run, with an optional progress dialog and Stop) or one record
// per call (Step).
//
// Records that join the set during the run are not processed: the walk ends
// after as many records as the set held at construction. Apply FALSE stops
// the run; an exception from Apply is reported (a user exception silently)
// and the record counts as done. A record of the set that cannot be opened
// stops the run too (Run FALSE): a batch that skipped it would look complete.
#pragma once

#include "classlib/Types.h"

#include <cstdint>

class DBDocument;
class DBRecord;
class DBRecordSet;

class RecordBatchOperation
{
public:
    RecordBatchOperation(DBDocument& document, const DBRecordSet& records);
    virtual ~RecordBatchOperation();

    // TRUE when every record was processed.
    virtual BOOL Run(BOOL showProgress, UINT progressTextId);
    // One record; TRUE while records remain.
    virtual BOOL Step();
    // The walk starts at the set's first record; FALSE for an empty set.
    virtual BOOL Begin(int startCount);
    virtual BOOL Next();
    virtual void First() {}
    // Commits the document's database.
    virtual void End();
    virtual BOOL Apply(DBRecord& record) = 0;

    BOOL IsStopped() const { return m_stopped; }
    int32_t GetCurrentRecord() const { return m_current; }
    int GetProcessedCount() const { return m_processed; }

protected:
    DBDocument& m_document;
    const DBRecordSet& m_records;

private:
    // Opens, holds, applies, releases; FALSE when the record cannot be
    // opened (*applied untouched) .
    BOOL ApplyToCurrent(BOOL* applied);

    BOOL m_stopped;
    int m_startCount;
    int m_setSize;
    int32_t m_current;
    int m_stepState;
    int m_processed;
};
