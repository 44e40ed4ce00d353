#include "database/sort/SortedRecordBatchOperation.h"

#include "app/core/ProgressDialog.h"
#include "database/db/DBBatchChange.h"
#include "database/db/DBRecord.h"
#include "database/db/IDBRecordSource.h"

#include <memory>

SortedRecordBatchOperation::SortedRecordBatchOperation(IDBRecordSource* doc, DBSortKeyTree* tree,
                                                       const DBRecordSet& records, BOOL isForward)
    : document(doc), recordSet(records), cursor(tree), forward(isForward ? 1 : 0), currentRecord(-1), count(0)
{
}

SortedRecordBatchOperation::~SortedRecordBatchOperation() = default;

void SortedRecordBatchOperation::SetSource(IDBRecordSource* newDocument, const DBRecordSet& records)
{
    document = newDocument;
    recordSet = records;
}

void SortedRecordBatchOperation::End()
{
    if (document)
        document->CommitDatabase();
}

BOOL SortedRecordBatchOperation::ApplyToCurrent(LONG* result)
{
    DBRecord* record = document ? document->OpenRecord(currentRecord) : nullptr;
    if (!record)
        return FALSE;
    record->AddRef();
    try {
        *result = Apply(*record);
    } catch (...) {
        record->Release();
        throw;
    }
    record->Release();
    return TRUE;
}

BOOL SortedRecordBatchOperation::Run(BOOL showProgress, UINT progressTextId)
{
    BOOL completed = FALSE;
    try {
        std::unique_ptr<DBBatchChange> batch;
        if (document)
            batch.reset(new DBBatchChange(*document));
        Begin();
        completed = Walk(showProgress, progressTextId);
        if (completed && batch)
            batch->Commit();
    } catch (...) {
        End();
        throw;
    }
    End();
    return completed;
}

BOOL SortedRecordBatchOperation::Walk(BOOL showProgress, UINT progressTextId)
{
    std::unique_ptr<ProgressDialog> progress;
    if (showProgress)
        progress.reset(new ProgressDialog(0, recordSet.GetCount(), progressTextId));
    for (LONG r = cursor.SeekFirst(0, recordSet, forward);; r = cursor.Step(recordSet, forward)) {
        currentRecord = r;
        if (r == -1)
            return TRUE;
        LONG applied = 0;
        if (!ApplyToCurrent(&applied) || applied == 0)
            return FALSE; // stopped by Apply, or a record that cannot be opened
        if (progress) {
            ++count;
            if (!progress->SetPos(count))
                return FALSE;
        }
    }
}

LONG SortedRecordBatchOperation::Next()
{
    LONG r;
    if (currentRecord == -1) {
        Begin();
        r = cursor.SeekFirst(0, recordSet, forward);
    } else {
        r = cursor.Step(recordSet, forward);
    }
    currentRecord = r;
    if (r == -1) {
        End();
        return 0;
    }
    LONG result = 0;
    if (!ApplyToCurrent(&result))
        return 0;
    ++count;
    return result;
}
