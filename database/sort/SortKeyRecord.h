// What a sort key reads of a record.
//
// Sort keys are built from a record's field values, its record ID, number and
// workform name. The record object implements this view (or an adapter over
// it does), so the key code never depends on how records are stored or read.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

class StyledString;

class SortKeyRecord
{
public:
    virtual ~SortKeyRecord() = default;

    // Field n, 1 to 45.
    virtual const StyledString& GetField(int n) const = 0;
    // The record ID text (1 to 20 characters in a stored record).
    virtual CString GetRecordIdText() const = 0;
    // The storage key: 0 and up, -1 for a record not yet stored.
    virtual LONG GetRecordNumber() const = 0;
    // The name of the record's workform; "<Default>" for a workform the
    // workform table does not hold.
    virtual CString GetWorkformName() const = 0;

    // The field a role code stands for in this record: 255 the first
    // non-empty of fields 1, 7; 250 of 1, 4, 7, 9, 10, 11; 254 of 4, 9, 10,
    // 11; 253 of 20, 21; the first of the list when all are empty. Every
    // other code is returned unchanged.
    int ResolveFieldRole(int code) const;
};
