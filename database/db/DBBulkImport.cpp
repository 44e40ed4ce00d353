#include "database/db/DBBulkImport.h"

#include "classlib/Exceptions.h"
#include "database/db/DBDatabase.h"
#include "database/db/DBRecord.h"

DBBulkImport::DBBulkImport(DBDatabase& database, size_t bound)
    : m_database(database), m_added(0), m_uncommitted(false), m_ended(false)
{
    if (!database.IsOpen() || !database.IsDatabaseWritable())
        AfxThrowNotSupportedException();
    m_sets.SetBound(bound);
    database.GetPendingSets().SetBulk(&m_sets);
}

DBBulkImport::~DBBulkImport()
{
    if (m_ended)
        return;
    try {
        if (m_uncommitted || m_sets.HasPending())
            Abandon();
        else
            m_database.GetPendingSets().SetBulk(nullptr);
    } catch (CException* e) {
        e->Delete();
    }
}

int32_t DBBulkImport::Add(DBRecord& record)
{
    if (m_ended)
        AfxThrowNotSupportedException();
    try {
        DBRecordSet& all = m_database.GetAllRecords();
        const int32_t n = all.FindFirstFree();
        if (n < 0 || n >= (int32_t)DBRecordSet::maxBlocks * DBRecordSetBlock::records)
            AfxThrowNotSupportedException();
        m_uncommitted = true;
        record.SetRecordNumber(n);
        all.Set(n);
        m_database.GetRecordTree().WriteBlob(record, (DWORD)n);
        m_database.AddToKeyIndexes(record, m_database.GetDuplicateRecords());
        ++m_added;
        return n;
    } catch (CException*) {
        Abandon();
        throw;
    }
}

void DBBulkImport::CommitSlice()
{
    if (m_ended)
        AfxThrowNotSupportedException();
    try {
        m_database.CommitFiles();
        m_uncommitted = false;
    } catch (CException*) {
        Abandon();
        throw;
    }
}

void DBBulkImport::Finish()
{
    CommitSlice();
    m_database.GetPendingSets().SetBulk(nullptr);
    m_ended = true;
}

void DBBulkImport::Abandon()
{
    m_ended = true;
    m_uncommitted = false;
    DBPendingSets& pending = m_database.GetPendingSets();
    pending.Discard();
    pending.SetBulk(nullptr);
    if (m_database.IsOpen())
        m_database.Abort();
    // The journals roll the files back to their last commit.
    try {
        CFileException error;
        m_database.OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error);
    } catch (CException* e) {
        e->Delete();
    }
}
