// CInsertFieldDlg: the list of fields and the line chosen.
#include "formatting/style/win/InsertFieldDlg.h"

#include "classlib/win/DDX.h"
#include "database/text/WorkformInfo.h"

CInsertFieldDlg::CInsertFieldDlg(const IWorkformInfo& workform, BOOL bWithCitationNumber, CWnd* pParentWnd)
    : CDialog(static_cast<UINT>(IDD), pParentWnd), m_workform(workform),
      m_bWithCitationNumber(bWithCitationNumber)
{
}

BOOL CInsertFieldDlg::OnInitDialog()
{
    HWND hWndList = ::GetDlgItem(m_hWnd, IDC_FIELDS);
    auto add = [hWndList](LPCTSTR line) {
        ::SendMessage(hWndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    };
    add("Author");
    add("Author-Title");
    add("Title");
    if (m_bWithCitationNumber)
        add("Citation Number");
    add("Date");
    add("Record ID");
    for (int n = 1; n <= 45; ++n) {
        if (m_workform.IsFieldUsed(n))
            add(FormatFieldListLine(m_workform, n));
    }
    ::SendMessage(hWndList, LB_SETCURSEL, 0, 0);
    return CDialog::OnInitDialog();
}

void CInsertFieldDlg::DoDataExchange(CDataExchange* pDX)
{
    // Only the chosen line goes out; the list is filled, not loaded.
    if (pDX->m_bSaveAndValidate)
        DDX_LBString(pDX, IDC_FIELDS, m_chosen);
}
