#include "richtext/engine/TxDocAreas.h"

#include "richtext/engine/TxStyleRuns.h"

#include <algorithm>
#include <climits>

namespace {
const uint32_t kForcePage = 0x1;
const uint32_t kForceVisible = 0x2;
const uint32_t kLayoutStaleAttr = 0x80000000;
const uint32_t kReadOnlyAttr = 0x08;
const uint32_t kWidenByExclusionsAttr = 0x100;

bool SameRect(const TxRect& a, const TxRect& b)
{
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

TxRect Bounds(TxShape shape)
{
    TxRect r;
    TxGetShapeBounds(shape, r);
    return r;
}

// The repetition step: (v, h) of one period in the directions the pages repeat.
TxPoint Period(TxDocument& doc)
{
    const TxRect page = Bounds(doc.pageArea);
    TxPoint p{0, 0};
    if (doc.info.flags & kTxInfoRepeatDown)
        p.v = std::max<int64_t>(1, int64_t(page.bottom) - page.top + doc.info.verticalGap);
    if (doc.info.flags & kTxInfoRepeatRight)
        p.h = std::max<int64_t>(1, int64_t(page.right) - page.left + doc.info.horizontalGap);
    return p;
}
} // namespace

void TxGetAreas(TxRef document, TxRect* pageBounds, TxRect* visibleBounds)
{
    TxDocLock doc(document);
    if (pageBounds)
        *pageBounds = Bounds(doc->pageArea);
    if (visibleBounds)
        *visibleBounds = Bounds(doc->visibleArea);
}

void TxSetAreas(TxRef document, const TxRect* page, const TxRect* visible)
{
    TxDocLock doc(document);
    bool relayout = false;
    if (page) {
        const TxRect old = Bounds(doc->pageArea);
        relayout = page->top != old.top || page->left != old.left || page->right != old.right;
        if (!SameRect(*page, old))
            doc->viewForce |= kForcePage;
        TxSetShapeRect(doc->pageArea, page);
    }
    if (visible) {
        if (!SameRect(*visible, Bounds(doc->visibleArea)))
            doc->viewForce |= kForceVisible;
        TxSetShapeRect(doc->visibleArea, visible);
        doc->visibleOrigin = {visible->top, visible->left};
    }
    TxSyncDocBounds(*doc);
    if (!(doc->attributes & kReadOnlyAttr))
        doc->attributes |= kLayoutStaleAttr;
    if (relayout)
        TxInvalidateAll(*doc);
    ++doc->changeCount;
}

void TxSyncDocBounds(TxDocument& doc)
{
    const TxRect page = Bounds(doc.pageArea);
    doc.bounds.top = page.top;
    doc.bounds.left = page.left;
    doc.bounds.right = page.right;
}

void TxUpdateDocBounds(TxDocument& doc)
{
    TxLock lock(doc.textBlocks);
    const int32_t n = TxRecordCount(doc.textBlocks);
    const TxTextBlock* blocks = lock.Records<TxTextBlock>();
    doc.blocksTop = blocks[0].rect.top;
    int32_t bottom = blocks[n - 1].rect.bottom;
    if (TxShapeKind(doc.pageArea) & (2 | 4 | 8 | 16))
        for (int32_t i = 0; i < n; ++i)
            bottom = std::max(bottom, blocks[i].rect.bottom);
    doc.blocksBottom = blocks[n - 1].rect.bottom;
    doc.bounds.bottom = bottom;
    const int32_t count = TxShapeRectCount(doc.pageArea);
    if (!(doc.info.flags & kTxInfoFixedPages) && count > 0) {
        TxRect* last = static_cast<TxRect*>(TxRecordPtr(doc.pageArea, count, false));
        const int32_t want = std::max(doc.blocksBottom, last->top + 1);
        if (last->bottom != want) {
            last->bottom = want;
            TxRecomputeShapeBounds(doc.pageArea);
        }
    }
    if ((doc.attributes & kWidenByExclusionsAttr) && !TxShapeIsEmpty(doc.exclusionArea))
        TxUnionRect(doc.bounds, Bounds(doc.exclusionArea), doc.bounds);
}

int32_t TxClampOffset(TxRef document, int32_t offset)
{
    TxDocLock doc(document);
    if (offset == -1)
        return TxCaretOffset(*doc);
    return std::clamp(offset, 0, doc->textSize);
}

int32_t TxDocMemoryId(TxRef document)
{
    return TxDocLock(document)->memoryId;
}

int32_t TxPageOfIndex(TxDocument& doc, int32_t index, TxPoint& offset)
{
    offset = {0, 0};
    if (!(doc.info.flags & (kTxInfoRepeatDown | kTxInfoRepeatRight)))
        return index;
    const int32_t n = std::max(1, TxShapeRectCount(doc.pageArea));
    const int32_t repetition = index / n;
    const TxPoint period = Period(doc);
    offset = {int32_t(std::clamp<int64_t>(int64_t(repetition) * period.v, INT32_MIN, INT32_MAX)),
              int32_t(std::clamp<int64_t>(int64_t(repetition) * period.h, INT32_MIN, INT32_MAX))};
    return index % n;
}

int32_t TxRepetitionAt(TxDocument& doc, const TxPoint& point, TxPoint& offset)
{
    offset = {0, 0};
    const TxPoint period = Period(doc);
    const TxRect page = Bounds(doc.pageArea);
    int64_t distance = 0, step = 1;
    if (period.v) {
        distance = int64_t(std::min(point.v, std::max(doc.bounds.bottom, page.bottom))) - page.top;
        step = period.v;
    } else if (period.h) {
        distance = int64_t(point.h) - page.left;
        step = period.h;
    } else {
        return 0;
    }
    const int32_t repetition = int32_t(std::max<int64_t>(0, distance) / step);
    offset = {period.v ? int32_t(repetition * step) : 0, period.h ? int32_t(repetition * step) : 0};
    return repetition;
}

int32_t TxPageAt(TxDocument& doc, const TxPoint& point, int32_t* repetition, TxPoint* offset)
{
    TxPoint at{0, 0};
    if (doc.info.flags & (kTxInfoRepeatDown | kTxInfoRepeatRight)) {
        const int32_t r = TxRepetitionAt(doc, point, at);
        if (repetition)
            *repetition = r;
        if (offset)
            *offset = at;
        return r % std::max(1, TxShapeRectCount(doc.pageArea));
    }
    if (offset)
        *offset = at;
    for (int32_t i = 1; i <= TxShapeRectCount(doc.pageArea); ++i)
        if (TxPointInRect(point, TxShapeRect(doc.pageArea, i)))
            return i - 1;
    return -1;
}

bool TxExclusionListed(TxDocument& doc, int32_t offset, int32_t index)
{
    TxLock lock(doc.marks);
    for (int32_t i = 0; i < TxRecordCount(doc.marks); ++i) {
        const int32_t* mark = lock.Records<int32_t>() + 2 * i;
        if (mark[0] > offset && mark[1] == index)
            return true;
    }
    return false;
}

int32_t TxLineExclusions(TxDocument& doc, TxRect& line, int32_t minimumWidth, int32_t& lowest, int32_t lineOffset,
                         std::vector<TxRect>& gaps)
{
    gaps.clear();
    TxRect meet;
    const TxRect area = Bounds(doc.exclusionArea);
    if (TxShapeIsEmpty(doc.exclusionArea) || !TxSectRect(&area, &line, &meet))
        return 0;
    const TxRect sentinel = {INT32_MAX - line.top, line.right + 1, INT32_MAX - line.top, line.right + 1};
    gaps.push_back(sentinel);
    lowest = sentinel.top;
    const int32_t count = TxShapeRectCount(doc.exclusionArea);
    for (int32_t i = 1; i <= count; ++i) {
        const TxRect r = TxShapeRect(doc.exclusionArea, i);
        TxRect overlap;
        if (!TxSectRect(&r, &line, &overlap) || TxExclusionListed(doc, lineOffset, i))
            continue;
        lowest = std::min(lowest, r.bottom);
        if (overlap.left - line.left < minimumWidth)
            line.left = std::max(line.left, overlap.right);
        if (line.right - overlap.right < minimumWidth)
            line.right = std::min(line.right, overlap.left);
        bool joined = false;
        for (size_t g = 0; g + 1 < gaps.size() && !joined; ++g) {
            TxRect& gap = gaps[g];
            if (std::abs(gap.left - overlap.right) <= minimumWidth || std::abs(gap.right - overlap.left) <= minimumWidth ||
                std::abs(gap.left - overlap.left) <= minimumWidth ||
                std::abs(gap.right - overlap.right) <= minimumWidth) {
                TxUnionRect(gap, overlap, gap);
                joined = true;
            }
        }
        if (!joined) {
            gaps.back() = overlap;
            gaps.push_back(sentinel);
        }
    }
    std::stable_sort(gaps.begin(), gaps.end() - 1, [](const TxRect& a, const TxRect& b) { return a.left < b.left; });
    return int32_t(gaps.size()) - 1;
}

bool TxViewChanged(TxDocument& doc, bool update)
{
    const TxRect page = Bounds(doc.pageArea);
    const TxRect visible = Bounds(doc.visibleArea);
    bool changed = doc.viewForce != 0 || doc.viewOrigin.v != doc.device.origin.v ||
                   doc.viewOrigin.h != doc.device.origin.h || doc.viewScroll.v != doc.scroll.v ||
                   doc.viewScroll.h != doc.scroll.h || doc.viewScale != doc.device.scale.scale ||
                   (!(doc.info.flags & kTxInfoFollowText) && !SameRect(doc.viewPageBounds, page)) ||
                   !SameRect(doc.viewVisibleBounds, visible);
    if (update) {
        doc.viewOrigin = doc.device.origin;
        doc.viewScroll = doc.scroll;
        doc.viewScale = doc.device.scale.scale;
        doc.viewPageBounds = page;
        doc.viewVisibleBounds = visible;
        doc.viewForce = 0;
    }
    return changed;
}

int32_t TxTextKind(uint32_t word)
{
    const uint32_t bits = word & 0x0FFFFF00;
    return bits == 0 ? 1 : bits == 0x00100000 ? 3 : 2;
}

void TxChangeResolution(TxDocument& doc, int32_t a, int32_t b, bool scalePageArea)
{
    if (a == b || a == 0 || b == 0)
        return;
    const TxPoint origin{0, 0};
    const int16_t numerator = int16_t(std::clamp(a, -32768, 32767));
    const int16_t denominator = int16_t(std::clamp(b, -32768, 32767));
    if (scalePageArea)
        TxScaleShape(doc.pageArea, origin, numerator, denominator);
    TxScaleShape(doc.exclusionArea, origin, numerator, denominator);
    TxInvalidateAll(doc);
    TxSyncDocBounds(doc);
}
