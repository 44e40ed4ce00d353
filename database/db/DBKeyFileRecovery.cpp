#include "database/db/DBKeyFileRecovery.h"

#include "app/core/Paths.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "database/db/DBDatabase.h"
#include "database/file/BTJournal.h"
#include "database/file/BTRecoveryException.h"

namespace {

BOOL FileExists(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status);
}


} // namespace

CString DBKeyFileRecovery::BuildPathFor(const CString& keyPath)
{
    return keyPath + "-rebuild";
}

CString DBKeyFileRecovery::AsidePathFor(const CString& keyPath)
{
    return ReplaceExtension(keyPath, ".old");
}

void DBKeyFileRecovery::Resolve(DBDatabase& database)
{
    const CString keyPath = database.GetKeyFile().GetPathName();
    const CString built = BuildPathFor(keyPath);
    const CString aside = AsidePathFor(keyPath);
    BOOL bUndone = database.GetRecovery() == BTJournal::moveUndone;
    const BOOL bFinished = database.GetRecovery() == BTJournal::moveFinished;
    const BOOL bWritable = database.BTPagedFile::IsWritable();
    if (FileExists(aside)) {
        if (!bWritable)
            BTThrowSavePending(database.GetPathName());
        // The half-built key file's journal is not the old one's.
        BTJournal::Discard(keyPath);
        BTJournal::MoveOver(aside, keyPath);
        bUndone = TRUE;
    }
    if (bWritable && FileExists(built)) {
        BTJournal::Discard(built);
        BTJournal::Delete(built);
        bUndone = TRUE;
    }
    if (!bUndone && !bFinished)
        return;
    CString text;
    const UINT prompt = bFinished ? IDP_REBUILD_FINISHED : IDP_REBUILD_UNDONE;
    AfxFormatString1(text, prompt, GetFileTitleWithoutExt(database.GetPathName(), ".ldt"));
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION, prompt);
}
