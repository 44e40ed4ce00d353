// CPropertySheet: pages behind tabs, run modal with OK, Cancel and Apply, or living modeless (as a child
// window inside another window, or as a popup without buttons).
//
// The sheet is a dialog of its own built in memory: a tab control (AFX_IDC_TAB_CONTROL) with one tab per
// page in AddPage order, and below it, when modal, the buttons OK, Cancel and Apply (ID_APPLY_NOW; left
// out with PSH_NOAPPLYNOW in m_psh.dwFlags). Every page's window is made when the sheet's is, as a child of
// the sheet over the tab control's display area; the sheet takes the size of the largest page. Only the
// front page is visible.
//
// Switching pages (a tab clicked, Ctrl+Tab / Ctrl+Shift+Tab, Ctrl+PgDn / Ctrl+PgUp, SetActivePage) asks the
// front page's OnKillActive first (FALSE refuses the switch), then the new page's OnSetActive.
// OK: the front page's OnKillActive, then OnApply of every page in order; the sheet ends with IDOK only when
// all succeeded. Apply does the same without ending. Cancel: the front page's OnQueryCancel, then OnReset of
// every page, and the sheet ends with IDCANCEL; no page is applied.
#pragma once

#include "classlib/win/Dialog.h"
#include "classlib/win/DialogTemplate.h"

#include <memory>
#include <vector>

class CPropertyPage;

// The sheet's own controls, numbered as the system's sheets number them.
#define AFX_IDC_TAB_CONTROL 0x3020
#define ID_APPLY_NOW 0x3021

class CPropertySheet : public CDialog
{
    DECLARE_DYNAMIC(CPropertySheet)

public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // Flags (PSH_NOAPPLYNOW) and the caption of the header the sheet keeps.
    PROPSHEETHEADER m_psh;

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const { return m_pages[static_cast<size_t>(nPage)]; }
    int GetPageIndex(const CPropertyPage* pPage) const;
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;
    // FALSE when the front page refuses to be left (or the index is out of range).
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    void SetTitle(LPCTSTR lpszText);
    CString GetTitle() const { return m_strCaption; }
    CWnd* GetTabControl() const { return GetDlgItem(AFX_IDC_TAB_CONTROL); }

    INT_PTR DoModal() override;
    // Modeless; dwStyle (DWORD)-1 is a captioned popup; with WS_CHILD the sheet is a control of pParentWnd.
    BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

    // A page reports a change (SetModified): Apply becomes available.
    void PageChanged();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Applies every page after the front page let go; FALSE when one refused (it comes to the front).
    BOOL ApplyAll();
    // Brings page nPage to the front without asking the page in front (the tab control asked already).
    void ShowPage(int nPage);
    // Places the tab control, the pages and the buttons; sizes the sheet around them.
    void LayoutSheet();
    BOOL HasButtons() const { return m_bModal; }

    afx_msg void OnTabSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnApplyNow();
    DECLARE_MESSAGE_MAP()

    CString m_strCaption;
    std::vector<CPropertyPage*> m_pages;
    int m_nActive;
    UINT m_nStartPage;
    BOOL m_bModal;

private:
    void Construct(CWnd* pParentWnd, UINT iSelectPage);
    std::unique_ptr<CDialogTemplate> m_frame;
};
