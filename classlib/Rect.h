// CPoint, CSize and CRect: the platform's POINT, SIZE and RECT with arithmetic.
//
// They add no data, so a CRect* can be passed wherever an LPRECT goes and back. Rectangles follow the
// platform's rules: right and bottom are exclusive, a rectangle whose width or height is not positive is
// empty, and intersection or union with an empty rectangle behaves as the platform's IntersectRect and
// UnionRect do (the result of an empty intersection is all zeros). Portable: no call reaches the system.
#pragma once

#include "classlib/Types.h"

class CSize;
class CRect;

class CPoint : public tagPOINT
{
public:
    CPoint() : tagPOINT{0, 0} {}
    CPoint(int initX, int initY) : tagPOINT{initX, initY} {}
    CPoint(POINT initPt) : tagPOINT(initPt) {}
    CPoint(SIZE initSize) : tagPOINT{initSize.cx, initSize.cy} {}
    // Low word x, high word y, both signed (as mouse messages carry them).
    explicit CPoint(LPARAM dwPoint)
        : tagPOINT{static_cast<short>(LOWORD(dwPoint)), static_cast<short>(HIWORD(dwPoint))}
    {
    }

    void Offset(int xOffset, int yOffset)
    {
        x += xOffset;
        y += yOffset;
    }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y)
    {
        x = X;
        y = Y;
    }

    BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const { return !(*this == point); }
    void operator+=(SIZE size) { Offset(size); }
    void operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) { Offset(point); }
    void operator-=(POINT point) { Offset(-point.x, -point.y); }

    inline CPoint operator+(SIZE size) const;
    inline CPoint operator-(SIZE size) const;
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    inline CSize operator-(POINT point) const;
    inline CRect operator+(const RECT* lpRect) const;
    inline CRect operator-(const RECT* lpRect) const;
};

class CSize : public tagSIZE
{
public:
    CSize() : tagSIZE{0, 0} {}
    CSize(int initCX, int initCY) : tagSIZE{initCX, initCY} {}
    CSize(SIZE initSize) : tagSIZE(initSize) {}
    CSize(POINT initPt) : tagSIZE{initPt.x, initPt.y} {}
    explicit CSize(DWORD dwSize)
        : tagSIZE{static_cast<short>(LOWORD(dwSize)), static_cast<short>(HIWORD(dwSize))}
    {
    }

    BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    BOOL operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size)
    {
        cx += size.cx;
        cy += size.cy;
    }
    void operator-=(SIZE size)
    {
        cx -= size.cx;
        cy -= size.cy;
    }
    void SetSize(int CX, int CY)
    {
        cx = CX;
        cy = CY;
    }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
    CPoint operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
};

class CRect : public tagRECT
{
public:
    CRect() : tagRECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : tagRECT{l, t, r, b} {}
    CRect(const RECT& srcRect) : tagRECT(srcRect) {}
    CRect(const RECT* lpSrcRect) : tagRECT(*lpSrcRect) {}
    CRect(POINT point, SIZE size) : tagRECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : tagRECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
    CPoint& BottomRight() { return *(reinterpret_cast<CPoint*>(this) + 1); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
    const CPoint& BottomRight() const { return *(reinterpret_cast<const CPoint*>(this) + 1); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    // Empty: no area.  Null: all four coordinates 0.
    BOOL IsRectEmpty() const { return left >= right || top >= bottom; }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    // Right and bottom are outside.
    BOOL PtInRect(POINT point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }

    void SetRect(int x1, int y1, int x2, int y2)
    {
        left = x1;
        top = y1;
        right = x2;
        bottom = y2;
    }
    void SetRect(POINT topLeft, POINT bottomRight)
    {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT lpSrcRect) { *static_cast<RECT*>(this) = *lpSrcRect; }
    BOOL EqualRect(LPCRECT lpRect) const
    {
        return left == lpRect->left && top == lpRect->top && right == lpRect->right &&
               bottom == lpRect->bottom;
    }

    void InflateRect(int x, int y)
    {
        left -= x;
        top -= y;
        right += x;
        bottom += y;
    }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect)
    {
        left -= lpRect->left;
        top -= lpRect->top;
        right += lpRect->right;
        bottom += lpRect->bottom;
    }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT lpRect)
    {
        left += lpRect->left;
        top += lpRect->top;
        right -= lpRect->right;
        bottom -= lpRect->bottom;
    }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int x, int y)
    {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    // Swaps left/right and top/bottom where they are reversed.
    void NormalizeRect();

    // As IntersectRect / UnionRect / SubtractRect: TRUE when the result is not empty.
    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2);
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2);
    // The part of lpRectSrc1 outside lpRectSrc2 when that is a rectangle; otherwise lpRectSrc1 itself.
    BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2);

    void operator=(const RECT& srcRect) { CopyRect(&srcRect); }
    BOOL operator==(const RECT& rect) const { return EqualRect(&rect); }
    BOOL operator!=(const RECT& rect) const { return !EqualRect(&rect); }
    void operator+=(POINT point) { OffsetRect(point); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
    void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
    void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) { IntersectRect(this, &rect); }
    void operator|=(const RECT& rect) { UnionRect(this, &rect); }

    CRect operator+(POINT pt) const
    {
        CRect rect(*this);
        rect.OffsetRect(pt);
        return rect;
    }
    CRect operator-(POINT pt) const
    {
        CRect rect(*this);
        rect.OffsetRect(-pt.x, -pt.y);
        return rect;
    }
    CRect operator+(SIZE size) const
    {
        CRect rect(*this);
        rect.OffsetRect(size);
        return rect;
    }
    CRect operator-(SIZE size) const
    {
        CRect rect(*this);
        rect.OffsetRect(-size.cx, -size.cy);
        return rect;
    }
    CRect operator+(LPCRECT lpRect) const
    {
        CRect rect(*this);
        rect.InflateRect(lpRect);
        return rect;
    }
    CRect operator-(LPCRECT lpRect) const
    {
        CRect rect(*this);
        rect.DeflateRect(lpRect);
        return rect;
    }
    CRect operator&(const RECT& rect2) const
    {
        CRect rect;
        rect.IntersectRect(this, &rect2);
        return rect;
    }
    CRect operator|(const RECT& rect2) const
    {
        CRect rect;
        rect.UnionRect(this, &rect2);
        return rect;
    }
    CRect MulDiv(int nMultiplier, int nDivisor) const;
};

inline CPoint CPoint::operator+(SIZE size) const
{
    return CPoint(x + size.cx, y + size.cy);
}
inline CPoint CPoint::operator-(SIZE size) const
{
    return CPoint(x - size.cx, y - size.cy);
}
inline CSize CPoint::operator-(POINT point) const
{
    return CSize(x - point.x, y - point.y);
}
inline CRect CPoint::operator+(const RECT* lpRect) const
{
    CRect rect(lpRect);
    rect.OffsetRect(x, y);
    return rect;
}
inline CRect CPoint::operator-(const RECT* lpRect) const
{
    CRect rect(lpRect);
    rect.OffsetRect(-x, -y);
    return rect;
}

static_assert(sizeof(CRect) == sizeof(RECT) && sizeof(CPoint) == sizeof(POINT) &&
                  sizeof(CSize) == sizeof(SIZE),
              "the wrappers add no data");
