#include "database/file/PDocument.h"

#include "classlib/ClassLibIds.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"

IMPLEMENT_DYNAMIC(CPDocument, CFileBasedDocument)

BOOL CPDocument::OnNewDocument()
{
    if (!CFileBasedDocument::OnNewDocument())
        return FALSE;
    CString path;
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !app->DoPromptFileName(path, AFX_IDS_SAVEFILE, newFilePromptFlags, FALSE, m_pDocTemplate))
        return FALSE;

    path = AfxFullPath(path);
    CPFile* file = GetFileObject();
    file->SetPathName(path);
    m_strPathName = path;
    BOOL changed = FALSE;
    if (!EditProperties(&changed))
        return FALSE;

    CWaitCursor wait;
    try {
        file->CreateNew();
        CFileException error;
        if (!file->OpenFile(modeWriteExclusive, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, file->GetPathName());
        SetPathName(path, TRUE);
        return TRUE;
    } catch (CException* e) {
        AbortFileQuietly();
        wait.Restore();
        ReportSaveLoadException(m_strPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
}
