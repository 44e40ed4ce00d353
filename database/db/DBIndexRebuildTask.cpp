#include "database/db/DBIndexRebuildTask.h"

#include "app/core/ErrorReport.h"
#include "classlib/Exceptions.h"
#include "database/db/DBKeyFileRecovery.h"
#include "database/file/BTJournal.h"

namespace {

BOOL FileExists(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status);
}

void RemoveQuietly(const CString& path)
{
    try {
        BTJournal::Discard(path);
        BTJournal::Delete(path);
    } catch (CException* e) {
        e->Delete();
    }
}

} // namespace

DBIndexRebuildTask::DBIndexRebuildTask(DBDatabase& database, UINT progressTitleId)
    : DBRecordSetTask(database, database.GetAllRecords(), progressTitleId), m_db(database),
      m_closedOld(FALSE), m_created(FALSE)
{
    m_db.SaveKeyState(m_before);
}

DBIndexRebuildTask::~DBIndexRebuildTask()
{
    try {
        DropBulk();
    } catch (CException* e) {
        e->Delete();
    }
}

void DBIndexRebuildTask::DropBulk()
{
    DBPendingSets& pending = m_db.GetPendingSets();
    if (pending.GetBulk() != &m_sets)
        return;
    m_sets.Discard();
    pending.SetBulk(nullptr);
}

BOOL DBIndexRebuildTask::Begin()
{
    DBKeyFile& keyFile = m_db.GetKeyFile();
    m_keyPath = keyFile.GetPathName();
    m_buildPath = DBKeyFileRecovery::BuildPathFor(m_keyPath);
    // The key file in place stays as its last commit left it: the rebuild
    // replaces whatever this session changed in it.
    if (keyFile.IsOpen()) {
        keyFile.Abort();
        m_closedOld = TRUE;
    }
    RemoveQuietly(m_buildPath);
    keyFile.SetPathName(m_buildPath);
    keyFile.SetDocumentType(DBKeyFile::kDocumentType);
    keyFile.SetVersion(DBKeyFile::kCurrentVersion);
    CFileException error;
    if (!keyFile.OpenFile(kCreateMode, &error)) {
        ReportFileException(m_buildPath, &error, TRUE, IDP_KEY_FILE_CREATE_FAILED);
        return FALSE;
    }
    m_created = TRUE;
    m_db.BindKeyTrees(keyFile);
    m_db.GetPendingSets().SetBulk(&m_sets);
    return TRUE;
}

BOOL DBIndexRebuildTask::Apply(DBRecord& record)
{
    m_db.AddToKeyIndexes(record, m_duplicates);
    return TRUE;
}

BOOL DBIndexRebuildTask::End()
{
    m_db.GetDuplicateRecords() = m_duplicates;
    BOOL bCommitted = FALSE;
    try {
        // Every new tree built from the pairs collected.
        m_db.GetPendingSets().SetBulk(nullptr);
        DBKeyFile& keyFile = m_db.GetKeyFile();
        // The new key file whole on disk under its own name, then closed:
        // the last commit moves it in place.
        keyFile.FlushIfWritable();
        keyFile.Close();
        m_created = FALSE;
        keyFile.SetPathName(m_keyPath);
        m_db.SetCommitMove(m_buildPath, m_keyPath);
        bCommitted = CommitDatabase();
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
    }
    if (!bCommitted) {
        Abort();
        return FALSE;
    }
    return ReopenKeyFile();
}

BOOL DBIndexRebuildTask::Abort()
{
    // Sets pending for the new key file go with it.
    m_db.GetPendingSets().Discard();
    DropBulk();
    DBKeyFile& keyFile = m_db.GetKeyFile();
    if (m_created) {
        keyFile.Abort();
        m_created = FALSE;
    }
    m_db.SetCommitMove(CString(), CString());
    // A last commit cut short is its recovery's to finish or undo: the new
    // key file may already be in place, or still be needed there.
    if (!FileExists(BTJournal::MasterPathFor(m_db.GetPathName())))
        RemoveQuietly(m_buildPath);
    keyFile.SetPathName(m_keyPath);
    m_db.RestoreKeyState(m_before);
    if (!m_closedOld)
        return TRUE;
    m_closedOld = FALSE;
    return ReopenKeyFile();
}

BOOL DBIndexRebuildTask::ReopenKeyFile()
{
    // Opening reads the file's position indexes afresh; the roots stay.
    DBKeyFile& keyFile = m_db.GetKeyFile();
    CFileException error;
    if (keyFile.OpenFile(kReopenMode, &error))
        return TRUE;
    ReportFileException(m_keyPath, &error, FALSE, IDP_KEY_FILE_REOPEN_FAILED);
    return FALSE;
}
