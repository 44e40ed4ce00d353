// CStopListTermDlg: the term's exchange and the state of OK.
#include "database/sort/win/StopListTermDlg.h"

#include "classlib/win/DDX.h"
#include "database/sort/StopList.h"

BEGIN_MESSAGE_MAP(CStopListTermDlg, CDialog)
ON_EN_CHANGE(CStopListTermDlg::IDC_TERM, OnTermChange)
END_MESSAGE_MAP()

CStopListTermDlg::CStopListTermDlg(CWnd* pParentWnd) : CDialog(static_cast<UINT>(IDD), pParentWnd) {}

void CStopListTermDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_TERM, m_edit);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Text(pDX, IDC_TERM, m_term);
    DDV_MaxChars(pDX, m_term, kStopListTermMax);
}

BOOL CStopListTermDlg::OnInitDialog()
{
    const BOOL bFocusFirst = CDialog::OnInitDialog();
    if (!m_caption.IsEmpty())
        SetWindowText(m_caption);
    UpdateOK();
    return bFocusFirst;
}

void CStopListTermDlg::OnTermChange()
{
    UpdateOK();
}

void CStopListTermDlg::UpdateOK()
{
    m_ok.EnableWindow(m_edit.GetWindowTextLength() > 0);
}
