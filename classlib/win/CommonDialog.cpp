// CCommonDialog: the owner of a common dialog and the buttons that belong to the system.
#include "classlib/win/CommonDialog.h"

#include "classlib/WinApp.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
}

void CCommonDialog::OnOK()
{
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

HWND CCommonDialog::PreModal()
{
    AfxInstallMessageFilter();
    return FindModalOwner();
}
