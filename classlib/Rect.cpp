#include "classlib/Rect.h"

#include <algorithm>

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    const CRect a(lpRect1), b(lpRect2);
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
    if (a.IsRectEmpty() || b.IsRectEmpty() || r.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = r;
    return TRUE;
}

BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2)
{
    const CRect a(lpRect1), b(lpRect2);
    if (a.IsRectEmpty() && b.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    if (a.IsRectEmpty()) {
        *this = b;
        return TRUE;
    }
    if (b.IsRectEmpty()) {
        *this = a;
        return TRUE;
    }
    SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom));
    return TRUE;
}

BOOL CRect::SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2)
{
    CRect result(lpRectSrc1);
    const CRect cut(lpRectSrc2);
    CRect overlap;
    if (result.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    if (overlap.IntersectRect(&result, &cut)) {
        // Only a cut that spans a whole side leaves a rectangle.
        if (overlap.left == result.left && overlap.right == result.right) {
            if (overlap.top == result.top)
                result.top = overlap.bottom;
            else if (overlap.bottom == result.bottom)
                result.bottom = overlap.top;
        } else if (overlap.top == result.top && overlap.bottom == result.bottom) {
            if (overlap.left == result.left)
                result.left = overlap.right;
            else if (overlap.right == result.right)
                result.right = overlap.left;
        }
    }
    *this = result;
    if (IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    return TRUE;
}

static int MulDivInt(int value, int mul, int div)
{
    if (div == 0)
        return -1;
    const long long product = static_cast<long long>(value) * mul;
    // Rounded half away from zero, as the platform's MulDiv.
    const long long half = (div > 0 ? div : -div) / 2;
    return static_cast<int>((product + (product >= 0 ? half : -half)) / div);
}

CRect CRect::MulDiv(int nMultiplier, int nDivisor) const
{
    return CRect(MulDivInt(left, nMultiplier, nDivisor), MulDivInt(top, nMultiplier, nDivisor),
                 MulDivInt(right, nMultiplier, nDivisor), MulDivInt(bottom, nMultiplier, nDivisor));
}
