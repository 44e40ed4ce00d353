#include "classlib/win/DC.h"

#include "classlib/win/ThreadState.h"
#include "classlib/win/Wnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

HDC CDC::GetSafeHdc() const
{
    const CDC* self = AfxLaunderThis(this);
    return self == nullptr ? nullptr : self->m_hDC;
}

CDC* CDC::FromHandle(HDC hDC)
{
    return AfxGetThreadState()->DCMap().FromHandle(hDC);
}

void CDC::DeleteTempMap()
{
    AfxGetThreadState()->DCMap().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    ASSERT(m_hDC == nullptr);
    if (!AfxGetThreadState()->DCMap().AttachPermanent(hDC, this))
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    AfxGetThreadState()->DCMap().DetachPermanent(hDC, this);
    m_hDC = m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(
        ::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(
        ::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen->GetSafeHandle())));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush->GetSafeHandle())));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    // Text is measured on the attribute context: it gets the font too.
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::SelectObject(m_hAttribDC, pFont->GetSafeHandle());
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont->GetSafeHandle())));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->GetSafeHandle())));
}

int CDC::SelectObject(CRgn* pRgn)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, pRgn->GetSafeHandle())));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC && ::GetObjectType(pObject->GetSafeHandle()) == OBJ_FONT)
        ::SelectObject(m_hAttribDC, pObject->GetSafeHandle());
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->GetSafeHandle()));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return CPalette::FromHandle(
        ::SelectPalette(m_hDC, static_cast<HPALETTE>(pPalette->GetSafeHandle()), bForceBackground));
}

int CDC::SetMapMode(int nMapMode)
{
    const int nOld = ::SetMapMode(m_hDC, nMapMode);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::SetMapMode(m_hAttribDC, nMapMode);
    return nOld;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::SetViewportOrgEx(m_hAttribDC, x, y, nullptr);
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::SetWindowOrgEx(m_hAttribDC, x, y, nullptr);
    return old;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old = {0, 0};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, nullptr);
    return old;
}

CPoint CDC::GetViewportOrg() const
{
    POINT org = {0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &org);
    return org;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old = {0, 0};
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::SetViewportExtEx(m_hAttribDC, cx, cy, nullptr);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old = {0, 0};
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::SetWindowExtEx(m_hAttribDC, cx, cy, nullptr);
    return old;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old = {0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx,
                       size.cy, nFlags | DST_BITMAP);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

int CDC::GetTextFace(CString& rString) const
{
    char face[LF_FACESIZE] = {};
    const int n = ::GetTextFace(m_hAttribDC, LF_FACESIZE, face);
    rString = face;
    return n;
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di = {};
    di.cbSize = sizeof di;
    di.lpszDocName = lpszDocName;
    return StartDoc(&di);
}

CBrush* CDC::GetHalftoneBrush()
{
    static CBrush* pBrush = []() {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        // A process-wide brush: not in any thread's handle map, never deleted.
        auto* p = new CBrush;
        p->m_hObject = ::CreatePatternBrush(hBitmap);
        ::DeleteObject(hBitmap);
        return p;
    }();
    return pBrush;
}

namespace {

// The frame of lpRect with sides size thick, as a region (empty for a size of 0).
void MakeFrameRegion(CRgn& rgn, LPCRECT lpRect, SIZE size)
{
    CRect outside(lpRect);
    CRect inside(lpRect);
    inside.InflateRect(-size.cx, -size.cy);
    inside.IntersectRect(&inside, &outside);
    CRgn rgnOutside, rgnInside;
    rgnOutside.CreateRectRgnIndirect(&outside);
    rgnInside.CreateRectRgnIndirect(&inside);
    rgn.CreateRectRgn(0, 0, 0, 0);
    rgn.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);
}

void InvertRegion(CDC* pDC, CRgn* pRgn, CBrush* pBrush)
{
    pDC->SelectClipRgn(pRgn);
    CRect rect;
    pDC->GetClipBox(&rect);
    CBrush* pOld = pDC->SelectObject(pBrush);
    pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    pDC->SelectObject(pOld);
}

} // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    if (pBrush == nullptr)
        pBrush = GetHalftoneBrush();
    if (pBrushLast == nullptr)
        pBrushLast = pBrush;

    CRgn rgnNew;
    MakeFrameRegion(rgnNew, lpRect, size);
    if (lpRectLast == nullptr) {
        InvertRegion(this, &rgnNew, pBrush);
    } else {
        CRgn rgnLast;
        MakeFrameRegion(rgnLast, lpRectLast, sizeLast);
        if (pBrush->m_hObject != pBrushLast->m_hObject) {
            // Different brushes cannot share pixels: take the old frame away whole, then draw the new.
            InvertRegion(this, &rgnLast, pBrushLast);
            InvertRegion(this, &rgnNew, pBrush);
        } else {
            // Pixels in both frames keep their inverted state: touch only the difference.
            CRgn rgnUpdate;
            rgnUpdate.CreateRectRgn(0, 0, 0, 0);
            rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
            InvertRegion(this, &rgnUpdate, pBrush);
        }
    }
    SelectClipRgn(nullptr);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hDC != nullptr) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}
