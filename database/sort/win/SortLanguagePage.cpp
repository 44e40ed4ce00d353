// CSortLanguagePage: the language list and its exchange.
#include "database/sort/win/SortLanguagePage.h"

#include "classlib/win/DataExchange.h"
#include "database/sort/LanguageSort.h"

IMPLEMENT_DYNCREATE(CSortLanguagePage, CPropertyPage)

namespace {

const int kGeneralCode = 1;

} // namespace

CSortLanguagePage::CSortLanguagePage() : CPropertyPage(static_cast<UINT>(IDD)), m_languageCode(-1) {}

BOOL CSortLanguagePage::OnInitDialog()
{
    CLanguageSort::RegisterLanguages();
    HWND hWndList = ::GetDlgItem(m_hWnd, IDC_LANGUAGE);
    for (int i = 0; i < CLanguageSort::GetLanguageCount(); ++i) {
        const LRESULT nItem = ::SendMessage(hWndList, CB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(CLanguageSort::GetLanguageName(i)));
        ::SendMessage(hWndList, CB_SETITEMDATA, static_cast<WPARAM>(nItem),
                      CLanguageSort::GetLanguageCode(i));
    }
    return CPropertyPage::OnInitDialog();
}

void CSortLanguagePage::DoDataExchange(CDataExchange* pDX)
{
    HWND hWndList = pDX->PrepareCtrl(IDC_LANGUAGE);
    const int nCount = static_cast<int>(::SendMessage(hWndList, CB_GETCOUNT, 0, 0));
    if (pDX->m_bSaveAndValidate) {
        const LRESULT nItem = ::SendMessage(hWndList, CB_GETCURSEL, 0, 0);
        m_languageCode = nItem == CB_ERR
                             ? kGeneralCode
                             : static_cast<int>(::SendMessage(hWndList, CB_GETITEMDATA, nItem, 0));
        return;
    }
    int nSelect = 0;
    for (int i = 0; i < nCount; ++i) {
        if (static_cast<int>(::SendMessage(hWndList, CB_GETITEMDATA, i, 0)) == m_languageCode)
            nSelect = i;
    }
    ::SendMessage(hWndList, CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0);
}
