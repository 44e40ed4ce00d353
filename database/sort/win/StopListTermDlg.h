// CStopListTermDlg: the "Edit Stop List Term" dialog (template 3131), one term of a stop list.
//
// The edit control holds m_term, at most kStopListTermMax characters; OK is available only while it holds
// text, so an empty term never comes back. A non-empty m_caption replaces the template's title (the page
// asks "New Stop List Term" when adding).
#pragma once

#include "classlib/win/Button.h"
#include "classlib/win/Dialog.h"
#include "classlib/win/Edit.h"

class CStopListTermDlg : public CDialog
{
public:
    enum
    {
        IDD = 3131,
        IDC_TERM = 2304
    };

    explicit CStopListTermDlg(CWnd* pParentWnd = nullptr);

    CString m_term;
    CString m_caption; // empty: the template's title

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnTermChange();
    void UpdateOK();
    DECLARE_MESSAGE_MAP()

private:
    CEdit m_edit;
    CButton m_ok;
};
