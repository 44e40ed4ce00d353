// DBRecordSortView: a stored record seen as the sort keys read it.
//
// The view refers to the record; the workform name is taken when the view is
// made. Role codes are resolved by the key builder's own lists.
#pragma once

#include "database/sort/SortKeyRecord.h"

class DBRecord;

class DBRecordSortView : public SortKeyRecord
{
public:
    DBRecordSortView(const DBRecord& record, const CString& workformName);

    const StyledString& GetField(int n) const override;
    CString GetRecordIdText() const override;
    LONG GetRecordNumber() const override;
    CString GetWorkformName() const override { return m_workformName; }

private:
    const DBRecord& m_record;
    CString m_workformName;
};
