// ToolBarButton: sizes, the press protocol, button messages, the drawing context and the faces.
#include "toolkit/win/ToolBarButton.h"

#include "classlib/Exceptions.h"
#include "classlib/win/ResourceException.h"
#include "toolkit/win/LTCustomToolBar.h"
#include "toolkit/win/LTGlobalData.h"

namespace {

// Where the source (a mask) is 1 the destination stays, where 0 the pattern is drawn.
const DWORD kRopPatternWhereBlack = 0xB8074A;
// Where the source is 1 the pattern is drawn, where 0 the destination stays.
const DWORD kRopPatternWhereWhite = 0xE20746;

ToolBarButton* NewPlainButton()
{
    return new ToolBarButton;
}

} // namespace

const ToolBarButtonClass ToolBarButton::classToolBarButton = {&NewPlainButton};

ToolBarButton* ToolBarButtonClass::CreateButton() const
{
    try {
        return pfnCreate();
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
}

// ---- drawing context

ToolBarDrawContext::ToolBarDrawContext()
    : m_hbmButton(nullptr), m_hOldButton(nullptr), m_hbmMask(nullptr), m_hOldMask(nullptr),
      m_hOldImage(nullptr)
{
    if (!m_dcMask.CreateCompatibleDC(nullptr) || !m_dcImage.CreateCompatibleDC(nullptr) ||
        !m_dcButton.CreateCompatibleDC(nullptr))
        AfxThrowResourceException();
    RebuildDitherBrush();
    if (m_brDither.GetSafeHandle() == nullptr)
        AfxThrowResourceException();
}

ToolBarDrawContext::~ToolBarDrawContext()
{
    Release();
}

void ToolBarDrawContext::RebuildDitherBrush()
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
        DWORD rows[8];
    } dib = {};
    dib.header.biSize = sizeof dib.header;
    dib.header.biWidth = 8;
    dib.header.biHeight = 8;
    dib.header.biPlanes = 1;
    dib.header.biBitCount = 1;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    dib.colours[0] = {GetBValue(face), GetGValue(face), GetRValue(face), 0};
    dib.colours[1] = {GetBValue(hilite), GetGValue(hilite), GetRValue(hilite), 0};
    for (int i = 0; i < 8; ++i)
        dib.rows[i] = (i & 1) ? 0x55 : 0xAA;
    HBITMAP hPattern = ::CreateDIBitmap(m_dcButton.m_hDC, &dib.header, CBM_INIT, dib.rows,
                                        reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS);
    if (hPattern == nullptr)
        return;
    // A colour pattern (not a monochrome one, which would take the text and background colours).
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColour = ::CreateCompatibleBitmap(hScreen, 8, 8);
    ::ReleaseDC(nullptr, hScreen);
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, hColour);
    ::StretchDIBits(hMem, 0, 0, 8, 8, 0, 0, 8, 8, dib.rows, reinterpret_cast<BITMAPINFO*>(&dib),
                    DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hColour);
    ::DeleteObject(hColour);
    if (hBrush == nullptr)
        return;
    m_brDither.DeleteObject();
    m_brDither.Attach(hBrush);
}

BOOL ToolBarDrawContext::Prepare(CDC* pDC, HBITMAP hStrip, int nWidest, LTCustomToolBar* pBar)
{
    Release();
    const int cy = pBar->m_nImageHeight + 7;
    const int cx = nWidest > 0 ? nWidest : pBar->m_nImageWidth + 7;
    m_hbmButton = ::CreateCompatibleBitmap(pDC->m_hDC, cx, cy);
    m_hbmMask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    if (m_hbmButton == nullptr || m_hbmMask == nullptr || hStrip == nullptr) {
        Release();
        return FALSE;
    }
    m_hOldButton = ::SelectObject(m_dcButton.m_hDC, m_hbmButton);
    m_hOldMask = ::SelectObject(m_dcMask.m_hDC, m_hbmMask);
    m_hOldImage = ::SelectObject(m_dcImage.m_hDC, hStrip);
    if (m_hOldButton == nullptr || m_hOldMask == nullptr || m_hOldImage == nullptr) {
        Release();
        return FALSE;
    }
    return TRUE;
}

void ToolBarDrawContext::Release()
{
    if (m_hOldButton != nullptr)
        ::SelectObject(m_dcButton.m_hDC, m_hOldButton);
    if (m_hOldMask != nullptr)
        ::SelectObject(m_dcMask.m_hDC, m_hOldMask);
    if (m_hOldImage != nullptr)
        ::SelectObject(m_dcImage.m_hDC, m_hOldImage);
    m_hOldButton = m_hOldMask = m_hOldImage = nullptr;
    if (m_hbmButton != nullptr)
        ::DeleteObject(m_hbmButton);
    if (m_hbmMask != nullptr)
        ::DeleteObject(m_hbmMask);
    m_hbmButton = m_hbmMask = nullptr;
}

// ---- button

ToolBarButton::ToolBarButton()
    : m_nID(0), m_nImage(0), m_dwStyle(0), m_x(-1), m_y(-1), m_cx(23), m_cy(22), m_pBar(nullptr)
{
}

const ToolBarButtonClass* ToolBarButton::GetButtonClass() const
{
    return &classToolBarButton;
}

void ToolBarButton::SetOrientation(DWORD) {}

void ToolBarButton::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

void ToolBarButton::Invalidate(BOOL bErase)
{
    if (m_pBar != nullptr && m_pBar->m_hWnd != nullptr) {
        const CRect rect = GetRect();
        m_pBar->InvalidateRect(&rect, bErase);
    }
}

void ToolBarButton::Init(LTCustomToolBar* pBar, const BYTE*)
{
    m_pBar = pBar;
    RecalcSize();
}

void ToolBarButton::RecalcSize()
{
    if (m_pBar == nullptr)
        return;
    m_cx = IsSeparator() ? (m_pBar->m_nImageWidth + 8) / 3 : m_pBar->m_nImageWidth + 7;
    m_cy = m_pBar->m_nImageHeight + 7;
    if (m_cx > m_pBar->m_nWidest)
        m_pBar->m_nWidest = m_cx;
}

BOOL ToolBarButton::OnPress(int, int)
{
    if (m_dwStyle & LTBS_DISABLED)
        return FALSE;
    m_dwStyle |= LTBS_PRESSED;
    return TRUE;
}

void ToolBarButton::OnDrag(int x, int y)
{
    if (Contains(x, y))
        m_dwStyle |= LTBS_PRESSED;
    else
        m_dwStyle &= ~LTBS_PRESSED;
}

void ToolBarButton::Release()
{
    m_dwStyle &= ~LTBS_PRESSED;
}

UINT ToolBarButton::OnRelease(int x, int y)
{
    m_dwStyle &= ~LTBS_PRESSED;
    if (!Contains(x, y))
        return 0;
    if ((m_dwStyle & LTBS_DISABLED) || !(m_dwStyle & LTBS_CHECKBOX) || m_pBar == nullptr)
        return m_nID;
    // Every button of the command, on every bar, follows.
    LTButtonStyleChange change;
    if (m_dwStyle & LTBS_CHECKED)
        change = {0, LTBS_CHECKED | LTBS_INDETERMINATE};
    else
        change = {LTBS_CHECKED, LTBS_INDETERMINATE};
    const UINT nID = m_nID;
    m_pBar->SendButtonMessage(nID, LTBM_SETSTYLE, &change, TRUE);
    return nID;
}

void ToolBarButton::OnBarStyleChange(DWORD) {}

INT_PTR ToolBarButton::OnToolHitTest(int, int, TOOLINFO* pTI)
{
    if (pTI != nullptr && m_pBar != nullptr) {
        pTI->uFlags = 0;
        pTI->hwnd = m_pBar->m_hWnd;
        pTI->uId = m_nID;
        pTI->rect = GetRect();
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return m_nID;
}

void ToolBarButton::OnButtonMessage(UINT nCode, const void* pData)
{
    if (nCode != LTBM_SETSTYLE || pData == nullptr)
        return;
    const auto* pChange = static_cast<const LTButtonStyleChange*>(pData);
    m_dwStyle = (m_dwStyle & ~pChange->dwClear) | pChange->dwSet;
    Invalidate(FALSE);
}

void ToolBarButton::SaveData(std::vector<BYTE>& data) const
{
    data.clear();
}

void ToolBarButton::LoadData(const BYTE*, UINT) {}

// ---- drawing

void ToolBarButton::Draw(CDC* pDC, ToolBarDrawContext* pContext)
{
    const CRect rect = GetRect();
    if (m_pBar == nullptr || !pDC->RectVisible(&rect))
        return;
    const LTGlobalData& data = LTGetGlobalData();
    const DWORD dwEx = m_pBar->GetExBarStyle();
    const BOOL bFlat = (dwEx & BAR_EX_FLAT_BORDERS) != 0;
    const BOOL bTransparent = bFlat && (dwEx & BAR_EX_TRANSPARENT_BUTTONS) != 0;
    if (IsSeparator()) {
        if (!bFlat || (m_dwStyle & LTBS_WRAPPED))
            return;
        if (!(dwEx & BAR_EX_TRANSPARENT_BUTTONS))
            pDC->FillSolidRect(&rect, data.clrBtnFace);
        const int xLine = m_x + (m_pBar->m_nImageWidth + 8) / 6;
        pDC->FillSolidRect(xLine, m_y, 1, m_cy, data.clrBtnShadow);
        pDC->FillSolidRect(xLine + 1, m_y, 1, m_cy, data.clrBtnHilite);
        return;
    }
    const BOOL bCustomize = m_pBar->m_bCustomize;
    int x = 0, y = 0, cx = m_cx, cy = m_cy;
    DrawFace(pContext, bCustomize, x, y, cx, cy);
    if (!bCustomize && !(m_dwStyle & LTBS_PRESSED)) {
        if (m_dwStyle & LTBS_DISABLED)
            DrawDisabled(pContext, x, y, cx, cy);
        else if (m_dwStyle & LTBS_CHECKED)
            DrawChecked(pContext, x, y, cx, cy);
        else if (m_dwStyle & LTBS_INDETERMINATE)
            DrawIndeterminate(pContext, x, y, cx, cy);
    }
    CDC& button = pContext->m_dcButton;
    if (bTransparent) {
        // Face-coloured pixels show what the bar has under the button.
        CDC& mask = pContext->m_dcMask;
        mask.PatBlt(0, 0, m_cx, m_cy, WHITENESS);
        button.SetBkColor(data.clrBtnFace);
        mask.BitBlt(0, 0, m_cx, m_cy, &button, 0, 0, SRCCOPY);
        button.SetBkColor(RGB(255, 255, 255));
        button.SetTextColor(RGB(0, 0, 0));
        button.BitBlt(0, 0, m_cx, m_cy, pDC, m_x, m_y, SRCINVERT);
        button.BitBlt(0, 0, m_cx, m_cy, &mask, 0, 0, 0x220326);
        button.BitBlt(0, 0, m_cx, m_cy, pDC, m_x, m_y, SRCINVERT);
    }
    if (m_dwStyle & LTBS_SELECTED)
        DrawSelected(pContext, 0, 0, m_cx, m_cy);
    pDC->BitBlt(m_x, m_y, m_cx, m_cy, &button, 0, 0, SRCCOPY);
}

void ToolBarButton::DrawFace(ToolBarDrawContext* pContext, BOOL bCustomize, int& x, int& y, int& cx, int& cy,
                             int nImageWidth)
{
    const LTGlobalData& data = LTGetGlobalData();
    CDC& dc = pContext->m_dcButton;
    const int nImageW = nImageWidth >= 0 ? nImageWidth : m_pBar->m_nImageWidth;
    const int nImageH = m_pBar->m_nImageHeight;
    const BOOL bFlat = (m_pBar->GetExBarStyle() & BAR_EX_FLAT_BORDERS) != 0;
    dc.FillSolidRect(x, y, cx, cy, data.clrBtnFace);
    int xImage = x + (cx - nImageW - 1) / 2;
    int yImage = y + (cy - nImageH) / 2;
    int nInset = 1;
    if ((m_dwStyle & (LTBS_PRESSED | LTBS_CHECKED)) && !bCustomize) {
        dc.Draw3dRect(x, y, cx, cy, bFlat ? data.clrBtnShadow : data.clrWindowFrame, data.clrBtnHilite);
        if (!bFlat)
            dc.Draw3dRect(x + 1, y + 1, cx - 2, cy - 2, data.clrBtnShadow, data.clrBtnFace);
        ++xImage;
        ++yImage;
    } else if (bFlat) {
        if ((m_dwStyle & LTBS_HOT) && !bCustomize)
            dc.Draw3dRect(x, y, cx, cy, data.clrBtnHilite, data.clrBtnShadow);
        nInset = 2;
    } else {
        dc.Draw3dRect(x, y, cx, cy, data.clrBtnHilite, data.clrWindowFrame);
        dc.Draw3dRect(x + 1, y + 1, cx - 2, cy - 2, data.clrBtnFace, data.clrBtnShadow);
    }
    dc.BitBlt(xImage, yImage, nImageW, nImageH, &pContext->m_dcImage, nImageW * static_cast<int>(m_nImage), 0,
              SRCCOPY);
    x += nInset;
    y += nInset;
    cx -= 2 * nInset;
    cy -= 2 * nInset;
}

void ToolBarButton::MakeMask(ToolBarDrawContext* pContext, int x, int y, int cx, int cy)
{
    const LTGlobalData& data = LTGetGlobalData();
    CDC& mask = pContext->m_dcMask;
    CDC& button = pContext->m_dcButton;
    mask.PatBlt(0, 0, m_cx, m_cy, WHITENESS);
    button.SetBkColor(data.clrBtnFace);
    mask.BitBlt(x, y, cx, cy, &button, x, y, SRCCOPY);
    button.SetBkColor(data.clrBtnHilite);
    mask.BitBlt(x, y, cx, cy, &button, x, y, SRCPAINT);
    // A monochrome source then stands for all ones (white) and all zeros (black).
    button.SetBkColor(RGB(255, 255, 255));
    button.SetTextColor(RGB(0, 0, 0));
}

void ToolBarButton::DrawDisabled(ToolBarDrawContext* pContext, int x, int y, int cx, int cy)
{
    const LTGlobalData& data = LTGetGlobalData();
    CDC& button = pContext->m_dcButton;
    MakeMask(pContext, x, y, cx, cy);
    button.FillSolidRect(x, y, cx, cy, data.clrBtnFace);
    button.SetBkColor(RGB(255, 255, 255));
    CBrush hilite, shadow;
    hilite.CreateSolidBrush(data.clrBtnHilite);
    shadow.CreateSolidBrush(data.clrBtnShadow);
    HGDIOBJ hOld = button.SelectObject(static_cast<HGDIOBJ>(hilite.GetSafeHandle()));
    button.BitBlt(x + 1, y + 1, cx - 1, cy - 1, &pContext->m_dcMask, x, y, kRopPatternWhereBlack);
    button.SelectObject(static_cast<HGDIOBJ>(shadow.GetSafeHandle()));
    button.BitBlt(x, y, cx, cy, &pContext->m_dcMask, x, y, kRopPatternWhereBlack);
    if (m_dwStyle & LTBS_CHECKED) {
        pContext->m_dcMask.BitBlt(x + 1, y + 1, cx - 1, cy - 1, &pContext->m_dcMask, x, y, SRCAND);
        button.SelectObject(static_cast<HGDIOBJ>(pContext->m_brDither.GetSafeHandle()));
        button.BitBlt(x, y, cx, cy, &pContext->m_dcMask, x, y, kRopPatternWhereWhite);
    }
    button.SelectObject(hOld);
}

void ToolBarButton::DrawChecked(ToolBarDrawContext* pContext, int x, int y, int cx, int cy)
{
    CDC& button = pContext->m_dcButton;
    MakeMask(pContext, x, y, cx, cy);
    HGDIOBJ hOld = button.SelectObject(static_cast<HGDIOBJ>(pContext->m_brDither.GetSafeHandle()));
    button.BitBlt(x, y, cx, cy, &pContext->m_dcMask, x, y, kRopPatternWhereWhite);
    button.SelectObject(hOld);
}

void ToolBarButton::DrawIndeterminate(ToolBarDrawContext* pContext, int x, int y, int cx, int cy)
{
    const LTGlobalData& data = LTGetGlobalData();
    CDC& button = pContext->m_dcButton;
    MakeMask(pContext, x, y, cx, cy);
    CBrush shadow;
    shadow.CreateSolidBrush(data.clrBtnShadow);
    HGDIOBJ hOld = button.SelectObject(static_cast<HGDIOBJ>(shadow.GetSafeHandle()));
    button.BitBlt(x, y, cx, cy, &pContext->m_dcMask, x, y, kRopPatternWhereBlack);
    button.SelectObject(static_cast<HGDIOBJ>(pContext->m_brDither.GetSafeHandle()));
    button.BitBlt(x, y, cx, cy, &pContext->m_dcMask, x, y, kRopPatternWhereWhite);
    button.SelectObject(hOld);
}

void ToolBarButton::DrawSelected(ToolBarDrawContext* pContext, int x, int y, int cx, int cy)
{
    CDC& button = pContext->m_dcButton;
    button.SetBkColor(RGB(255, 255, 255));
    button.SetTextColor(RGB(0, 0, 0));
    const CRect rect(x, y, x + cx, y + cy);
    button.DrawDragRect(&rect, CSize(3, 3), nullptr, CSize(0, 0));
}
