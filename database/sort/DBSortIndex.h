// DBSortIndex: a temporary sorted index of one record set, in a scratch file
// of its own, for a set whose slot index is not worth using.
//
// It keeps copies of the set and the sort definition as they were when it was
// built; records added later are not in it. It is made for its cursors
// (deleteWhenReleased): the last cursor's Release deletes it, and its
// destruction deletes the scratch file and tells the database.
#pragma once

#include "database/db/DBRecordSet.h"
#include "database/file/BTPagedFile.h"
#include "database/sort/DBSortKeyTree.h"

class DBSortIndex : public DBSortKeyTree
{
public:
    DBSortIndex(ISortIndexDatabase* database, const DBRecordSet& records, const DBSortSpec& sortSpec);
    ~DBSortIndex() override;

    // Creates a new temporary file, opens it read-write and exclusive and
    // attaches the tree; raises the file exception with the file's name.
    void OpenScratchFile();
    // Keys every record of the set (read from the database) and commits the
    // scratch file. Raises on failure.
    void Build();

    const DBRecordSet& GetRecordSet() const { return recordSet; }
    // The database is going while a cursor still holds the index: the index
    // no longer reads it nor tells it of its own end.
    void ForgetDatabase() { m_database = nullptr; }
    const CString& GetScratchPath() const { return scratchFile.GetPathName(); }

private:
    DBRecordSet recordSet;
    BTPagedFile scratchFile;
};
