// CStopListPage: the two lists, the chooser and the term buttons.
#include "database/sort/win/StopListPage.h"

#include "app/core/win/TextCodesExchange.h"
#include "classlib/MessageBox.h"
#include "classlib/win/DDX.h"
#include "database/sort/win/StopListTermDlg.h"

IMPLEMENT_DYNCREATE(CStopListPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CStopListPage, CPropertyPage)
ON_BN_CLICKED(CStopListPage::IDC_ADD, OnAdd)
ON_BN_CLICKED(CStopListPage::IDC_EDIT, OnEdit)
ON_BN_CLICKED(CStopListPage::IDC_DELETE, OnDelete)
ON_LBN_DBLCLK(CStopListPage::IDC_TERMS, OnEdit)
ON_LBN_SELCHANGE(CStopListPage::IDC_TERMS, OnTermSelect)
ON_CBN_SELCHANGE(CStopListPage::IDC_LIST_CHOOSER, OnChooseList)
END_MESSAGE_MAP()

CStopListPage::CStopListPage()
    : CPropertyPage(static_cast<UINT>(IDD)), m_pCurrentTerms(&m_genericTerms), m_readOnly(0)
{
}

CStopListPage::CStopListPage(const CStopListPage& other)
    : CPropertyPage(other), m_authorTerms(other.m_authorTerms), m_genericTerms(other.m_genericTerms),
      m_pCurrentTerms(CurrentOf(other)), m_readOnly(other.m_readOnly)
{
}

CStopListPage& CStopListPage::operator=(const CStopListPage& other)
{
    if (this == &other)
        return *this;
    CPropertyPage::operator=(other);
    m_authorTerms = other.m_authorTerms;
    m_genericTerms = other.m_genericTerms;
    m_pCurrentTerms = CurrentOf(other);
    m_readOnly = other.m_readOnly;
    return *this;
}

CStringArray* CStopListPage::CurrentOf(const CStopListPage& other)
{
    return other.m_pCurrentTerms == &other.m_authorTerms ? static_cast<CStringArray*>(&m_authorTerms)
                                                         : &m_genericTerms;
}

BOOL CStopListPage::OnInitDialog()
{
    m_authorAtStart = m_authorTerms;
    m_genericAtStart = m_genericTerms;
    m_pCurrentTerms = &m_genericTerms;
    const BOOL bFocusFirst = CPropertyPage::OnInitDialog();
    m_chooser.ResetContent();
    m_chooser.AddString("Author");
    m_chooser.AddString("Generic");
    m_chooser.SetCurSel(chooserGeneric);
    m_terms.SetCurSel(0);
    UpdateButtons();
    return bFocusFirst;
}

void CStopListPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_ADD, m_add);
    DDX_Control(pDX, IDC_DELETE, m_delete);
    DDX_Control(pDX, IDC_EDIT, m_edit);
    DDX_Control(pDX, IDC_LIST_CHOOSER, m_chooser);
    DDX_Control(pDX, IDC_TERMS, m_terms);
    DDX_ListBoxStrings(pDX, IDC_TERMS, *m_pCurrentTerms);
}

void CStopListPage::OnReset()
{
    // Switching lists writes into the arrays while the page runs: Cancel must undo that too.
    m_authorTerms = m_authorAtStart;
    m_genericTerms = m_genericAtStart;
    CPropertyPage::OnReset();
}

void CStopListPage::OnChooseList()
{
    UpdateData(TRUE);
    m_pCurrentTerms =
        m_chooser.GetCurSel() == chooserAuthor ? static_cast<CStringArray*>(&m_authorTerms) : &m_genericTerms;
    UpdateData(FALSE);
    m_terms.SetCurSel(0);
    UpdateButtons();
}

void CStopListPage::OnAdd()
{
    if (m_readOnly)
        return;
    CStopListTermDlg dlg(this);
    dlg.m_caption = "New Stop List Term";
    if (dlg.DoModal() != IDOK)
        return;
    PutTerm(dlg.m_term);
    UpdateButtons();
}

void CStopListPage::OnEdit()
{
    const int nSel = m_terms.GetCurSel();
    if (m_readOnly || nSel < 0)
        return;
    CStopListTermDlg dlg(this);
    m_terms.GetText(nSel, dlg.m_term);
    if (dlg.DoModal() != IDOK)
        return;
    m_terms.DeleteString(static_cast<UINT>(nSel));
    PutTerm(dlg.m_term);
    UpdateButtons();
}

void CStopListPage::OnDelete()
{
    const int nSel = m_terms.GetCurSel();
    if (m_readOnly || nSel < 0)
        return;
    CString term;
    m_terms.GetText(nSel, term);
    const CString question = "Are you sure you want to delete '" + term + "' from the stop list?";
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const int nLeft = m_terms.DeleteString(static_cast<UINT>(nSel));
    if (nLeft > 0)
        m_terms.SetCurSel(nSel < nLeft ? nSel : nLeft - 1);
    UpdateButtons();
}

void CStopListPage::OnTermSelect()
{
    UpdateButtons();
}

void CStopListPage::PutTerm(const CString& term)
{
    // The exact-match search ignores case: a term typed again in other letters replaces the old spelling.
    const int nSame = m_terms.FindStringExact(-1, term);
    if (nSame >= 0)
        m_terms.DeleteString(static_cast<UINT>(nSame));
    m_terms.SetCurSel(m_terms.AddString(term));
}

void CStopListPage::UpdateButtons()
{
    const BOOL bSelected = m_terms.GetCurSel() >= 0;
    m_add.EnableWindow(!m_readOnly);
    m_edit.EnableWindow(!m_readOnly && bSelected);
    m_delete.EnableWindow(!m_readOnly && bSelected);
}
