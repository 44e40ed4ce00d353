#include "database/db/DBRecordSetTask.h"

#include "app/core/ErrorReport.h"
#include "app/core/ProgressDialog.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "database/db/DBBatchChange.h"
#include "database/db/DBRecord.h"
#include "database/db/IDBRecordSource.h"

#include <memory>

DBRecordSetTask::DBRecordSetTask(IDBRecordSource& database, const DBRecordSet& records, UINT progressTextId)
    : m_database(database), m_recordSet(records), m_progressTextId(progressTextId)
{
}

DBRecordSetTask::~DBRecordSetTask() = default;

BOOL DBRecordSetTask::CommitDatabase()
{
    return m_database.CommitDatabase();
}

BOOL DBRecordSetTask::End()
{
    return CommitDatabase();
}

BOOL DBRecordSetTask::Abort()
{
    return CommitDatabase();
}

BOOL DBRecordSetTask::ApplyTo(int32_t number)
{
    DBRecord record;
    m_database.ReadRecord(record, number);
    return Apply(record);
}

BOOL DBRecordSetTask::Run()
{
    ProgressDialog progress(0, m_recordSet.GetCount(), m_progressTextId);
    int done = 0;
    for (int number = m_recordSet.FindNext(-1); number != -1; number = m_recordSet.FindNext(number)) {
        try {
            if (!ApplyTo(number))
                return FALSE;
        } catch (CException* e) {
            // A failed change dooms the batch: none of it can be kept, and
            // Execute reports the failure.
            if (DBBatchChange::IsDoomed())
                throw;
            e->Delete();
            if (AfxMessageBox(IDP_CONTINUE_AFTER_ERROR, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                return FALSE;
        }
        if (!progress.SetPos(++done))
            return FALSE;
    }
    return TRUE;
}

void DBRecordSetTask::AbortQuietly()
{
    try {
        Abort();
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
    }
}

BOOL DBRecordSetTask::Execute()
{
    std::unique_ptr<DBBatchChange> batch;
    try {
        if (RunsAsOneChange())
            batch.reset(new DBBatchChange(m_database));
        if (!Begin() || !Run()) {
            batch.reset();
            AbortQuietly();
            return FALSE;
        }
        if (batch)
            batch->Commit();
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        batch.reset();
        AbortQuietly();
        return FALSE;
    }
    try {
        return End();
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        return FALSE;
    }
}
