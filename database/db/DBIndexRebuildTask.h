// DBIndexRebuildTask: makes the key file anew from the records.
//
// Begin moves an existing key file aside (".old"), creates a new one
// (0x8003/1047) and binds every index tree, the sort slots and the
// duplicate finder to it; Apply adds each record to every index, the slots
// whose indexBuilt is set and the duplicate finder; End takes the
// duplicates found, flushes the key file, deletes the ".old" file and
// commits the database.
//
// Abort (Stop, No after a failing record, a failed Begin or End) deletes the
// new key file, puts the ".old" one back and reopens it, and restores what
// the database's tables said of the old key file (tree roots, slot
// definitions and times, list sort, collation version, duplicates) as it was
// when the task was made, before committing: the database then is exactly
// the one before the rebuild.
#pragma once

#include "database/db/DBDatabase.h"
#include "database/db/DBRecordSetTask.h"

class DBIndexRebuildTask : public DBRecordSetTask
{
public:
    enum : UINT
    {
        IDP_KEY_FILE_CREATE_FAILED = 61700,
        IDP_KEY_FILE_REOPEN_FAILED = 61697,
        kCreateMode = 0x1012,
        kReopenMode = 0x12,
    };

    DBIndexRebuildTask(DBDatabase& database, UINT progressTitleId);

    BOOL Begin() override;
    BOOL Apply(DBRecord& record) override;
    BOOL End() override;
    BOOL Abort() override;

private:
    DBDatabase& m_db;
    DBDatabase::KeyState m_before;
    DBRecordSet m_duplicates;
    CString m_oldPath;
    BOOL m_movedAside;
    BOOL m_created;
};
