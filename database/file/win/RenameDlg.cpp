// CRenameDlg: exchange, validation and the state of OK.
#include "database/file/win/RenameDlg.h"

#include "app/core/Paths.h"
#include "classlib/Document.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "classlib/win/DDX.h"
#include "database/file/DocumentRename.h"

BEGIN_MESSAGE_MAP(CRenameDlg, CDialog)
ON_EN_CHANGE(CRenameDlg::IDC_NEW_NAME, OnNameChange)
END_MESSAGE_MAP()

CRenameDlg::CRenameDlg(const CString& path, CWnd* pParentWnd)
    : CDialog(static_cast<UINT>(IDD), pParentWnd), m_path(path), m_fileName(AfxGetFileTitle(path)),
      m_directory(GetFileFolder(path)), m_newName(m_fileName), m_extension(GetFileExtension(path))
{
}

void CRenameDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_NEW_NAME, m_edit);
    DDX_Control(pDX, IDOK, m_ok);
    if (!pDX->m_bSaveAndValidate) {
        DDX_Text(pDX, IDC_FILE_NAME, m_fileName);
        DDX_Text(pDX, IDC_DIRECTORY, m_directory);
    }
    DDX_Text(pDX, IDC_NEW_NAME, m_newName);
    DDV_MaxChars(pDX, m_newName, maxNewName);
    if (!pDX->m_bSaveAndValidate)
        return;
    const UINT nRefusal = CheckRenameName(m_path, m_newName);
    if (nRefusal == 0)
        return;
    CString message;
    if (nRefusal == IDP_RENAME_EXISTS)
        AfxFormatString2(message, nRefusal, m_path, m_newName);
    else
        message.LoadString(nRefusal);
    AfxMessageBox(message, MB_ICONSTOP, nRefusal);
    pDX->Fail();
}

BOOL CRenameDlg::OnInitDialog()
{
    const BOOL bFocusFirst = CDialog::OnInitDialog();
    UpdateOK();
    return bFocusFirst;
}

void CRenameDlg::OnNameChange()
{
    UpdateOK();
}

void CRenameDlg::UpdateOK()
{
    CString typed;
    m_edit.GetWindowText(typed);
    m_ok.EnableWindow(!typed.IsEmpty() && typed != m_fileName);
}
