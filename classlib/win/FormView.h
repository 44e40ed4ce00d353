// CFormView: a view made from a dialog template, whose controls are the view's content.
//
// The template (a resource, or one built in memory) must have the WS_CHILD style; the view is created
// from it as a modeless dialog inside its frame, takes the pane id it is given and scrolls when the frame
// is smaller than the template. Keyboard navigation between the controls is the dialog's (IsDialogMessage).
// Control notifications reach the view's message map, then its document, as commands do.
#pragma once

#include "classlib/win/ScrollView.h"

class CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)

public:
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);
    // A template in memory, which must outlive the call to Create.
    explicit CFormView(const DLGTEMPLATE* lpTemplate);

    CCreateContext* GetCreateContext(LPCREATESTRUCT lpcs) override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    LPCTSTR m_lpszTemplateName;
    const DLGTEMPLATE* m_lpTemplate;
    CSize m_sizeTemplate;             // pixels, as created
    CCreateContext* m_pCreateContext; // during Create only
};
