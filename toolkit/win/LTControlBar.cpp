// LTControlBar: remembered sizes, the inside rectangle, borders and the gripper.
#include "toolkit/win/LTControlBar.h"

#include "classlib/win/DC.h"
#include "classlib/win/DockContext.h"
#include "classlib/win/Menu.h"
#include "classlib/win/MiniDockFrameWnd.h"
#include "toolkit/win/LTDockBar.h"
#include "toolkit/win/LTGlobalData.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(LTControlBar, CControlBar)

CSize LTControlBar::s_sizeDefault(300, 180);

LTGripperMetrics::LTGripperMetrics()
    : m_nHorz{4, 3, 1, 3, 6}, m_nVert{4, 3, 1, 3, 6}, m_nInset(3), m_strHide("Hide docked window"),
      m_strExpand("Expand docked window"), m_strContract("Contract docked window")
{
}

int LTGripperMetrics::GetHorzWidth() const
{
    return m_nHorz[0] + m_nHorz[1] + m_nHorz[2] + m_nHorz[3] + m_nHorz[4];
}

int LTGripperMetrics::GetVertHeight() const
{
    return m_nVert[0] + m_nVert[1] + m_nVert[2] + m_nVert[3] + m_nVert[4];
}

namespace {

// One element of the child-layout snapshot.
struct LTChildPlace
{
    HWND hWnd;
    RECT rect;
};

CString BarText(UINT nID, const char* pszDefault)
{
    CString text;
    if (!text.LoadString(nID))
        text = pszDefault;
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(LTControlBar, CControlBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_LTBAR_HIDE, OnHide)
ON_COMMAND(ID_LTBAR_ALLOWDOCKING, OnAllowDocking)
END_MESSAGE_MAP()

LTControlBar::LTControlBar()
    : m_szHorz(0, 0), m_szVert(0, 0), m_szFloat(0, 0), m_dwMRUDockingState(0), m_fPctWidth(1.0f),
      m_fSavePctWidth(1.0f), m_dwExStyle(0), m_rcMargins(10, 10, 10, 10), m_pBarManager(nullptr),
      m_rcHideBtn(0, 0, 0, 0), m_bHidePressed(FALSE), m_rcExpandBtn(0, 0, 0, 0), m_bExpandPressed(FALSE),
      m_bExpandEnabled(TRUE), m_bShowExpand(TRUE), m_bExpandHorz(TRUE), m_pChildLayout(nullptr)
{
}

LTControlBar::~LTControlBar()
{
    FreeChildSnapshot();
}

BOOL LTControlBar::Create(CWnd* pParentWnd, LPCTSTR lpszTitle, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                          CCreateContext* pContext)
{
    return CreateEx(nullptr, lpszTitle, nID, dwStyle, dwExStyle, CRect(0, 0, 0, 0), pParentWnd, pContext);
}

BOOL LTControlBar::CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszTitle, UINT nID, DWORD dwStyle,
                            DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_dwExStyle = dwExStyle;
    m_dwStyle = dwStyle & LT_BAR_STYLE_MASK;
    if (!CWnd::Create(lpszClassName, lpszTitle, dwStyle & ~CBRS_ALL, rect, pParentWnd, nID, pContext))
        return FALSE;
    if (m_dwExStyle & BAR_EX_SCALE_CHILDREN)
        TakeChildSnapshot();
    EnableToolTips(TRUE);
    return TRUE;
}

int LTControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    m_szHorz = m_szVert = m_szFloat = s_sizeDefault;
    return 0;
}

void LTControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

CSize LTControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? m_szHorz : m_szVert;
}

CSize LTControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (dwMode & LM_COMMIT) {
        const int n =
            (dwMode & LM_STRETCH) ? static_cast<int>(static_cast<float>(nLength) * m_fPctWidth) : nLength;
        const BOOL bLengthY = (dwMode & LM_LENGTHY) != 0;
        if (dwMode & LM_HORZDOCK) {
            (bLengthY ? m_szHorz.cy : m_szHorz.cx) = n;
        } else if (dwMode & LM_VERTDOCK) {
            (bLengthY ? m_szVert.cy : m_szVert.cx) = n;
        } else if (bLengthY) {
            m_szFloat.cy = n;
        } else {
            m_szFloat.cx = n;
            m_nMRUWidth = static_cast<UINT>(n);
        }
    }
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
    return m_szFloat;
}

void LTControlBar::GetInsideRect(RECT* pRect)
{
    CRect rect;
    GetClientRect(&rect);
    if ((m_dwExStyle & BAR_EX_GRIPPER) && !IsFloating()) {
        const int nInset = m_gripper.m_nInset;
        if (IsDockedHorz())
            rect = CRect(rect.left + m_gripper.GetHorzWidth(), rect.top + nInset, rect.right - nInset,
                         rect.bottom - nInset);
        else
            rect = CRect(rect.left + nInset, rect.top + m_gripper.GetVertHeight(), rect.right - nInset,
                         rect.bottom - nInset);
    }
    if (m_dwExStyle & BAR_EX_MARGINS) {
        rect.left += m_rcMargins.left;
        rect.top += m_rcMargins.top;
        rect.right -= m_rcMargins.right;
        rect.bottom -= m_rcMargins.bottom;
    }
    *pRect = rect;
}

void LTControlBar::AddGripperSize(CSize* pSize, BOOL bHorz)
{
    if (bHorz)
        pSize->cx += m_gripper.GetHorzWidth();
    else
        pSize->cy += m_gripper.GetVertHeight();
}

void LTControlBar::CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bReserveGripper) const
{
    if (!(m_dwExStyle & BAR_EX_FLAT_BORDERS)) {
        CControlBar::CalcInsideRect(rect, bHorz);
        return;
    }
    if (m_dwStyle & CBRS_BORDER_LEFT)
        ++rect.left;
    if (m_dwStyle & CBRS_BORDER_TOP)
        ++rect.top;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        --rect.right;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        --rect.bottom;
    const BOOL bGripper = (m_dwExStyle & BAR_EX_GRIPPER) && !IsFloating();
    if (bHorz) {
        rect.left += bGripper ? m_gripper.GetHorzWidth() : m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += bGripper && bReserveGripper ? m_gripper.GetVertHeight() : m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void LTControlBar::SetExBarStyle(DWORD dwExStyle, BOOL bRedraw)
{
    const DWORD dwOld = m_dwExStyle;
    if (IsFloating() && m_hWnd != nullptr) {
        // The floating frame's border follows the kind of layout.
        CWnd* pFrame = GetDockingFrame();
        if (pFrame != nullptr) {
            if (dwExStyle & BAR_EX_TOOLBAR_LAYOUT)
                pFrame->ModifyStyle(0, 0x200, SWP_NOMOVE | SWP_NOSIZE);
            else
                pFrame->ModifyStyle(0x200, 0x40400, SWP_NOMOVE | SWP_NOSIZE);
        }
    }
    if ((dwOld ^ dwExStyle) & BAR_EX_SCALE_CHILDREN) {
        if (dwExStyle & BAR_EX_SCALE_CHILDREN)
            TakeChildSnapshot();
        else
            FreeChildSnapshot();
    }
    if (dwOld != dwExStyle && bRedraw && m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_dwExStyle = dwExStyle;
}

void LTControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if (!(m_dwStyle & CBRS_BORDER_ANY))
        return;
    if (m_dwExStyle & BAR_EX_FLAT_BORDERS) {
        if (m_dwStyle & CBRS_BORDER_LEFT)
            ++rect.left;
        if (m_dwStyle & CBRS_BORDER_TOP)
            ++rect.top;
        if (m_dwStyle & CBRS_BORDER_RIGHT)
            --rect.right;
        if (m_dwStyle & CBRS_BORDER_BOTTOM)
            --rect.bottom;
        if (m_dwExStyle & BAR_EX_GRIPPER)
            DrawGripper(pDC, rect);
        return;
    }
    const LTGlobalData& data = LTGetGlobalData();
    const BOOL b3D = (m_dwExStyle & BAR_EX_3D_BORDERS) != 0;
    const COLORREF clrDark =
        b3D ? (data.bNewLook ? data.clrBtnShadow : data.clrWindowFrame) : data.clrBtnFace;
    const COLORREF clrLight = b3D ? data.clrBtnHilite : data.clrBtnFace;
    const DWORD dwStyle = m_dwStyle;
    const int cx = rect.Width(), cy = rect.Height();
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, cy, clrDark);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, cx, 1, clrDark);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, cy, clrDark);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, cx, 1, clrDark);
    if (dwStyle & CBRS_BORDER_3D) {
        if (dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left + 1, rect.top + 1, 1, cy - 2, clrLight);
        if (dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(rect.left + 1, rect.top + 1, cx - 2, 1, clrLight);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += data.cxBorder2;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += data.cyBorder2;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= data.cxBorder2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= data.cyBorder2;
}

CRect LTControlBar::GripperBase() const
{
    CRect rect;
    GetClientRect(&rect);
    const LTGlobalData& data = LTGetGlobalData();
    const BOOL bFlat = (m_dwExStyle & BAR_EX_FLAT_BORDERS) != 0;
    const int cx = bFlat ? 1 : data.cxBorder2, cy = bFlat ? 1 : data.cyBorder2;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += cx;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += cy;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cx;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cy;
    return rect;
}

void LTControlBar::PlaceGripperButtons(CRect& strip, BOOL bHorz)
{
    m_rcHideBtn.SetRectEmpty();
    m_rcExpandBtn.SetRectEmpty();
    auto place = [&strip, bHorz](CRect& button) {
        if (bHorz) {
            button.left = std::max<LONG>(0, strip.left + 4 - 2);
            button.right = std::min<LONG>(strip.right - 6 + 2, strip.right);
            button.top = strip.top;
            button.bottom = button.top + button.Width();
            strip.top = button.bottom + 2;
        } else {
            button.top = std::max<LONG>(0, strip.top + 4 - 2);
            button.bottom = strip.bottom - 6 + 2;
            button.right = strip.right;
            button.left = button.right - button.Height();
            strip.right = button.left - 2;
        }
    };
    if (m_dwExStyle & BAR_EX_HIDE_BUTTON)
        place(m_rcHideBtn);
    if (m_dwExStyle & BAR_EX_EXPAND_BUTTON) {
        UpdateExpandButtonState(bHorz);
        place(m_rcExpandBtn);
    }
}

void LTControlBar::UpdateGripperButtons()
{
    if (IsFloating() || !(m_dwStyle & CBRS_ALIGN_ANY) || m_hWnd == nullptr) {
        m_rcHideBtn.SetRectEmpty();
        m_rcExpandBtn.SetRectEmpty();
        return;
    }
    DrawGripper(nullptr, GripperBase());
}

void LTControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if (IsFloating() || !(m_dwStyle & CBRS_ALIGN_ANY))
        return;
    const LTGlobalData& data = LTGetGlobalData();
    const int nInset = m_gripper.m_nInset;
    const BOOL bHorz = IsDockedHorz();
    CRect strip =
        bHorz
            ? CRect(rect.left, rect.top + nInset, rect.left + m_gripper.GetHorzWidth(), rect.bottom - nInset)
            : CRect(rect.left + nInset, rect.top, rect.right - nInset, rect.top + m_gripper.GetVertHeight());
    PlaceGripperButtons(strip, bHorz);
    if (pDC == nullptr)
        return;
    if (m_dwExStyle & BAR_EX_HIDE_BUTTON)
        DrawHideButton(pDC, m_rcHideBtn, bHorz);
    if (m_dwExStyle & BAR_EX_EXPAND_BUTTON)
        DrawExpandButton(pDC, m_rcExpandBtn, bHorz);
    // Two raised lines across the rest of the strip.
    if (bHorz) {
        pDC->Draw3dRect(strip.left + 4, strip.top, 3, strip.Height(), data.clrBtnHilite, data.clrBtnShadow);
        pDC->Draw3dRect(strip.left + 8, strip.top, 3, strip.Height(), data.clrBtnHilite, data.clrBtnShadow);
    } else {
        pDC->Draw3dRect(strip.left, strip.top + 4, strip.Width(), 3, data.clrBtnHilite, data.clrBtnShadow);
        pDC->Draw3dRect(strip.left, strip.top + 8, strip.Width(), 3, data.clrBtnHilite, data.clrBtnShadow);
    }
}

void LTControlBar::DrawHideButton(CDC* pDC, CRect& rect, BOOL)
{
    pDC->DrawFrameControl(&rect, DFC_CAPTION, DFCS_CAPTIONCLOSE | (m_bHidePressed ? DFCS_PUSHED : 0));
}

void LTControlBar::DrawHideButtonPressed(CDC* pDC)
{
    m_bHidePressed = TRUE;
    DrawHideButton(pDC, m_rcHideBtn, IsDockedHorz());
}

void LTControlBar::DrawHideButtonNormal(CDC* pDC)
{
    m_bHidePressed = FALSE;
    DrawHideButton(pDC, m_rcHideBtn, IsDockedHorz());
}

void LTControlBar::DrawExpandButton(CDC* pDC, CRect& rect, BOOL bHorz)
{
    CRect rectDraw(rect.left - 1, rect.top - 1, rect.right, rect.bottom);
    UINT nState = bHorz ? (m_bShowExpand ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                        : (m_bShowExpand ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
    if (!m_bExpandEnabled)
        nState |= DFCS_INACTIVE;
    if (m_bExpandPressed)
        nState |= m_bExpandEnabled ? DFCS_PUSHED : DFCS_INACTIVE;
    pDC->DrawFrameControl(&rectDraw, DFC_SCROLL, nState);
}

void LTControlBar::DrawExpandButtonPressed(CDC* pDC)
{
    m_bExpandPressed = TRUE;
    DrawExpandButton(pDC, m_rcExpandBtn, m_bExpandHorz);
}

void LTControlBar::DrawExpandButtonNormal(CDC* pDC)
{
    m_bExpandPressed = FALSE;
    DrawExpandButton(pDC, m_rcExpandBtn, m_bExpandHorz);
}

void LTControlBar::UpdateExpandButtonState(BOOL bHorz)
{
    m_bExpandHorz = bHorz;
    LTDockBar* pDockBar = m_pDockBar != nullptr && m_pDockBar->IsKindOf(RUNTIME_CLASS(LTDockBar))
                              ? static_cast<LTDockBar*>(m_pDockBar)
                              : nullptr;
    if (pDockBar == nullptr) {
        m_bShowExpand = TRUE;
        m_bExpandEnabled = FALSE;
        return;
    }
    m_bShowExpand = !pDockBar->IsBarExpanded(this);
    m_bExpandEnabled = !pDockBar->IsBarAloneInRow(this);
}

void LTControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect); // with flat borders it draws the gripper itself
    if ((m_dwExStyle & BAR_EX_GRIPPER) && !(m_dwExStyle & BAR_EX_FLAT_BORDERS))
        DrawGripper(pDC, rect);
}

BOOL LTControlBar::IsMDIChildFloat() const
{
    return m_pDockBar != nullptr && m_pDockBar->IsKindOf(RUNTIME_CLASS(LTDockBar)) &&
           static_cast<const LTDockBar*>(m_pDockBar)->m_bMDIChild;
}

// ---- tool tips

INT_PTR LTControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!(m_dwStyle & CBRS_TOOLTIPS))
        return -1;
    const INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1 || IsFloating())
        return nHit;
    auto* pThis = const_cast<LTControlBar*>(this);
    pThis->UpdateGripperButtons();
    UINT nID = 0;
    CRect rect;
    const CString* pText = nullptr;
    if ((m_dwExStyle & BAR_EX_HIDE_BUTTON) && m_rcHideBtn.PtInRect(point)) {
        nID = LT_TOOL_HIDE;
        rect = m_rcHideBtn;
        pText = &m_gripper.m_strHide;
    } else if ((m_dwExStyle & BAR_EX_EXPAND_BUTTON) && m_rcExpandBtn.PtInRect(point)) {
        nID = LT_TOOL_EXPAND;
        rect = m_rcExpandBtn;
        pText = m_bShowExpand ? &m_gripper.m_strExpand : &m_gripper.m_strContract;
    }
    if (nID == 0)
        return -1;
    if (pTI != nullptr) {
        pTI->hwnd = m_hWnd;
        pTI->uId = nID;
        pTI->rect = rect;
        // The tool-tip machinery frees it.
        const size_t nLen = std::strlen(static_cast<LPCTSTR>(*pText)) + 1;
        pTI->lpszText = static_cast<LPTSTR>(std::malloc(nLen));
        if (pTI->lpszText != nullptr)
            std::memcpy(pTI->lpszText, static_cast<LPCTSTR>(*pText), nLen);
    }
    return nID;
}

// ---- mouse

BOOL LTControlBar::CanDragOrToggle() const
{
    if (!IsFloating())
        return TRUE;
    CFrameWnd* pFrame = GetDockingFrame();
    return pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd));
}

void LTControlBar::ReleaseButtons()
{
    if (!m_bHidePressed && !m_bExpandPressed)
        return;
    CClientDC dc(this);
    if (m_bHidePressed)
        DrawHideButtonNormal(&dc);
    if (m_bExpandPressed)
        DrawExpandButtonNormal(&dc);
}

void LTControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsFloating()) {
        m_bHidePressed = m_bExpandPressed = FALSE;
    } else {
        UpdateGripperButtons();
        if ((m_dwExStyle & BAR_EX_HIDE_BUTTON) && m_rcHideBtn.PtInRect(point)) {
            CClientDC dc(this);
            DrawHideButtonPressed(&dc);
            SetCapture();
            return;
        }
        if ((m_dwExStyle & BAR_EX_EXPAND_BUTTON) && m_bExpandEnabled && m_rcExpandBtn.PtInRect(point)) {
            CClientDC dc(this);
            DrawExpandButtonPressed(&dc);
            SetCapture();
            return;
        }
    }
    ReleaseButtons();
    if (CanDragOrToggle())
        CControlBar::OnLButtonDown(nFlags, point);
    else
        Default();
}

void LTControlBar::OnLButtonUp(UINT, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    const BOOL bHide = m_bHidePressed && m_rcHideBtn.PtInRect(point);
    const BOOL bExpand = m_bExpandPressed && m_rcExpandBtn.PtInRect(point);
    ReleaseButtons();
    if (bHide) {
        OnHide();
    } else if (bExpand) {
        if (m_pDockBar != nullptr && m_pDockBar->IsKindOf(RUNTIME_CLASS(LTDockBar)))
            static_cast<LTDockBar*>(m_pDockBar)->ExpandContractBar(this, m_bShowExpand ? 1 : 2);
    } else {
        Default();
    }
}

void LTControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    UpdateGripperButtons();
    if (((m_dwExStyle & BAR_EX_HIDE_BUTTON) && m_rcHideBtn.PtInRect(point)) ||
        ((m_dwExStyle & BAR_EX_EXPAND_BUTTON) && m_rcExpandBtn.PtInRect(point)))
        return;
    if (CanDragOrToggle())
        CControlBar::OnLButtonDblClk(nFlags, point);
    else
        Default();
}

// ---- context menu and its commands

void LTControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (!(m_dwExStyle & BAR_EX_CONTEXT_MENU)) {
        Default();
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    const UINT nCheck = (m_dwDockStyle & CBRS_ALIGN_ANY) ? MF_CHECKED : MF_UNCHECKED;
    menu.AppendMenu(MF_STRING | nCheck, ID_LTBAR_ALLOWDOCKING,
                    BarText(ID_LTBAR_ALLOWDOCKING, "Allow Docking"));
    menu.AppendMenu(MF_STRING, ID_LTBAR_HIDE, BarText(ID_LTBAR_HIDE, "Hide"));
    OnExtendContextMenu(&menu);
    if (m_pDockSite != nullptr && m_pDockSite->m_hWnd != nullptr)
        m_pDockSite->SendMessage(WM_LTBAR_CONTEXTMENU, reinterpret_cast<WPARAM>(this),
                                 reinterpret_cast<LPARAM>(&menu));
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: at the bar's corner.
        CRect rect;
        GetWindowRect(&rect);
        point = rect.TopLeft();
    }
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void LTControlBar::OnHide()
{
    CFrameWnd* pFrame = m_pDockSite != nullptr ? m_pDockSite : GetDockingFrame();
    if (pFrame != nullptr)
        pFrame->ShowControlBar(this, FALSE, FALSE);
}

void LTControlBar::OnAllowDocking()
{
    if (m_dwDockStyle & CBRS_ALIGN_ANY) {
        m_dwMRUDockingState = m_dwDockStyle;
        if (!IsFloating() && m_pDockContext != nullptr)
            m_pDockContext->ToggleDocking();
        EnableDocking(0);
    } else {
        EnableDocking(m_dwMRUDockingState);
    }
}

// ---- child windows

void LTControlBar::TakeChildSnapshot()
{
    FreeChildSnapshot();
    if (m_hWnd == nullptr)
        return;
    m_pChildLayout = new CPtrArray;
    auto* pClient = new LTChildPlace{nullptr, {}};
    ::GetClientRect(m_hWnd, &pClient->rect);
    m_pChildLayout->Add(pClient);
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        auto* pPlace = new LTChildPlace{hChild, {}};
        ::GetWindowRect(hChild, &pPlace->rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&pPlace->rect), 2);
        m_pChildLayout->Add(pPlace);
    }
}

void LTControlBar::FreeChildSnapshot()
{
    if (m_pChildLayout == nullptr)
        return;
    for (int i = 0; i < m_pChildLayout->GetSize(); ++i)
        delete static_cast<LTChildPlace*>(m_pChildLayout->GetAt(i));
    delete m_pChildLayout;
    m_pChildLayout = nullptr;
}

void LTControlBar::OnSize(UINT nType, int cx, int cy)
{
    if (nType == SIZE_MINIMIZED || cx == 0 || cy == 0) {
        Default();
        return;
    }
    int x = 0, y = 0, w = cx, h = cy;
    const int nInset = m_gripper.m_nInset;
    if (m_dwExStyle & BAR_EX_GRIPPER) {
        // Reserved while floating too: the children keep their place when the bar docks again.
        if ((m_dwStyle & CBRS_ORIENT_HORZ) && !IsFloating()) {
            x = m_gripper.GetHorzWidth();
            y = nInset;
            w = cx - nInset - x;
            h = cy - 2 * nInset;
        } else {
            x = nInset;
            y = m_gripper.GetVertHeight();
            h = cy - nInset - y;
            w = cx - 2 * nInset;
        }
        w = std::max(w, 0);
        h = std::max(h, 0);
    } else if (m_dwExStyle & BAR_EX_MARGINS) {
        x = m_rcMargins.left;
        y = m_rcMargins.top;
        w = std::max<int>(0, cx - m_rcMargins.left - m_rcMargins.right);
        h = std::max<int>(0, cy - m_rcMargins.top - m_rcMargins.bottom);
    }
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | (LTDockBar::s_bNoRedraw ? SWP_NOREDRAW : 0);
    if ((m_dwExStyle & BAR_EX_SCALE_CHILDREN) && m_pChildLayout != nullptr && m_pChildLayout->GetSize() > 0) {
        const RECT& old = static_cast<LTChildPlace*>(m_pChildLayout->GetAt(0))->rect;
        const int nOldW = std::max<int>(1, old.right - old.left),
                  nOldH = std::max<int>(1, old.bottom - old.top);
        const int dx = (m_dwExStyle & BAR_EX_MARGINS) ? m_rcMargins.left : 0;
        const int dy = (m_dwExStyle & BAR_EX_MARGINS) ? m_rcMargins.top : 0;
        HDWP hDWP = ::BeginDeferWindowPos(static_cast<int>(m_pChildLayout->GetSize()));
        for (int i = 1; i < m_pChildLayout->GetSize() && hDWP != nullptr; ++i) {
            const auto* pPlace = static_cast<LTChildPlace*>(m_pChildLayout->GetAt(i));
            if (!::IsWindow(pPlace->hWnd))
                continue;
            const RECT& r = pPlace->rect;
            const int left = x + w * r.left / nOldW + dx, right = x + w * r.right / nOldW + dx;
            const int top = y + h * r.top / nOldH + dy, bottom = y + h * r.bottom / nOldH + dy;
            hDWP =
                ::DeferWindowPos(hDWP, pPlace->hWnd, nullptr, left, top, right - left, bottom - top, nFlags);
        }
        if (hDWP != nullptr)
            ::EndDeferWindowPos(hDWP);
        if (IsFloating())
            Invalidate();
    } else if (m_dwExStyle & BAR_EX_FILL_CHILD) {
        if (HWND hChild = ::GetTopWindow(m_hWnd))
            ::SetWindowPos(hChild, nullptr, x, y, w, h, nFlags);
    }
    Default();
}

BOOL LTControlBar::OnEraseBkgnd(CDC* pDC)
{
    if (m_dwExStyle & BAR_EX_MARGINS) {
        CRect clip;
        pDC->GetClipBox(&clip);
        CRect inside;
        GetInsideRect(&inside);
        const COLORREF face = LTGetGlobalData().clrBtnFace;
        pDC->FillSolidRect(clip.left, clip.top, clip.Width(), inside.top - clip.top, face);
        pDC->FillSolidRect(clip.left, inside.bottom, clip.Width(), clip.bottom - inside.bottom, face);
        pDC->FillSolidRect(clip.left, inside.top, inside.left - clip.left, inside.Height(), face);
        pDC->FillSolidRect(inside.right, inside.top, clip.right - inside.right, inside.Height(), face);
    }
    return static_cast<BOOL>(Default());
}

void LTControlBar::OnDestroy()
{
    FreeChildSnapshot();
    CFrameWnd* pFrame = GetDockingFrame();
    CControlBar::OnDestroy();
    if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
        pFrame->DelayRecalcLayout(TRUE);
}
