// CPropertySheet: the frame, the layout, page switching and the OK, Cancel and Apply runs.
#include "classlib/win/PropertySheet.h"

#include "classlib/win/PropertyPage.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
ON_NOTIFY(TCN_SELCHANGING, AFX_IDC_TAB_CONTROL, OnTabSelChanging)
ON_NOTIFY(TCN_SELCHANGE, AFX_IDC_TAB_CONTROL, OnTabSelChange)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
END_MESSAGE_MAP()

namespace {

// Sizes in dialog units of the sheet's font.
const int kMargin = 7;
const int kButtonWidth = 50;
const int kButtonHeight = 14;
const int kButtonGap = 4;

HWND CreateControl(HWND hWndParent, LPCTSTR lpszClass, LPCTSTR lpszText, DWORD dwStyle, int nID)
{
    HWND hWnd = ::CreateWindowEx(0, lpszClass, lpszText, WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, 0, 0,
                                 hWndParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID)),
                                 ::GetModuleHandle(nullptr), nullptr);
    if (hWnd != nullptr)
        ::SendMessage(hWnd, WM_SETFONT, ::SendMessage(hWndParent, WM_GETFONT, 0, 0), FALSE);
    return hWnd;
}

} // namespace

CPropertySheet::CPropertySheet()
{
    Construct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::Construct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = {};
    m_psh.dwSize = sizeof m_psh;
    m_pParentWnd = pParentWnd;
    m_nActive = -1;
    m_nStartPage = iSelectPage;
    m_bModal = FALSE;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (CPropertyPage* pPage : m_pages)
        pPage->m_pSheet = nullptr;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.push_back(pPage);
    pPage->m_pSheet = this;
    if (m_hWnd == nullptr)
        return;
    // Added to a sheet on screen: its tab and window at once.
    const CString caption = pPage->GetCaption();
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(caption));
    TabCtrl_InsertItem(GetTabControl()->GetSafeHwnd(), GetPageCount() - 1, &item);
    pPage->CreatePage(this);
    LayoutSheet();
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    const int nPage = GetPageIndex(pPage);
    if (nPage < 0)
        return;
    if (m_hWnd != nullptr) {
        if (nPage == m_nActive && GetPageCount() > 1)
            ShowPage(nPage == 0 ? 1 : nPage - 1);
        TabCtrl_DeleteItem(GetTabControl()->GetSafeHwnd(), nPage);
        if (pPage->m_hWnd != nullptr)
            pPage->DestroyWindow();
    }
    m_pages.erase(m_pages.begin() + nPage);
    pPage->m_pSheet = nullptr;
    if (m_nActive > nPage || m_nActive >= GetPageCount())
        --m_nActive;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const
{
    return m_hWnd != nullptr ? m_nActive : static_cast<int>(m_nStartPage);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    const int nPage = GetActiveIndex();
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

void CPropertySheet::SetTitle(LPCTSTR lpszText)
{
    m_strCaption = lpszText;
    if (m_hWnd != nullptr)
        SetWindowText(lpszText);
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == nullptr) {
        m_nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    if (nPage == m_nActive)
        return TRUE;
    CPropertyPage* pActive = GetActivePage();
    if (pActive != nullptr && !pActive->OnKillActive())
        return FALSE;
    ShowPage(nPage);
    return TRUE;
}

void CPropertySheet::ShowPage(int nPage)
{
    CPropertyPage* pOld = GetActivePage();
    CPropertyPage* pNew = m_pages[static_cast<size_t>(nPage)];
    m_nActive = nPage;
    HWND hWndTab = GetTabControl()->GetSafeHwnd();
    if (TabCtrl_GetCurSel(hWndTab) != nPage)
        TabCtrl_SetCurSel(hWndTab, nPage);
    pNew->OnSetActive();
    pNew->ShowWindow(SW_SHOW);
    if (pOld != nullptr && pOld != pNew)
        pOld->ShowWindow(SW_HIDE);
}

INT_PTR CPropertySheet::DoModal()
{
    m_bModal = TRUE;
    m_frame = std::make_unique<CDialogTemplate>(
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK,
        WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, 0, 0, 200, 100, m_strCaption);
    InitModalIndirect(m_frame->Get(), m_pParentWnd);
    const INT_PTR nResult = CDialog::DoModal();
    m_bModal = FALSE;
    return nResult;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    m_bModal = FALSE;
    if (dwStyle == static_cast<DWORD>(-1))
        dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    if (dwStyle & WS_CHILD)
        dwStyle |= DS_CONTROL;
    m_frame = std::make_unique<CDialogTemplate>(dwStyle | DS_3DLOOK, dwExStyle | WS_EX_CONTROLPARENT, 0, 0,
                                                200, 100, m_strCaption);
    return CreateIndirect(m_frame->Get(), pParentWnd);
}

BOOL CPropertySheet::OnInitDialog()
{
    AfxInitCommonControls(ICC_TAB_CLASSES);
    HWND hWndTab =
        CreateControl(m_hWnd, WC_TABCONTROL, "", WS_TABSTOP | WS_CLIPSIBLINGS, AFX_IDC_TAB_CONTROL);
    if (hWndTab == nullptr)
        return FALSE;
    for (int i = 0; i < GetPageCount(); ++i) {
        const CString caption = m_pages[static_cast<size_t>(i)]->GetCaption();
        TCITEM item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(caption));
        TabCtrl_InsertItem(hWndTab, i, &item);
    }
    for (CPropertyPage* pPage : m_pages) {
        if (!pPage->CreatePage(this)) {
            EndDialog(-1);
            return FALSE;
        }
        // Above the tab control, which must not paint over them.
        ::SetWindowPos(pPage->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (HasButtons()) {
        CreateControl(m_hWnd, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
        CreateControl(m_hWnd, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
        if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
            CreateControl(m_hWnd, "BUTTON", "&Apply", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, ID_APPLY_NOW);
    }
    LayoutSheet();
    m_nActive = -1;
    if (GetPageCount() > 0)
        ShowPage(m_nStartPage < static_cast<UINT>(GetPageCount()) ? static_cast<int>(m_nStartPage) : 0);
    if (!m_bModal)
        return FALSE;
    CenterWindow();
    // The focus starts on the front page's first control.
    CPropertyPage* pActive = GetActivePage();
    HWND hWndFirst = pActive != nullptr ? ::GetNextDlgTabItem(pActive->m_hWnd, nullptr, FALSE) : nullptr;
    ::SetFocus(hWndFirst != nullptr ? hWndFirst : hWndTab);
    return FALSE;
}

void CPropertySheet::LayoutSheet()
{
    HWND hWndTab = GetTabControl()->GetSafeHwnd();
    CRect units(0, 0, kMargin, kMargin);
    MapDialogRect(&units);
    const int mx = units.right;
    const int my = units.bottom;
    // The largest page sets the tab control's display area.
    int cxPage = 0;
    int cyPage = 0;
    for (CPropertyPage* pPage : m_pages) {
        if (pPage->m_hWnd == nullptr)
            continue;
        CRect rc;
        pPage->GetWindowRect(&rc);
        cxPage = std::max(cxPage, static_cast<int>(rc.Width()));
        cyPage = std::max(cyPage, static_cast<int>(rc.Height()));
    }
    CRect rcTab(0, 0, cxPage, cyPage);
    TabCtrl_AdjustRect(hWndTab, TRUE, &rcTab);
    rcTab.OffsetRect(mx - rcTab.left, my - rcTab.top);
    ::SetWindowPos(hWndTab, nullptr, rcTab.left, rcTab.top, rcTab.Width(), rcTab.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcDisplay = rcTab;
    TabCtrl_AdjustRect(hWndTab, FALSE, &rcDisplay);
    for (CPropertyPage* pPage : m_pages) {
        if (pPage->m_hWnd != nullptr)
            ::SetWindowPos(pPage->m_hWnd, nullptr, rcDisplay.left, rcDisplay.top, rcDisplay.Width(),
                           rcDisplay.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CRect rcClient(0, 0, rcTab.right + mx, rcTab.bottom + my);
    if (HasButtons()) {
        CRect button(0, 0, kButtonWidth, kButtonHeight);
        MapDialogRect(&button);
        CRect gap(0, 0, kButtonGap, 0);
        MapDialogRect(&gap);
        int x = rcTab.right;
        const int y = rcTab.bottom + my;
        for (int nID : {ID_APPLY_NOW, IDCANCEL, IDOK}) {
            HWND hWndButton = ::GetDlgItem(m_hWnd, nID);
            if (hWndButton == nullptr)
                continue;
            x -= button.Width();
            ::SetWindowPos(hWndButton, nullptr, x, y, button.Width(), button.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
            x -= gap.Width();
        }
        rcClient.bottom = y + button.Height() + my;
    }
    ::AdjustWindowRectEx(&rcClient, GetStyle(), FALSE, GetExStyle());
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rcClient.Width(), rcClient.Height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPropertySheet::OnTabSelChanging(NMHDR*, LRESULT* pResult)
{
    CPropertyPage* pActive = GetActivePage();
    *pResult = (pActive != nullptr && !pActive->OnKillActive()) ? TRUE : FALSE;
}

void CPropertySheet::OnTabSelChange(NMHDR*, LRESULT* pResult)
{
    const int nPage = TabCtrl_GetCurSel(GetTabControl()->GetSafeHwnd());
    if (nPage >= 0 && nPage < GetPageCount() && nPage != m_nActive)
        ShowPage(nPage);
    *pResult = 0;
}

BOOL CPropertySheet::ApplyAll()
{
    CPropertyPage* pActive = GetActivePage();
    if (pActive != nullptr && !pActive->OnKillActive())
        return FALSE;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (!m_pages[static_cast<size_t>(i)]->OnApply()) {
            if (i != m_nActive)
                ShowPage(i);
            return FALSE;
        }
    }
    HWND hWndApply = ::GetDlgItem(m_hWnd, ID_APPLY_NOW);
    if (hWndApply != nullptr)
        ::EnableWindow(hWndApply, FALSE);
    return TRUE;
}

void CPropertySheet::PageChanged()
{
    HWND hWndApply = m_hWnd != nullptr ? ::GetDlgItem(m_hWnd, ID_APPLY_NOW) : nullptr;
    if (hWndApply != nullptr)
        ::EnableWindow(hWndApply, TRUE);
}

void CPropertySheet::OnApplyNow()
{
    ApplyAll();
}

void CPropertySheet::OnOK()
{
    // A sheet without buttons (inside a window) is never ended by the Enter key.
    if (!m_bModal)
        return;
    if (ApplyAll())
        EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    if (!m_bModal)
        return;
    CPropertyPage* pActive = GetActivePage();
    if (pActive != nullptr && !pActive->OnQueryCancel())
        return;
    for (CPropertyPage* pPage : m_pages)
        pPage->OnReset();
    EndDialog(IDCANCEL);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0 && GetPageCount() > 0 &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
        int nStep = 0;
        if (pMsg->wParam == VK_TAB)
            nStep = ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        else if (pMsg->wParam == VK_NEXT)
            nStep = 1;
        else if (pMsg->wParam == VK_PRIOR)
            nStep = -1;
        if (nStep != 0) {
            const int nCount = GetPageCount();
            SetActivePage((m_nActive + nStep + nCount) % nCount);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}
