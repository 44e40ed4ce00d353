// CToolTipCtrl: the common tooltip window ("tooltips_class32").
//
// Tools are areas or child windows of a window; a tool's text is a string, a string resource id, or
// LPSTR_TEXTCALLBACK, in which case the tool's window is asked with TTN_NEEDTEXT each time the tip shows.
// Mouse messages reach the control only through RelayEvent.
#pragma once

#include "classlib/win/Wnd.h"

#include <cstddef>

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)

public:
    // A popup owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void SetDelayTime(UINT nDelay)
    {
        SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(nDelay));
    }
    void SetDelayTime(DWORD dwDuration, int iTime)
    {
        SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
    }
    int SetMaxTipWidth(int iWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    // The tool (window, id) as the control holds it; FALSE when there is none.
    BOOL GetToolInfo(TOOLINFO& toolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void Pop() { SendMessage(TTM_POP); }

    // The size the control accepts from every version of the common controls.
    static const UINT kToolInfoSize = offsetof(TOOLINFOA, lpReserved);

protected:
    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
