#include "dbwindows/core/RecordBatchOperation.h"

#include "app/core/ErrorReport.h"
#include "app/core/ProgressDialog.h"
#include "classlib/Exceptions.h"
#include "database/db/DBRecord.h"
#include "database/db/DBRecordSet.h"
#include "dbwindows/core/DBDocument.h"

#include <memory>

RecordBatchOperation::RecordBatchOperation(DBDocument& document, const DBRecordSet& records)
    : m_document(document), m_records(records), m_stopped(FALSE), m_startCount(1),
      m_setSize(records.GetCount()), m_current(-1), m_stepState(-1), m_processed(0)
{
}

RecordBatchOperation::~RecordBatchOperation() = default;

BOOL RecordBatchOperation::Begin(int /*startCount*/)
{
    m_current = m_records.FindNext(-1);
    return m_current != -1;
}

BOOL RecordBatchOperation::Next()
{
    if (m_processed >= m_setSize)
        return FALSE;
    m_current = m_records.FindNext(m_current);
    return m_current != -1;
}

void RecordBatchOperation::End()
{
    m_document.FlushIfWritable();
}

BOOL RecordBatchOperation::ApplyToCurrent(BOOL* applied)
{
    DBRecord* record = m_document.OpenRecord(m_current, 0);
    if (record == nullptr)
        return FALSE;
    record->AddRef();
    try {
        *applied = Apply(*record);
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        *applied = TRUE;
    }
    record->Release();
    return TRUE;
}

BOOL RecordBatchOperation::Run(BOOL showProgress, UINT progressTextId)
{
    std::unique_ptr<ProgressDialog> progress;
    if (showProgress)
        progress.reset(new ProgressDialog(0, m_records.GetCount(), progressTextId));
    if (Begin(m_startCount)) {
        First();
        do {
            BOOL applied = TRUE;
            if (!ApplyToCurrent(&applied) || !applied) {
                m_stopped = TRUE;
                break;
            }
            ++m_processed;
            if (progress && !progress->SetPos(m_processed)) {
                m_stopped = TRUE;
                break;
            }
        } while (Next());
    }
    End();
    return !m_stopped;
}

BOOL RecordBatchOperation::Step()
{
    if (m_stepState == -1)
        m_stepState = Begin(m_startCount) ? 1 : 0;
    if (m_stepState == 0)
        return FALSE;
    if (m_stepState == 1) {
        m_stepState = 2;
        First();
    } else if (!Next()) {
        m_stepState = 0;
        End();
        return FALSE;
    }
    BOOL applied = TRUE;
    if (!ApplyToCurrent(&applied)) {
        m_stopped = TRUE;
        m_stepState = 0;
        End();
        return FALSE;
    }
    ++m_processed;
    return TRUE;
}
