// DBFieldIndex: an index over some fields of every record, kept current by the
// database on every record change.
//
// The database calls AddRecord, UpdateRecord and RemoveRecord of each index
// in turn with the record as the key code sees it (SortKeyRecord); the kinds
// say what a field's text becomes (AddTerms, RemoveTerms). The fields covered
// are a NUL-terminated list of field numbers (1 to 45).
//
// UpdateRecord does no tree work when every covered field keeps its text and
// runs, so editing a note touches no term entry.
#pragma once

#include "classlib/Types.h"

#include <string>

class SortKeyRecord;
class StyledString;

class DBFieldIndex
{
public:
    explicit DBFieldIndex(const char* fieldList);
    virtual ~DBFieldIndex();
    DBFieldIndex(const DBFieldIndex&) = delete;
    DBFieldIndex& operator=(const DBFieldIndex&) = delete;

    const char* GetFieldList() const { return m_fieldList.c_str(); }

    void AddRecord(const SortKeyRecord& record);
    // Both are the same record (same record number) before and after a change.
    void UpdateRecord(const SortKeyRecord& oldRecord, const SortKeyRecord& newRecord);
    void RemoveRecord(const SortKeyRecord& record);

protected:
    virtual void AddTerms(LONG recordNumber, const StyledString& field) = 0;
    virtual void RemoveTerms(LONG recordNumber, const StyledString& field) = 0;

private:
    bool SameFields(const SortKeyRecord& a, const SortKeyRecord& b) const;

    std::string m_fieldList;
};
