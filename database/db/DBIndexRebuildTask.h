// DBIndexRebuildTask: makes the key file anew from the records.
//
// Begin closes the key file in place without writing it and creates the new
// one (0x8003/1047) under a name of its own (DBKeyFileRecovery::BuildPathFor),
// binding every index tree, the sort slots and the duplicate finder to it;
// Apply adds each record to every index, the slots whose indexBuilt is set
// and the duplicate finder; End takes the duplicates found, writes the new
// key file whole and closes it, then commits the database with the new key
// file moved over the old one as part of that commit (BTPagedFile::
// SetCommitMove), and opens the key file in place again. Until that commit
// the database on disk is the one before the rebuild, its old key file in
// place; a crash at any point leaves one or the other for the next open
// (DBKeyFileRecovery).
//
// The records' index sets are collected as a bulk batch (DBBulkSets) and
// each new tree is built bottom-up once, at End.
//
// Abort (Stop, No after a failing record, a failed Begin) and a failed End
// delete the new key file (unless the last commit was under way: its
// recovery then decides at the next open), put back what the database's
// tables said of the old key file (tree roots, slot definitions and times,
// list sort, collation version, duplicates) as it was when the task was
// made, and open the old key file again; nothing is written. The caller
// then aborts the data file, so both files stay byte for byte as before.
#pragma once

#include "database/db/DBBulkSets.h"
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
    ~DBIndexRebuildTask() override;

    BOOL Begin() override;
    BOOL Apply(DBRecord& record) override;
    BOOL End() override;
    BOOL Abort() override;

protected:
    // The new key file is all or nothing by itself (above); one Change over
    // the rebuild would hold every page of it in memory until the end.
    BOOL RunsAsOneChange() const override { return FALSE; }

private:
    // Opens the key file in place again; FALSE (reported) when it cannot.
    BOOL ReopenKeyFile();
    // Forgets the batch's pairs and takes it from the database.
    void DropBulk();

    DBDatabase& m_db;
    DBDatabase::KeyState m_before;
    DBRecordSet m_duplicates;
    CString m_keyPath;
    CString m_buildPath;
    BOOL m_closedOld; // the key file in place was open at Begin
    BOOL m_created;
    DBBulkSets m_sets;
};
