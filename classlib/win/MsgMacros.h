// Message map entries for window messages (the command entries are in classlib/MessageMap.h).
//
// Each ON_WM_xxx() entry calls the class's OnXxx member with the message's arguments unpacked as the
// handler's signature states below; the handler's answer, where it has one, is the message's result.
// ON_MESSAGE and ON_REGISTERED_MESSAGE take LRESULT handler(WPARAM, LPARAM). ON_NOTIFY takes
// void handler(NMHDR*, LRESULT*); ON_CONTROL void handler(). Reflected entries (_REFLECT) are seen by the
// control that caused a notification when its parent reflects it (CWnd::OnChildNotify).
#pragma once

#include "classlib/MessageMap.h"
#include "classlib/win/AfxPriv.h"

// Marks message handlers in class declarations.
#define afx_msg

class CDC;
class CWnd;
class CMenu;
class CScrollBar;

// An entry for window message msg whose body may use `w` (the object) and `c` (the call).
#define AFX_WM_ENTRY(msg, body)                                                                              \
    {(UINT)(msg), 0, 0, 0, nullptr, [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                               \
         ThisClass* w = AFX_THIS(p);                                                                         \
         (void)w;                                                                                            \
         (void)c;                                                                                            \
         body;                                                                                               \
         return TRUE;                                                                                        \
     }},
#define AFX_CALL(fn) (w->*AFX_HANDLER(fn))
#define AFX_LO(v) ((int)(short)LOWORD(v))
#define AFX_HI(v) ((int)(short)HIWORD(v))
#define AFX_PT(v) CPoint(AFX_LO(v), AFX_HI(v))

// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) AFX_WM_ENTRY(message, c.lResult = AFX_CALL(memberFxn)(c.wParam, c.lParam))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                   \
    {0xC000, 0, 0, 0, &(nMessageVariable), [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                        \
         c.lResult = (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(c.wParam, c.lParam);                             \
         return TRUE;                                                                                        \
     }},

// Commands from controls: void memberFxn(), or BOOL memberFxn(UINT nID) for the _EX forms.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                               \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr,                                 \
     [](CCmdTarget* p, AFX_MSGCALL&) -> BOOL {                                                               \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))();                                                           \
         return TRUE;                                                                                        \
     }},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                 \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), nullptr,                             \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(c.nID);                                                      \
         return TRUE;                                                                                        \
     }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// Notifications: void memberFxn(NMHDR*, LRESULT*); _EX: BOOL memberFxn(UINT id, NMHDR*, LRESULT*).
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr,                                  \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);                                                       \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(n->pNMHDR, n->pResult);                                      \
         return TRUE;                                                                                        \
     }},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                  \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), nullptr,                              \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);                                                       \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(c.nID, n->pNMHDR, n->pResult);                               \
         return TRUE;                                                                                        \
     }},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                             \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr,                                  \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);                                                       \
         return (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(c.nID, n->pNMHDR, n->pResult);                        \
     }},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                               \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), nullptr,                              \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);                                                       \
         return (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(c.nID, n->pNMHDR, n->pResult);                        \
     }},

// Reflected to the control itself.  ON_CONTROL_REFLECT: void memberFxn(); _EX: BOOL memberFxn().
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                           \
    {WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, nullptr,                                 \
     [](CCmdTarget* p, AFX_MSGCALL&) -> BOOL {                                                               \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))();                                                           \
         return TRUE;                                                                                        \
     }},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                        \
    {WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, nullptr,                                 \
     [](CCmdTarget* p, AFX_MSGCALL&) -> BOOL { return (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(); }},
// void memberFxn(NMHDR*, LRESULT*); _EX: BOOL memberFxn(NMHDR*, LRESULT*).
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                            \
    {WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, nullptr,                                  \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);                                                       \
         (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(n->pNMHDR, n->pResult);                                      \
         return TRUE;                                                                                        \
     }},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                         \
    {WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, nullptr,                                  \
     [](CCmdTarget* p, AFX_MSGCALL& c) -> BOOL {                                                             \
         auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);                                                       \
         return (AFX_THIS(p)->*AFX_HANDLER(memberFxn))(n->pNMHDR, n->pResult);                               \
     }},
// HBRUSH CtlColor(CDC*, UINT nCtlColor): a NULL brush means "not handled".
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    AFX_WM_ENTRY(WM_CTLCOLOR + WM_REFLECT_BASE, auto* cc = reinterpret_cast<AFX_CTLCOLOR*>(c.lParam);         \
                 c.lResult = (LRESULT)AFX_CALL(CtlColor)(CDC::FromHandle(cc->hDC), cc->nCtlType))
// void DrawItem(LPDRAWITEMSTRUCT), void MeasureItem(LPMEASUREITEMSTRUCT), int CompareItem(...),
// void DeleteItem(...), void HScroll(UINT nSBCode, UINT nPos), void VScroll(UINT nSBCode, UINT nPos).
#define ON_WM_DRAWITEM_REFLECT()                                                                             \
    AFX_WM_ENTRY(WM_DRAWITEM + WM_REFLECT_BASE, AFX_CALL(DrawItem)((LPDRAWITEMSTRUCT)c.lParam); c.lResult = TRUE)
#define ON_WM_MEASUREITEM_REFLECT()                                                                          \
    AFX_WM_ENTRY(WM_MEASUREITEM + WM_REFLECT_BASE, AFX_CALL(MeasureItem)((LPMEASUREITEMSTRUCT)c.lParam);      \
                 c.lResult = TRUE)
#define ON_WM_COMPAREITEM_REFLECT()                                                                          \
    AFX_WM_ENTRY(WM_COMPAREITEM + WM_REFLECT_BASE, c.lResult = AFX_CALL(CompareItem)((LPCOMPAREITEMSTRUCT)c.lParam))
#define ON_WM_DELETEITEM_REFLECT()                                                                           \
    AFX_WM_ENTRY(WM_DELETEITEM + WM_REFLECT_BASE, AFX_CALL(DeleteItem)((LPDELETEITEMSTRUCT)c.lParam); c.lResult = TRUE)
#define ON_WM_HSCROLL_REFLECT()                                                                              \
    AFX_WM_ENTRY(WM_HSCROLL + WM_REFLECT_BASE, AFX_CALL(HScroll)(LOWORD(c.wParam), AFX_HI(c.wParam)))
#define ON_WM_VSCROLL_REFLECT()                                                                              \
    AFX_WM_ENTRY(WM_VSCROLL + WM_REFLECT_BASE, AFX_CALL(VScroll)(LOWORD(c.wParam), AFX_HI(c.wParam)))

// Window messages with their handlers' signatures.
// int OnCreate(LPCREATESTRUCT): -1 stops the creation.
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, c.lResult = AFX_CALL(OnCreate)((LPCREATESTRUCT)c.lParam))
#define ON_WM_NCCREATE() AFX_WM_ENTRY(WM_NCCREATE, c.lResult = AFX_CALL(OnNcCreate)((LPCREATESTRUCT)c.lParam))
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AFX_CALL(OnDestroy)())
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AFX_CALL(OnNcDestroy)())
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AFX_CALL(OnClose)())
// void OnSize(UINT nType, int cx, int cy); void OnMove(int x, int y)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AFX_CALL(OnSize)((UINT)c.wParam, AFX_LO(c.lParam), AFX_HI(c.lParam)))
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AFX_CALL(OnMove)(AFX_LO(c.lParam), AFX_HI(c.lParam)))
#define ON_WM_SIZING() AFX_WM_ENTRY(WM_SIZING, AFX_CALL(OnSizing)((UINT)c.wParam, (LPRECT)c.lParam); c.lResult = TRUE)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AFX_CALL(OnPaint)())
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, AFX_CALL(OnNcPaint)())
// BOOL OnEraseBkgnd(CDC*)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, c.lResult = AFX_CALL(OnEraseBkgnd)(CDC::FromHandle((HDC)c.wParam)))
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AFX_CALL(OnTimer)((UINT_PTR)c.wParam))
// Mouse: void OnXxx(UINT nFlags, CPoint point); OnMouseWheel: BOOL (UINT nFlags, short zDelta, CPoint screen)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, AFX_CALL(OnMouseMove)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_LBUTTONDOWN() AFX_WM_ENTRY(WM_LBUTTONDOWN, AFX_CALL(OnLButtonDown)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, AFX_CALL(OnLButtonUp)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_LBUTTONDBLCLK()                                                                                \
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AFX_CALL(OnLButtonDblClk)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_RBUTTONDOWN() AFX_WM_ENTRY(WM_RBUTTONDOWN, AFX_CALL(OnRButtonDown)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, AFX_CALL(OnRButtonUp)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_RBUTTONDBLCLK()                                                                                \
    AFX_WM_ENTRY(WM_RBUTTONDBLCLK, AFX_CALL(OnRButtonDblClk)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_MBUTTONDOWN() AFX_WM_ENTRY(WM_MBUTTONDOWN, AFX_CALL(OnMButtonDown)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_MBUTTONUP() AFX_WM_ENTRY(WM_MBUTTONUP, AFX_CALL(OnMButtonUp)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_MOUSEWHEEL()                                                                                   \
    AFX_WM_ENTRY(WM_MOUSEWHEEL, c.lResult = AFX_CALL(OnMouseWheel)(LOWORD(c.wParam), (short)HIWORD(c.wParam),   \
                                                                   AFX_PT(c.lParam)))
// Non-client mouse: void OnNcXxx(UINT nHitTest, CPoint screenPoint)
#define ON_WM_NCMOUSEMOVE() AFX_WM_ENTRY(WM_NCMOUSEMOVE, AFX_CALL(OnNcMouseMove)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_NCLBUTTONDOWN()                                                                                \
    AFX_WM_ENTRY(WM_NCLBUTTONDOWN, AFX_CALL(OnNcLButtonDown)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_NCLBUTTONUP() AFX_WM_ENTRY(WM_NCLBUTTONUP, AFX_CALL(OnNcLButtonUp)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_NCLBUTTONDBLCLK()                                                                              \
    AFX_WM_ENTRY(WM_NCLBUTTONDBLCLK, AFX_CALL(OnNcLButtonDblClk)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_NCRBUTTONDOWN()                                                                                \
    AFX_WM_ENTRY(WM_NCRBUTTONDOWN, AFX_CALL(OnNcRButtonDown)((UINT)c.wParam, AFX_PT(c.lParam)))
#define ON_WM_NCMBUTTONDOWN()                                                                                \
    AFX_WM_ENTRY(WM_NCMBUTTONDOWN, AFX_CALL(OnNcMButtonDown)((UINT)c.wParam, AFX_PT(c.lParam)))
// LRESULT OnNcHitTest(CPoint screenPoint)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, c.lResult = AFX_CALL(OnNcHitTest)(AFX_PT(c.lParam)))
// void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS*)
#define ON_WM_NCCALCSIZE()                                                                                   \
    AFX_WM_ENTRY(WM_NCCALCSIZE, AFX_CALL(OnNcCalcSize)((BOOL)c.wParam, (NCCALCSIZE_PARAMS*)c.lParam))
// BOOL OnNcActivate(BOOL bActive)
#define ON_WM_NCACTIVATE() AFX_WM_ENTRY(WM_NCACTIVATE, c.lResult = AFX_CALL(OnNcActivate)((BOOL)c.wParam))
// Keyboard: void OnXxx(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN()                                                                                      \
    AFX_WM_ENTRY(WM_KEYDOWN, AFX_CALL(OnKeyDown)((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, AFX_CALL(OnKeyUp)((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_SYSKEYDOWN()                                                                                   \
    AFX_WM_ENTRY(WM_SYSKEYDOWN, AFX_CALL(OnSysKeyDown)((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_SYSKEYUP()                                                                                     \
    AFX_WM_ENTRY(WM_SYSKEYUP, AFX_CALL(OnSysKeyUp)((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, AFX_CALL(OnChar)((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_SYSCHAR()                                                                                      \
    AFX_WM_ENTRY(WM_SYSCHAR, AFX_CALL(OnSysChar)((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
// UINT OnGetDlgCode()
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, c.lResult = AFX_CALL(OnGetDlgCode)())
// void OnSetFocus(CWnd* pOldWnd); void OnKillFocus(CWnd* pNewWnd)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AFX_CALL(OnSetFocus)(CWnd::FromHandle((HWND)c.wParam)))
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, AFX_CALL(OnKillFocus)(CWnd::FromHandle((HWND)c.wParam)))
// void OnShowWindow(BOOL bShow, UINT nStatus); void OnEnable(BOOL)
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY(WM_SHOWWINDOW, AFX_CALL(OnShowWindow)((BOOL)c.wParam, (UINT)c.lParam))
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, AFX_CALL(OnEnable)((BOOL)c.wParam))
// void OnWindowPosChanging(WINDOWPOS*) / Changed
#define ON_WM_WINDOWPOSCHANGING()                                                                            \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AFX_CALL(OnWindowPosChanging)((WINDOWPOS*)c.lParam))
#define ON_WM_WINDOWPOSCHANGED()                                                                             \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, AFX_CALL(OnWindowPosChanged)((WINDOWPOS*)c.lParam))
#define ON_WM_GETMINMAXINFO() AFX_WM_ENTRY(WM_GETMINMAXINFO, AFX_CALL(OnGetMinMaxInfo)((MINMAXINFO*)c.lParam))
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, AFX_CALL(OnCancelMode)())
#define ON_WM_CAPTURECHANGED()                                                                               \
    AFX_WM_ENTRY(WM_CAPTURECHANGED, AFX_CALL(OnCaptureChanged)(CWnd::FromHandle((HWND)c.lParam)))
// int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
#define ON_WM_MOUSEACTIVATE()                                                                                \
    AFX_WM_ENTRY(WM_MOUSEACTIVATE, c.lResult = AFX_CALL(OnMouseActivate)(CWnd::FromHandle((HWND)c.wParam),     \
                                                                         LOWORD(c.lParam), HIWORD(c.lParam)))
// void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized); void OnActivateApp(BOOL, DWORD)
#define ON_WM_ACTIVATE()                                                                                     \
    AFX_WM_ENTRY(WM_ACTIVATE, AFX_CALL(OnActivate)(LOWORD(c.wParam), CWnd::FromHandle((HWND)c.lParam),          \
                                                   (BOOL)HIWORD(c.wParam)))
#define ON_WM_ACTIVATEAPP() AFX_WM_ENTRY(WM_ACTIVATEAPP, AFX_CALL(OnActivateApp)((BOOL)c.wParam, (DWORD)c.lParam))
#define ON_WM_CHILDACTIVATE() AFX_WM_ENTRY(WM_CHILDACTIVATE, AFX_CALL(OnChildActivate)())
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, AFX_CALL(OnSysColorChange)())
#define ON_WM_SETTINGCHANGE()                                                                                \
    AFX_WM_ENTRY(WM_SETTINGCHANGE, AFX_CALL(OnSettingChange)((UINT)c.wParam, (LPCTSTR)c.lParam))
// void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
#define ON_WM_HSCROLL()                                                                                      \
    AFX_WM_ENTRY(WM_HSCROLL, AFX_CALL(OnHScroll)(LOWORD(c.wParam), AFX_HI(c.wParam),                          \
                                                 (CScrollBar*)CWnd::FromHandle((HWND)c.lParam)))
#define ON_WM_VSCROLL()                                                                                      \
    AFX_WM_ENTRY(WM_VSCROLL, AFX_CALL(OnVScroll)(LOWORD(c.wParam), AFX_HI(c.wParam),                          \
                                                 (CScrollBar*)CWnd::FromHandle((HWND)c.lParam)))
// void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT); void OnMeasureItem(int, LPMEASUREITEMSTRUCT)
#define ON_WM_DRAWITEM()                                                                                     \
    AFX_WM_ENTRY(WM_DRAWITEM, AFX_CALL(OnDrawItem)((int)c.wParam, (LPDRAWITEMSTRUCT)c.lParam); c.lResult = TRUE)
#define ON_WM_MEASUREITEM()                                                                                  \
    AFX_WM_ENTRY(WM_MEASUREITEM, AFX_CALL(OnMeasureItem)((int)c.wParam, (LPMEASUREITEMSTRUCT)c.lParam);        \
                 c.lResult = TRUE)
#define ON_WM_COMPAREITEM()                                                                                  \
    AFX_WM_ENTRY(WM_COMPAREITEM, c.lResult = AFX_CALL(OnCompareItem)((int)c.wParam, (LPCOMPAREITEMSTRUCT)c.lParam))
#define ON_WM_DELETEITEM()                                                                                   \
    AFX_WM_ENTRY(WM_DELETEITEM, AFX_CALL(OnDeleteItem)((int)c.wParam, (LPDELETEITEMSTRUCT)c.lParam);          \
                 c.lResult = TRUE)
// HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor): every WM_CTLCOLOR* message.
#define ON_WM_CTLCOLOR()                                                                                     \
    AFX_WM_ENTRY(WM_CTLCOLOR, c.lResult = (LRESULT)AFX_CALL(OnCtlColor)(CDC::FromHandle((HDC)c.wParam),        \
                                                                        CWnd::FromHandle((HWND)c.lParam),      \
                                                                        c.message - WM_CTLCOLORMSGBOX))
// void OnInitMenuPopup(CMenu*, UINT nIndex, BOOL bSysMenu)
#define ON_WM_INITMENUPOPUP()                                                                                \
    AFX_WM_ENTRY(WM_INITMENUPOPUP, AFX_CALL(OnInitMenuPopup)(CMenu::FromHandle((HMENU)c.wParam),               \
                                                             LOWORD(c.lParam), (BOOL)HIWORD(c.lParam)))
// void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU)
#define ON_WM_MENUSELECT()                                                                                   \
    AFX_WM_ENTRY(WM_MENUSELECT, AFX_CALL(OnMenuSelect)(LOWORD(c.wParam), HIWORD(c.wParam), (HMENU)c.lParam))
// void OnEnterIdle(UINT nWhy, CWnd* pWho)
#define ON_WM_ENTERIDLE()                                                                                    \
    AFX_WM_ENTRY(WM_ENTERIDLE, AFX_CALL(OnEnterIdle)((UINT)c.wParam, CWnd::FromHandle((HWND)c.lParam)))
// void OnSysCommand(UINT nID, LPARAM)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, AFX_CALL(OnSysCommand)((UINT)c.wParam, c.lParam))
// void OnDropFiles(HDROP)
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, AFX_CALL(OnDropFiles)((HDROP)c.wParam))
// void OnContextMenu(CWnd*, CPoint screenPoint)
#define ON_WM_CONTEXTMENU()                                                                                  \
    AFX_WM_ENTRY(WM_CONTEXTMENU, AFX_CALL(OnContextMenu)(CWnd::FromHandle((HWND)c.wParam), AFX_PT(c.lParam)))
// BOOL OnSetCursor(CWnd*, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR()                                                                                    \
    AFX_WM_ENTRY(WM_SETCURSOR, c.lResult = AFX_CALL(OnSetCursor)(CWnd::FromHandle((HWND)c.wParam),             \
                                                                 LOWORD(c.lParam), HIWORD(c.lParam)))
// void OnParentNotify(UINT message, LPARAM)
#define ON_WM_PARENTNOTIFY() AFX_WM_ENTRY(WM_PARENTNOTIFY, AFX_CALL(OnParentNotify)(LOWORD(c.wParam), c.lParam))
// BOOL OnQueryEndSession(); void OnEndSession(BOOL)
#define ON_WM_QUERYENDSESSION() AFX_WM_ENTRY(WM_QUERYENDSESSION, c.lResult = AFX_CALL(OnQueryEndSession)())
#define ON_WM_ENDSESSION() AFX_WM_ENTRY(WM_ENDSESSION, AFX_CALL(OnEndSession)((BOOL)c.wParam))
