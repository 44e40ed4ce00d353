#include "exchange/delimited/win/SelectedFieldsDlg.h"

#include "classlib/win/DDX.h"
#include "database/db/win/FieldSetExchange.h"
#include "database/text/WorkformTable.h"

BEGIN_MESSAGE_MAP(CSelectedFieldsDlg, CDialog)
ON_BN_CLICKED(CSelectedFieldsDlg::ID_SELECT_ALL, OnSelectAll)
ON_BN_CLICKED(CSelectedFieldsDlg::ID_SELECT_NONE, OnSelectNone)
ON_LBN_SELCHANGE(CSelectedFieldsDlg::IDC_FIELDS, OnSelectionChanged)
END_MESSAGE_MAP()

CSelectedFieldsDlg::CSelectedFieldsDlg(FieldSet& fields, CWnd* pParent)
    : CDialog(IDD, pParent), m_fields(fields)
{
}

BOOL CSelectedFieldsDlg::OnInitDialog()
{
    char format[64] = {};
    ::GetDlgItemText(m_hWnd, IDC_COUNT, format, sizeof format);
    m_countFormat = format;
    const IWorkformInfo& names = GetWorkformTable().GetDefault();
    const HWND list = ::GetDlgItem(m_hWnd, IDC_FIELDS);
    for (int n = 1; n <= kWorkformFields; ++n) {
        CString line;
        line.Format("(%02d) %s", n, names.GetFieldName(n));
        ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((const char*)line));
    }
    const BOOL result = CDialog::OnInitDialog();
    ShowCount();
    return result;
}

void CSelectedFieldsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FIELDS, m_list);
    DDX_FieldListBox(pDX, IDC_FIELDS, m_fields);
}

void CSelectedFieldsDlg::SelectEvery(BOOL select)
{
    m_list.SetSel(-1, select);
    ShowCount();
}

void CSelectedFieldsDlg::OnSelectAll()
{
    SelectEvery(TRUE);
}

void CSelectedFieldsDlg::OnSelectNone()
{
    SelectEvery(FALSE);
}

void CSelectedFieldsDlg::OnSelectionChanged()
{
    ShowCount();
}

void CSelectedFieldsDlg::ShowCount()
{
    CString text;
    text.Format(m_countFormat, m_list.GetSelCount());
    ::SetDlgItemText(m_hWnd, IDC_COUNT, text);
}
