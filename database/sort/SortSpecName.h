// Display names of sorts, as the sort lists and dialogs show them:
// 'Author/Title/Date', 'Date (Descending)/Title'.
#pragma once

#include "classlib/CString.h"

class DBSortSpec;

// The names of record fields 1 to 45 in the built-in default workform; the
// workform table supplies them.
class DefaultFieldNames
{
public:
    virtual ~DefaultFieldNames() = default;
    virtual CString GetFieldName(int field) const = 0;
};

// The name of one key's field: the default workform's field name for 1-45,
// "Record ID" (0), "Author-Title" (250), "Workform" (252), "Date" (253),
// "Title" (254), and for 255 "Author", "First Author", "Author's Last Name"
// or "First Author's Last Name" by the sort definition's author options. Any
// other code gives the empty text.
CString GetSortFieldName(int code, const DBSortSpec& spec, const DefaultFieldNames& names);

// The names of the keys in order joined by "/", each descending key followed
// by " (Descending)"; empty for a sort definition without keys.
CString GetSortSpecName(const DBSortSpec& spec, const DefaultFieldNames& names);
