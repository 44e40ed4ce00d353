// ISortIndexDatabase: the database as its sort indexes see it.
//
// The sort indexes are built before the database object; the database
// implements this seam: its key context, workform names, its sort slots and
// scratch file, its table of temporary indexes and the duplicate index that
// the slot builder fills alongside. Duplicate detection has its own owner:
// the defaults here say "no duplicate index".
#pragma once

#include "classlib/CString.h"
#include "database/db/IDBRecordSource.h"

class BTPagedFile;
class DBRecord;
class DBSortIndex;
class DBSortKeyTree;
struct SortKeyContext;

class ISortIndexDatabase : public IDBRecordSource
{
public:
    // The language sort and stop lists every key is built with.
    virtual const SortKeyContext& GetSortKeyContext() = 0;
    // The workform's name ("<Default>" for an ID no workform has).
    virtual CString GetWorkformName(int16_t workformId) = 0;

    // Sort slots: 0 record ID, 1-6 standard, 7 custom, 8 workform, 9-53 fields.
    virtual int GetSortSlotCount() = 0;
    virtual DBSortKeyTree& GetSortSlotTree(int slot) = 0;
    // The database's own scratch file (made on first use), for indexes of a
    // database whose key file is read-only.
    virtual BTPagedFile* GetScratchFile() = 0;

    // A temporary index is going away.
    virtual void ForgetSortIndex(DBSortIndex* index) = 0;

    // Duplicate index: TRUE when its settings name a field and it is empty.
    virtual BOOL NeedsDuplicateBuild() { return FALSE; }
    virtual void AddDuplicateRecord(DBRecord& /*record*/) {}
    // Empties the duplicate index and set and turns detection off.
    virtual void ResetDuplicates() {}

protected:
    ~ISortIndexDatabase() = default;
};
