#include "exchange/delimited/win/ChooseWorkformDlg.h"

#include "classlib/win/DDX.h"
#include "database/text/WorkformTable.h"
#include "exchange/delimited/DelimitedImporter.h"

CChooseWorkformDlg::CChooseWorkformDlg(char letter, CWnd* pParent)
    : CDialog(IDD, pParent), m_chosenId(0), m_letter(letter), m_index(0)
{
}

BOOL CChooseWorkformDlg::OnInitDialog()
{
    char format[128] = {};
    ::GetDlgItemText(m_hWnd, IDC_QUESTION, format, sizeof format);
    CString question;
    question.Format(format, (const char*)CString(m_letter, 1));
    ::SetDlgItemText(m_hWnd, IDC_QUESTION, question);
    const HWND list = ::GetDlgItem(m_hWnd, IDC_WORKFORMS);
    const CWorkformTable& table = GetWorkformTable();
    for (int i = 0; i < table.GetCount(); ++i)
        ::SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table.GetNameAt(i)));
    return CDialog::OnInitDialog();
}

void CChooseWorkformDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, IDC_WORKFORMS, m_index);
    const CWorkformTable& table = GetWorkformTable();
    if (pDX->m_bSaveAndValidate && m_index >= 0 && m_index < table.GetCount())
        m_chosenId = table.GetIdAt(m_index);
}

BOOL CDialogWorkformLetterChooser::ChooseWorkform(char letter, int16_t& id)
{
    CChooseWorkformDlg dlg(letter);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    id = dlg.m_chosenId;
    return TRUE;
}

void InstallDelimitedExchangeWindows()
{
    static CDialogWorkformLetterChooser chooser;
    InstallDelimitedImport();
    SetWorkformLetterChooser(&chooser);
}
