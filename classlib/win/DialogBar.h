// CDialogBar: a control bar made from a dialog template (the controls of a form docked along a side of
// a frame: the workform editor's title, the print preview's buttons).
//
// Create takes the template (a child template), the bar style (CBRS_TOP, CBRS_BOTTOM...) with the window
// styles, and the bar's id. The template's size is the bar's size: across a side it stretches along the
// side and keeps the template's thickness. Its controls are updated at idle time through the owner frame's
// command handlers (a push button without a handler is greyed) and their commands go to that frame.
#pragma once

#include "classlib/win/ControlBar.h"

class CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)

public:
    CDialogBar();
    ~CDialogBar() override;

    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
    {
        return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
    }
    // From a template in memory.
    BOOL CreateIndirect(CWnd* pParentWnd, LPCDLGTEMPLATE lpTemplate, UINT nStyle, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CSize m_sizeDefault; // the template's size in pixels

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
