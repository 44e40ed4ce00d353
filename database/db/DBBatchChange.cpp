#include "database/db/DBBatchChange.h"

#include "classlib/Exceptions.h"

#include "database/db/IDBRecordSource.h"
#include "database/file/BTOperation.h"

DBBatchChange::DBBatchChange(IDBRecordSource& source)
{
    DBDatabase* database = source.GetChangeDatabase();
    if (!database || !database->IsOpen())
        return;
    database->FlushPendingSets();
    m_database = database;
    m_change.reset(new DBDatabase::Change(*database));
    m_change->Keep(database->GetAllRecords());
    m_change->Keep(database->GetMarkedRecords());
    m_change->Keep(database->GetDuplicateRecords());
}

DBBatchChange::~DBBatchChange() = default;

BOOL DBBatchChange::IsDoomed()
{
    return BTOperation::IsDoomed();
}

void DBBatchChange::Commit()
{
    if (!m_change)
        return;
    // Nothing of a doomed batch may reach the disk.
    if (IsDoomed()) {
        Undo();
        AfxThrowArchiveException(CArchiveException::generic);
    }
    m_database->CommitFiles();
    m_change->Commit();
}

void DBBatchChange::Undo()
{
    m_change.reset();
}
