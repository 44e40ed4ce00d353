#include "richtext/engine/TxShape.h"

#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxPlatform.h"

#include <cstring>

namespace {
const TxRect kZeroRect = {0, 0, 0, 0};
// Resolving overlaps stops after this many passes even if some remain (shapes stay small).
const int kMaxPasses = 4096;

// A locked shape being edited; the pointer is taken afresh after every resize.
class Edit
{
public:
    explicit Edit(TxShape shape) : shape_(shape), lock_(shape) {}
    TxRect* R() const { return static_cast<TxRect*>(TxRecordPtr(shape_, 0, false)); }
    int32_t Count() const { return TxRecordCount(shape_) - 1; }
    void Append(const TxRect& r) { *static_cast<TxRect*>(TxAppendRecords(shape_, 1, false)) = r; }
    void Delete(int32_t i) { TxDeleteRecords(shape_, i, 1); }
    TxShape shape() const { return shape_; }

private:
    TxShape shape_;
    TxLock lock_;
};

void Bounding(const TxRect& a, const TxRect& b, TxRect& out)
{
    TxRect r;
    r.top = a.top < b.top ? a.top : b.top;
    r.left = a.left < b.left ? a.left : b.left;
    r.bottom = a.bottom > b.bottom ? a.bottom : b.bottom;
    r.right = a.right > b.right ? a.right : b.right;
    out = r;
}

// Whether q, rectangle number index, absorbs r: rectangle 1 empty; r inside q; stacked or
// aligned vertically; side by side or aligned horizontally.
bool Absorbs(const TxRect& q, int32_t index, const TxRect& r)
{
    if (index == 1 && TxRectIsEmpty(q))
        return true;
    if (TxRectContains(q, r))
        return true;
    if (q.left == r.left && q.right == r.right &&
        (r.top == q.top || r.top == q.bottom || r.bottom == q.top || r.bottom == q.bottom))
        return true;
    return q.top == r.top && q.bottom == r.bottom &&
           (q.left == r.left || q.left == r.right || q.right == r.left || q.right == r.right);
}

void Absorb(TxRect& q, int32_t index, const TxRect& r)
{
    if (index == 1 && TxRectIsEmpty(q))
        q = r;
    else
        Bounding(q, r, q);
}

// The merge rule: the first rectangle (other than skip) that can absorb r takes it, else r is
// appended; the bounds grow by r.
void MergeAdd(Edit& e, const TxRect& r, int32_t skip = 0)
{
    bool absorbed = false;
    for (int32_t i = 1; i <= e.Count(); ++i) {
        if (i != skip && Absorbs(e.R()[i], i, r)) {
            Absorb(e.R()[i], i, r);
            absorbed = true;
            break;
        }
    }
    if (!absorbed)
        e.Append(r);
    TxRect bounds = e.R()[0];
    TxUnionRect(r, bounds, e.R()[0]);
}

// Pieces of b outside the rectangle s inside it, in the order given by 'order' (0 top, 1 left,
// 2 right, 3 bottom); empty pieces are left out.
int PiecesOutside(const TxRect& b, const TxRect& s, const int order[4], TxRect out[4])
{
    int n = 0;
    for (int k = 0; k < 4; ++k) {
        TxRect p;
        switch (order[k]) {
        case 0:
            p = {b.top, b.left, s.top, b.right};
            break;
        case 1:
            p = {s.top, b.left, s.bottom, s.left};
            break;
        case 2:
            p = {s.top, s.right, s.bottom, b.right};
            break;
        default:
            p = {s.bottom, b.left, b.bottom, b.right};
            break;
        }
        if (p.top < p.bottom && p.left < p.right)
            out[n++] = p;
    }
    return n;
}

const int kMinusOrder[4] = {0, 1, 2, 3}; // top, left, right, bottom
const int kUnionOrder[4] = {0, 3, 1, 2}; // top, bottom, left, right

// b minus a: -1 when b lies inside a, 0 when they do not overlap, else the number of pieces.
int RectMinus(const TxRect& b, const TxRect& a, TxRect out[4])
{
    if (TxRectContains(a, b))
        return -1;
    TxRect s;
    if (!TxSectRect(&a, &b, &s))
        return 0;
    return PiecesOutside(b, s, kMinusOrder, out);
}

// Pieces whose union is r and d together (r alone when they do not meet or r holds d).
int UnionPieces(const TxRect& r, const TxRect& d, TxRect out[9])
{
    TxRect s;
    if (!TxSectRectTouching(&r, &d, &s) || TxRectContains(r, d)) {
        out[0] = r;
        return 1;
    }
    if (TxRectContains(d, r)) {
        out[0] = d;
        return 1;
    }
    int n = PiecesOutside(r, s, kUnionOrder, out);
    n += PiecesOutside(d, s, kUnionOrder, out + n);
    if (!TxRectIsEmpty(s))
        out[n++] = s;
    return n;
}

void RecomputeBounds(Edit& e)
{
    TxRect bounds = kZeroRect;
    for (int32_t i = 1; i <= e.Count(); ++i)
        TxUnionRect(bounds, e.R()[i], bounds);
    e.R()[0] = bounds;
}

void Normalise(Edit& e)
{
    for (bool merged = true; merged;) {
        merged = false;
        for (int32_t i = e.Count(); i >= 1 && !merged; --i) {
            for (int32_t j = 1; j <= e.Count(); ++j) {
                if (j != i && Absorbs(e.R()[j], j, e.R()[i])) {
                    TxRect r = e.R()[i];
                    Absorb(e.R()[j], j, r);
                    e.Delete(i);
                    merged = true;
                    break;
                }
            }
        }
    }
    RecomputeBounds(e);
    for (int32_t i = 1; i < e.Count();) {
        TxRect* R = e.R();
        if (R[i + 1].top < R[i].top) {
            TxRect t = R[i];
            R[i] = R[i + 1];
            R[i + 1] = t;
            i = 1;
        } else {
            ++i;
        }
    }
}

// Makes the shape empty: two zero records.
void Clear(TxShape shape)
{
    TxSetShapeRect(shape, nullptr);
}

// Finds the first pair of rectangles (i < j) that overlap with positive area.
bool FirstOverlap(Edit& e, int32_t& i, int32_t& j)
{
    for (i = 1; i <= e.Count(); ++i)
        for (j = i + 1; j <= e.Count(); ++j)
            if (TxSectRect(&e.R()[i], &e.R()[j], nullptr))
                return true;
    return false;
}

void CopyRecords(TxShape from, TxShape to)
{
    TxCopyRefContents(from, to);
}
} // namespace

TxShape TxNewShape(TxMemGlobals* globals, const TxRect* rect)
{
    TxShape shape = TxNewRef(globals, int16_t(sizeof(TxRect)), 2, 8, false);
    TxLock lock(shape);
    TxRect* R = lock.Records<TxRect>();
    R[0] = R[1] = rect ? *rect : kZeroRect;
    return shape;
}

void TxSetShapeRect(TxShape shape, const TxRect* rect)
{
    TxSetRecordCount(shape, 2);
    TxLock lock(shape);
    TxRect* R = lock.Records<TxRect>();
    R[0] = R[1] = rect ? *rect : kZeroRect;
}

void TxDisposeShape(TxShape shape)
{
    TxDisposeRefChecked(shape);
}

bool TxShapeIsEmpty(TxShape shape)
{
    if (TxRecordCount(shape) < 2)
        return true;
    TxRect bounds;
    TxGetRecord(shape, 0, &bounds);
    return TxRectIsEmpty(bounds);
}

bool TxEqualShapes(TxShape a, TxShape b)
{
    if (TxRecordCount(a) != TxRecordCount(b))
        return false;
    TxLock la(a), lb(b);
    return std::memcmp(TxRecordPtr(a, 0, false), TxRecordPtr(b, 0, false), size_t(TxByteSize(a))) == 0;
}

void TxGetShapeBounds(TxShape shape, TxRect& out)
{
    if (TxRecordCount(shape) < 1)
        out = kZeroRect;
    else
        TxGetRecord(shape, 0, &out);
}

int32_t TxShapeRectCount(TxShape shape)
{
    int32_t n = TxRecordCount(shape) - 1;
    return n < 0 ? 0 : n;
}

TxRect TxShapeRect(TxShape shape, int32_t index)
{
    TxRect r;
    TxGetRecord(shape, index, &r);
    return r;
}

void TxRecomputeShapeBounds(TxShape shape)
{
    if (TxRecordCount(shape) < 2) {
        Clear(shape);
        return;
    }
    Edit e(shape);
    RecomputeBounds(e);
}

void TxAddRectToShape(TxShape shape, const TxRect& rect)
{
    if (TxRectIsEmpty(rect))
        return;
    if (TxShapeIsEmpty(shape)) {
        TxSetShapeRect(shape, &rect);
        return;
    }
    Edit e(shape);
    MergeAdd(e, rect);
}

void TxUnionRectShape(TxShape shape, const TxRect& rect)
{
    if (TxRectIsEmpty(rect))
        return;
    if (TxShapeIsEmpty(shape)) {
        TxSetShapeRect(shape, &rect);
        return;
    }
    if (!TxShapeTouchesRect(shape, rect, nullptr)) {
        TxAddRectToShape(shape, rect);
        return;
    }
    TxMemGlobals* g = TxRefMemGlobals(shape);
    TxShape copy = TxNewShape(g, nullptr);
    try {
        {
            Edit e(copy);
            int32_t n = TxShapeRectCount(shape);
            for (int32_t i = 1; i <= n; ++i) {
                TxRect pieces[9];
                int k = UnionPieces(TxShapeRect(shape, i), rect, pieces);
                for (int p = 0; p < k; ++p) {
                    if (!TxRectIsEmpty(pieces[p]))
                        MergeAdd(e, pieces[p]);
                }
            }
            Normalise(e);
            // Overlaps left by rectangles that met the new one twice: each overlapping pair is
            // replaced by the pieces of its union until none overlap.
            int32_t i, j;
            for (int pass = 0; pass < kMaxPasses && FirstOverlap(e, i, j); ++pass) {
                TxRect first = e.R()[i], second = e.R()[j];
                e.Delete(i);
                TxRect pieces[9];
                int k = UnionPieces(first, second, pieces);
                for (int p = 0; p < k; ++p)
                    MergeAdd(e, pieces[p]);
                Normalise(e);
            }
        }
        CopyRecords(copy, shape);
    } catch (const TxEngineError&) {
        TxDisposeShape(copy);
        throw;
    }
    TxDisposeShape(copy);
}

void TxDiffShape(TxShape a, TxShape b, TxShape result)
{
    TxRect boundsA, boundsB;
    TxGetShapeBounds(a, boundsA);
    TxGetShapeBounds(b, boundsB);
    if (TxShapeIsEmpty(a) || TxShapeIsEmpty(b) || !TxSectRect(&boundsA, &boundsB, nullptr)) {
        CopyRecords(b, result);
        return;
    }
    TxShape w = TxDuplicateRef(b);
    try {
        int32_t na = TxShapeRectCount(a);
        {
            Edit we(w);
            for (int32_t i = 1; i <= na; ++i) {
                TxRect e = TxShapeRect(a, i);
                for (int32_t j = 1; j <= we.Count(); ++j) {
                    if (TxRectContains(e, we.R()[j])) {
                        we.Delete(j);
                        break;
                    }
                }
            }
        }
        TxRecomputeShapeBounds(w);
        Clear(result);
        if (!TxShapeIsEmpty(w)) {
            int32_t nw = TxShapeRectCount(w);
            for (int32_t i = 1; i <= na; ++i) {
                TxRect e = TxShapeRect(a, i);
                for (int32_t j = 1; j <= nw; ++j) {
                    TxRect p = TxShapeRect(w, j);
                    TxRect pieces[4];
                    int k = RectMinus(p, e, pieces);
                    if (k == 0)
                        TxAddRectToShape(result, p);
                    for (int q = 0; q < k; ++q)
                        TxAddRectToShape(result, pieces[q]);
                }
            }
        }
        bool changed = false;
        {
            Edit r(result);
            for (bool found = true; found && !TxShapeIsEmpty(result);) {
                found = false;
                for (int32_t i = 1; i <= na && !found; ++i) {
                    TxRect e = TxShapeRect(a, i);
                    for (int32_t j = 1; j <= r.Count(); ++j) {
                        TxRect pieces[4];
                        int k = RectMinus(r.R()[j], e, pieces);
                        if (k == 0)
                            continue;
                        found = changed = true;
                        if (k < 0) {
                            if (r.Count() == 1)
                                r.R()[0] = r.R()[1] = kZeroRect;
                            else
                                r.Delete(j);
                        } else {
                            r.R()[j] = pieces[0];
                            if (k > 1) {
                                auto* at = static_cast<TxRect*>(TxInsertRecords(result, j + 1, k - 1));
                                for (int q = 1; q < k; ++q)
                                    at[q - 1] = pieces[q];
                            }
                        }
                        break;
                    }
                }
            }
            if (changed && !TxShapeIsEmpty(result))
                Normalise(r);
        }
    } catch (const TxEngineError&) {
        TxDisposeShape(w);
        throw;
    }
    TxDisposeShape(w);
}

void TxOffsetShape(TxShape shape, int32_t dh, int32_t dv)
{
    if (dh == 0 && dv == 0)
        return;
    Edit e(shape);
    for (int32_t i = 0; i <= e.Count(); ++i)
        TxOffsetRect(e.R()[i], dh, dv);
}

void TxScaleShape(TxShape shape, const TxPoint& origin, int16_t numerator, int16_t denominator)
{
    TxScale scale = {origin.v, origin.h, TxScaleOf(numerator, denominator)};
    {
        Edit e(shape);
        for (int32_t i = 0; i <= e.Count(); ++i)
            TxScaleRect(scale, nullptr, e.R()[i]);
    }
    TxRecomputeShapeBounds(shape);
}

int32_t TxSectShapeIndex(TxShape shape, const TxRect& rect, TxRect* out)
{
    if (TxRecordCount(shape) < 2)
        return 0;
    Edit e(shape);
    if (!TxSectRect(&e.R()[0], &rect, nullptr))
        return 0;
    for (int32_t i = 1; i <= e.Count(); ++i)
        if (TxSectRect(&e.R()[i], &rect, out))
            return i;
    return 0;
}

bool TxSectShapeRect(TxShape shape, const TxRect& rect, const TxPoint* offset, TxRect* out)
{
    TxRect moved = rect;
    if (offset)
        TxOffsetRect(moved, offset->h, offset->v);
    return TxSectShapeIndex(shape, moved, out) != 0;
}

bool TxShapeTouchesRect(TxShape shape, const TxRect& rect, TxRect* out)
{
    Edit e(shape);
    for (int32_t i = 1; i <= e.Count(); ++i)
        if (TxSectRectTouching(&e.R()[i], &rect, out))
            return true;
    return false;
}

int32_t TxPointInShape(TxShape shape, const TxPoint& point, const TxPoint* offset, const TxPoint* inset,
                       const TxScale* scale)
{
    if (!shape)
        return 0;
    TxPoint p = point;
    if (offset) {
        p.v -= offset->v;
        p.h -= offset->h;
    }
    Edit e(shape);
    for (int32_t i = 1; i <= e.Count(); ++i)
        if (TxPointInMappedRect(p, e.R()[i], inset, scale))
            return i;
    return 0;
}

bool TxFitInShape(TxShape shape, TxRect& line, int32_t minimumWidth, int32_t& index, const TxPoint& offset)
{
    Edit e(shape);
    if (index < 1 || index > e.Count())
        return false;
    TxOffsetRect(line, -offset.h, -offset.v);
    const TxRect* R = e.R();
    int64_t height = int64_t(line.bottom) - line.top;
    line.left = R[index].left;
    line.right = R[index].right;
    int64_t available = int64_t(R[index].bottom) - line.top;
    while (available < height && index < e.Count() && R[index + 1].top == R[index].bottom) {
        const TxRect& next = R[index + 1];
        if (next.left > line.left)
            line.left = next.left;
        if (next.right < line.right)
            line.right = next.right;
        available += int64_t(next.bottom) - next.top;
        ++index;
        if (int64_t(line.right) - line.left < minimumWidth)
            break;
    }
    bool fits = available >= height && int64_t(line.right) - line.left >= minimumWidth;
    TxOffsetRect(line, offset.h, offset.v);
    return fits;
}

int32_t TxShapeKind(TxShape shape)
{
    Edit e(shape);
    int32_t n = e.Count();
    if (n <= 1)
        return 0;
    const TxRect* R = e.R();
    int32_t kind = 1;
    int64_t firstWidth = int64_t(R[1].right) - R[1].left;
    for (int32_t i = 1; i < n && kind != 31; ++i) {
        const TxRect& r = R[i];
        const TxRect& next = R[i + 1];
        if (int64_t(next.right) - next.left != firstWidth)
            kind |= 2;
        if (next.top < r.bottom) {
            kind |= 4;
            if (TxSectRect(&r, &next, nullptr))
                kind |= 8;
        }
        if (next.top == r.bottom || next.left == r.right)
            kind |= 16;
    }
    return kind;
}

void TxShapeToRegion(TxShape shape, int32_t dv, int32_t dh, const TxScale* scale, int32_t shrink,
                     const TxRect* clip, uintptr_t region)
{
    int32_t n = TxShapeRectCount(shape);
    TxRef rects = TxNewRef(TxRefMemGlobals(shape), int16_t(sizeof(TxPlatformRect)), 0, int16_t(n), false);
    try {
        int32_t used = 0;
        for (int32_t i = 1; i <= n; ++i) {
            TxRect r = TxShapeRect(shape, i);
            if (TxRectIsEmpty(r) || (clip && !TxSectRect(&r, clip, &r)))
                continue;
            if (scale)
                TxScaleRect(*scale, nullptr, r);
            TxOffsetRect(r, dh, dv);
            TxPlatformRect p;
            TxRectToPlatform(r, nullptr, p);
            p.right -= shrink;
            p.bottom -= shrink;
            *static_cast<TxPlatformRect*>(TxAppendRecords(rects, 1, false)) = p;
            TxUnlockRef(rects);
            ++used;
        }
        TxLock lock(rects);
        TxCurrentPlatform().SetRegionRects(region, lock.Records<TxPlatformRect>(), used);
    } catch (const TxEngineError&) {
        TxDisposeRef(rects);
        throw;
    }
    TxDisposeRef(rects);
}
