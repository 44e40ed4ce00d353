#include "database/sort/DBRecordSortView.h"

#include "database/db/DBRecord.h"

DBRecordSortView::DBRecordSortView(const DBRecord& record, const CString& workformName)
    : m_record(record), m_workformName(workformName)
{
}

const StyledString& DBRecordSortView::GetField(int n) const
{
    // Codes outside 1..45 give the record's empty no-field string.
    const BYTE code = (n >= 1 && n <= DBRecord::kFieldCount) ? (BYTE)n : (BYTE)200;
    return m_record.GetField(code);
}

CString DBRecordSortView::GetRecordIdText() const
{
    return m_record.GetRecordIdText();
}

LONG DBRecordSortView::GetRecordNumber() const
{
    return (LONG)m_record.GetRecordNumber();
}
