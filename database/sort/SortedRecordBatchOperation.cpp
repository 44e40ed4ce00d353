#include "database/sort/SortedRecordBatchOperation.h"

#include "app/core/ProgressDialog.h"
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
    Begin();
    std::unique_ptr<ProgressDialog> progress;
    if (showProgress)
        progress.reset(new ProgressDialog(0, recordSet.GetCount(), progressTextId));
    BOOL completed = TRUE;
    try {
        for (LONG r = cursor.SeekFirst(0, recordSet, forward);; r = cursor.Step(recordSet, forward)) {
            currentRecord = r;
            if (r == -1)
                break;
            LONG applied = 0;
            if (!ApplyToCurrent(&applied) || applied == 0) {
                completed = FALSE; // stopped by Apply, or a record that cannot be opened
                break;
            }
            if (progress) {
                ++count;
                if (!progress->SetPos(count)) {
                    completed = FALSE;
                    break;
                }
            }
        }
    } catch (...) {
        End();
        throw;
    }
    End();
    return completed;
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
