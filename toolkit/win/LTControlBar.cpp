// LTControlBar: remembered sizes, the inside rectangle, borders and the gripper.
#include "toolkit/win/LTControlBar.h"

#include "classlib/win/DC.h"
#include "toolkit/win/LTGlobalData.h"

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

BEGIN_MESSAGE_MAP(LTControlBar, CControlBar)
ON_WM_CREATE()
END_MESSAGE_MAP()

LTControlBar::LTControlBar()
    : m_szHorz(0, 0), m_szVert(0, 0), m_szFloat(0, 0), m_dwMRUDockingState(0), m_fPctWidth(1.0f),
      m_fSavePctWidth(1.0f), m_dwExStyle(0), m_rcMargins(10, 10, 10, 10), m_pBarManager(nullptr)
{
}

LTControlBar::~LTControlBar() = default;

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

void LTControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if (IsFloating() || !(m_dwStyle & CBRS_ALIGN_ANY))
        return;
    const LTGlobalData& data = LTGetGlobalData();
    const int nInset = m_gripper.m_nInset;
    if (IsDockedHorz()) {
        // A strip at the left end with two raised vertical lines.
        const CRect strip(rect.left, rect.top + nInset, rect.left + m_gripper.GetHorzWidth(),
                          rect.bottom - nInset);
        pDC->Draw3dRect(strip.left + 4, strip.top, 3, strip.Height(), data.clrBtnHilite, data.clrBtnShadow);
        pDC->Draw3dRect(strip.left + 8, strip.top, 3, strip.Height(), data.clrBtnHilite, data.clrBtnShadow);
    } else {
        const CRect strip(rect.left + nInset, rect.top, rect.right - nInset,
                          rect.top + m_gripper.GetVertHeight());
        pDC->Draw3dRect(strip.left, strip.top + 4, strip.Width(), 3, data.clrBtnHilite, data.clrBtnShadow);
        pDC->Draw3dRect(strip.left, strip.top + 8, strip.Width(), 3, data.clrBtnHilite, data.clrBtnShadow);
    }
}
