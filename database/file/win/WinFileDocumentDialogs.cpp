// CWinFileDocumentDialogs: runs the two dialogs modally over the main window.
#include "database/file/win/WinFileDocumentDialogs.h"

#include "classlib/win/PropertySheet.h"
#include "database/file/win/FilePropertiesGeneralPage.h"
#include "database/file/win/RenameDlg.h"

BOOL CWinFileDocumentDialogs::RunFileProperties(FilePropertiesFields& fields)
{
    CPropertySheet sheet(static_cast<UINT>(IDS_FILE_PROPERTIES));
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    CFilePropertiesGeneralPage page;
    page.m_fileName = fields.fileName;
    page.m_directory = fields.folder;
    page.m_comments = fields.comments;
    page.m_readOnly = fields.readOnly;
    sheet.AddPage(&page);
    if (sheet.DoModal() != IDOK)
        return FALSE;
    fields.comments = page.m_comments;
    return TRUE;
}

BOOL CWinFileDocumentDialogs::RunRename(const CString& path, CString& newName)
{
    CRenameDlg dlg(path);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    newName = dlg.m_newName;
    return TRUE;
}
