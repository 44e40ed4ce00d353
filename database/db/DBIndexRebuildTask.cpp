#include "database/db/DBIndexRebuildTask.h"

#include "app/core/ErrorReport.h"
#include "app/core/Paths.h"
#include "classlib/Exceptions.h"

namespace {

void RemoveQuietly(const CString& path)
{
    try {
        CFile::Remove(path);
    } catch (CException* e) {
        e->Delete();
    }
}

} // namespace

DBIndexRebuildTask::DBIndexRebuildTask(DBDatabase& database, UINT progressTitleId)
    : DBRecordSetTask(database, database.GetAllRecords(), progressTitleId), m_db(database),
      m_movedAside(FALSE), m_created(FALSE)
{
    m_db.SaveKeyState(m_before);
}

BOOL DBIndexRebuildTask::Begin()
{
    DBKeyFile& keyFile = m_db.GetKeyFile();
    const CString keyPath = keyFile.GetPathName();
    if (keyFile.Exists()) {
        if (keyFile.IsOpen())
            keyFile.Close();
        m_oldPath = ReplaceExtension(keyPath, ".old");
        RemoveQuietly(m_oldPath);
        CFile::Rename(keyPath, m_oldPath);
        m_movedAside = TRUE;
    }
    keyFile.SetDocumentType(DBKeyFile::kDocumentType);
    keyFile.SetVersion(DBKeyFile::kCurrentVersion);
    CFileException error;
    if (!keyFile.OpenFile(kCreateMode, &error)) {
        ReportFileException(keyPath, &error, TRUE, IDP_KEY_FILE_CREATE_FAILED);
        return FALSE;
    }
    m_created = TRUE;
    m_db.BindKeyTrees(keyFile);
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
    m_db.GetKeyFile().FlushIfWritable();
    if (m_movedAside) {
        RemoveQuietly(m_oldPath);
        m_movedAside = FALSE;
    }
    return CommitDatabase();
}

BOOL DBIndexRebuildTask::Abort()
{
    // Sets pending for the new key file go with it.
    m_db.GetPendingSets().Discard();
    DBKeyFile& keyFile = m_db.GetKeyFile();
    const CString keyPath = keyFile.GetPathName();
    if (m_created) {
        keyFile.Abort();
        RemoveQuietly(keyPath);
        m_created = FALSE;
    }
    m_db.RestoreKeyState(m_before);
    if (m_movedAside) {
        m_movedAside = FALSE;
        CFile::Rename(m_oldPath, keyPath);
        CFileException error;
        if (!keyFile.OpenFile(kReopenMode, &error)) {
            ReportFileException(keyPath, &error, FALSE, IDP_KEY_FILE_REOPEN_FAILED);
            return FALSE;
        }
        // Opening read the file's position indexes afresh; the roots stay.
    }
    return CommitDatabase();
}
