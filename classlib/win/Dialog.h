// CDialog: a dialog box made from a dialog template, modal or modeless.
//
// The template comes from the program's resources (by ID or name) or from memory (InitModalIndirect,
// CreateIndirect). The dialog window is the system's dialog class subclassed by the library at creation,
// so the message map sees every message first; what it leaves goes to the system's dialog procedure.
//
// Modal (DoModal): the owner (the parent given, else the main window's top-level window) is disabled,
// the dialog is created and runs the library's modal loop, which offers every message to the thread's
// ProcessMessageFilter with code MSGF_DIALOGBOX (0) and to PreTranslateMessage (dialog keys). EndDialog
// ends the loop; the dialog is hidden, the owner enabled and activated again, then the window destroyed.
// DoModal answers the value given to EndDialog, or -1 when the dialog could not be created.
//
// Modeless (Create, CreateIndirect): the window lives until DestroyWindow; EndDialog only hides it.
//
// WM_INITDIALOG runs OnInitDialog, which loads the controls from the members (UpdateData(FALSE)).
// IDOK runs OnOK: the controls are saved and validated (UpdateData(TRUE)); a failure keeps the dialog open
// with the focus on the failing control; otherwise EndDialog(IDOK). IDCANCEL runs OnCancel:
// EndDialog(IDCANCEL) without any exchange.
#pragma once

#include "classlib/win/Wnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // A modal dialog from a template in memory; the template must outlive DoModal.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modeless creation.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Focus moves as the Tab keys move it (an edit control gets its text selected).
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
    DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDHelp;

protected:
    // The template (m_lpszTemplateName, else m_lpDialogTemplate); NULL when there is none.
    LPCDLGTEMPLATE LoadTemplate() const;
    // Creates the window from a template; the dialog procedure is the library's.
    BOOL CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent);
    // The window that owns a modal dialog.
    HWND FindModalOwner() const;

    LPCTSTR m_lpszTemplateName; // an ID as MAKEINTRESOURCE or a name
    LPCDLGTEMPLATE m_lpDialogTemplate;
    CWnd* m_pParentWnd;

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg void OnOKCommand() { OnOK(); }
    afx_msg void OnCancelCommand() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

    CString m_strTemplateName; // keeps a named template's text
};

// The dialog procedure of every library dialog: the map has had its say, so the system's defaults apply.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
