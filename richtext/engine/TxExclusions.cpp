#include "richtext/engine/TxExclusions.h"

#include "richtext/engine/TxDocAreas.h"
#include "richtext/engine/TxStyleRuns.h"

#include <algorithm>
#include <cstring>

namespace {
const int32_t kNearBlock = 16;
const uint32_t kMarginsOn = 0x40000000;

intptr_t* Values(TxDocument& doc)
{
    return static_cast<intptr_t*>(TxRecordPtr(doc.exclusionValues, 0, false));
}

TxExclusionAnchor* Anchors(TxDocument& doc)
{
    return static_cast<TxExclusionAnchor*>(TxRecordPtr(doc.exclusionAnchors, 0, false));
}

int32_t Count(TxDocument& doc)
{
    return TxShapeIsEmpty(doc.exclusionArea) ? 0 : TxShapeRectCount(doc.exclusionArea);
}

bool ValidIndex(TxDocument& doc, int32_t index)
{
    return index >= 1 && index <= Count(doc);
}

TxRect* RectRecord(TxShape shape, int32_t index)
{
    return static_cast<TxRect*>(TxRecordPtr(shape, index, false));
}

void InvalidateFrom(TxDocument& doc, int32_t offset)
{
    TxInvalidateRange(doc, offset, doc.textSize);
    ++doc.changeCount;
}

TxFloatingObject* FloatOf(TxDocument& doc, int32_t index)
{
    if (!doc.hasFloatingObjects || !ValidIndex(doc, index))
        return nullptr;
    auto ref = reinterpret_cast<TxRef>(Values(doc)[index - 1]);
    return ref ? static_cast<TxFloatingObject*>(TxRecordPtr(ref, 0, false)) : nullptr;
}

// Calls the object's procedure with verb 3 and disposes its record.
void DisposeFloat(TxDocument& doc, int32_t index)
{
    TxFloatingObject* object = FloatOf(doc, index);
    if (!object)
        return;
    const TxRect rect = TxShapeRect(doc.exclusionArea, index);
    const TxPoint scroll{-doc.scroll.v, -doc.scroll.h};
    object->draw(doc, *object, rect, scroll, 3);
    TxDisposeRef(reinterpret_cast<TxRef>(Values(doc)[index - 1]));
    Values(doc)[index - 1] = 0;
}
} // namespace

int32_t TxFirstAffectedOffset(TxDocument& doc, const TxRect& rect)
{
    TxLock lock(doc.textBlocks);
    const TxTextBlock* blocks = lock.Records<TxTextBlock>();
    for (int32_t i = 0; i < TxRecordCount(doc.textBlocks); ++i) {
        TxRect near = blocks[i].rect;
        TxInsetRect(near, -kNearBlock, -kNearBlock);
        TxRect meet;
        if (TxSectRectTouching(&near, &rect, &meet))
            return blocks[i > 0 ? i - 1 : 0].start;
    }
    TxUpdateDocBounds(doc);
    return doc.textSize;
}

int32_t TxExclusionCount(TxRef document)
{
    return Count(*TxDocLock(document));
}

bool TxGetExclusionRect(TxRef document, int32_t index, bool scrolled, bool scaled, TxRect& out)
{
    TxDocLock doc(document);
    if (index != 0 && !ValidIndex(*doc, index))
        return false;
    out = index ? TxShapeRect(doc->exclusionArea, index) : TxRect{};
    if (!index)
        TxGetShapeBounds(doc->exclusionArea, out);
    const TxPoint offset{-doc->scroll.v, -doc->scroll.h};
    if (scaled)
        TxScaleRect(doc->scaling, scrolled ? &offset : nullptr, out);
    else if (scrolled)
        TxOffsetRect(out, offset.h, offset.v);
    return true;
}

namespace {
int32_t FindAt(TxDocument& doc, TxShape shape, const TxPoint& point)
{
    TxPoint p = point;
    if (doc.scaling.scale) {
        TxScale inverse = doc.scaling;
        inverse.scale = -inverse.scale;
        TxScalePoint(inverse, nullptr, p);
    }
    p.v += doc.scroll.v;
    p.h += doc.scroll.h;
    if (TxShapeIsEmpty(shape))
        return 0;
    for (int32_t i = 1; i <= TxShapeRectCount(shape); ++i)
        if (TxPointInRect(p, TxShapeRect(shape, i)))
            return i;
    return 0;
}
} // namespace

int32_t TxFindExclusionAt(TxRef document, const TxPoint& point)
{
    TxDocLock doc(document);
    return FindAt(*doc, doc->exclusionArea, point);
}

int32_t TxFindPageAreaAt(TxRef document, const TxPoint& point)
{
    TxDocLock doc(document);
    return FindAt(*doc, doc->pageArea, point);
}

void TxInsertExclusion(TxRef document, const TxRect& rect, int32_t after, intptr_t value, int32_t)
{
    TxDocLock doc(document);
    TxDocMemoryScope scope(*doc);
    const int32_t count = Count(*doc);
    after = std::clamp(after, 0, count);
    if (count == 0) {
        TxSetShapeRect(doc->exclusionArea, &rect);
        TxSetRecordCount(doc->exclusionValues, 0);
    } else {
        *static_cast<TxRect*>(TxInsertRecords(doc->exclusionArea, after + 1, 1)) = rect;
        TxUnlockRef(doc->exclusionArea);
        TxRecomputeShapeBounds(doc->exclusionArea);
    }
    *static_cast<intptr_t*>(TxInsertRecords(doc->exclusionValues, after, 1)) = value;
    TxUnlockRef(doc->exclusionValues);
    for (int32_t i = 0; i < TxRecordCount(doc->exclusionAnchors); ++i)
        if (Anchors(*doc)[i].index > after)
            ++Anchors(*doc)[i].index;
    InvalidateFrom(*doc, TxFirstAffectedOffset(*doc, rect));
}

void TxRemoveExclusion(TxRef document, int32_t index, int32_t)
{
    TxDocLock doc(document);
    if (!ValidIndex(*doc, index))
        return;
    DisposeFloat(*doc, index);
    const TxRect old = TxShapeRect(doc->exclusionArea, index);
    for (int32_t i = TxRecordCount(doc->exclusionAnchors) - 1; i >= 0; --i) {
        TxExclusionAnchor& a = Anchors(*doc)[i];
        if (a.index == index)
            TxDeleteRecords(doc->exclusionAnchors, i, 1);
        else if (a.index > index)
            --a.index;
    }
    if (Count(*doc) == 1) {
        TxSetShapeRect(doc->exclusionArea, nullptr);
        TxSetRecordCount(doc->exclusionValues, 0);
        InvalidateFrom(*doc, 0);
        return;
    }
    TxDeleteRecords(doc->exclusionArea, index, 1);
    TxRecomputeShapeBounds(doc->exclusionArea);
    TxDeleteRecords(doc->exclusionValues, index - 1, 1);
    InvalidateFrom(*doc, TxFirstAffectedOffset(*doc, old));
}

void TxSetExclusionRect(TxRef document, const TxRect& rect, int32_t index, int32_t)
{
    TxDocLock doc(document);
    if (!ValidIndex(*doc, index))
        return;
    const TxRect old = TxShapeRect(doc->exclusionArea, index);
    *RectRecord(doc->exclusionArea, index) = rect;
    TxRecomputeShapeBounds(doc->exclusionArea);
    int32_t from = std::min(TxFirstAffectedOffset(*doc, old), TxFirstAffectedOffset(*doc, rect));
    const int32_t anchor = TxExclusionAnchorOffset(document, index);
    if (anchor >= 0)
        from = std::min(from, anchor);
    InvalidateFrom(*doc, from);
}

void TxSwapExclusions(TxRef document, int32_t a, int32_t b, int32_t)
{
    TxDocLock doc(document);
    if (!ValidIndex(*doc, a) || !ValidIndex(*doc, b) || a == b)
        return;
    std::swap(*RectRecord(doc->exclusionArea, a), *RectRecord(doc->exclusionArea, b));
    std::swap(Values(*doc)[a - 1], Values(*doc)[b - 1]);
    InvalidateFrom(*doc, std::max(TxFirstAffectedOffset(*doc, TxShapeRect(doc->exclusionArea, a)),
                                  TxFirstAffectedOffset(*doc, TxShapeRect(doc->exclusionArea, b))));
}

intptr_t TxGetExclusionValue(TxRef document, int32_t index)
{
    TxDocLock doc(document);
    return index >= 1 && index <= TxRecordCount(doc->exclusionValues) ? Values(*doc)[index - 1] : 0;
}

void TxSetExclusionValue(TxRef document, int32_t index, intptr_t value)
{
    TxDocLock doc(document);
    if (index >= 1 && index <= TxRecordCount(doc->exclusionValues)) {
        Values(*doc)[index - 1] = value;
        ++doc->changeCount;
    }
}

int32_t TxAnchorExclusion(TxRef document, int32_t offset, int32_t index, int32_t)
{
    TxDocLock doc(document);
    int32_t start, end;
    TxParagraphBounds(*doc, std::clamp(offset, 0, doc->textSize), start, end);
    for (int32_t i = TxRecordCount(doc->exclusionAnchors) - 1; i >= 0; --i)
        if (Anchors(*doc)[i].offset == start)
            TxDeleteRecords(doc->exclusionAnchors, i, 1);
    if (index) {
        int32_t at = 0;
        while (at < TxRecordCount(doc->exclusionAnchors) && Anchors(*doc)[at].offset < start)
            ++at;
        TxDocMemoryScope scope(*doc);
        *static_cast<TxExclusionAnchor*>(TxInsertRecords(doc->exclusionAnchors, at, 1)) =
            TxExclusionAnchor{start, int16_t(index), 0};
        TxUnlockRef(doc->exclusionAnchors);
    }
    InvalidateFrom(*doc, start);
    return start;
}

int32_t TxExclusionAnchorOffset(TxRef document, int32_t index)
{
    TxDocLock doc(document);
    for (int32_t i = 0; i < TxRecordCount(doc->exclusionAnchors); ++i)
        if (Anchors(*doc)[i].index == index)
            return Anchors(*doc)[i].offset;
    return -1;
}

void TxSetPageAreaRect(TxRef document, const TxRect& rect, int32_t index, int32_t)
{
    TxDocLock doc(document);
    if (index < 1 || index > TxShapeRectCount(doc->pageArea))
        return;
    *RectRecord(doc->pageArea, index) = rect;
    TxRecomputeShapeBounds(doc->pageArea);
    TxSyncDocBounds(*doc);
    int32_t from = 0;
    if (index > 1) {
        TxLock lock(doc->textBlocks);
        from = doc->textSize;
        for (int32_t i = 0; i < TxRecordCount(doc->textBlocks); ++i) {
            const TxTextBlock& b = lock.Records<TxTextBlock>()[i];
            if (b.lastLine.areaIndex >= index - 1) {
                from = b.start;
                break;
            }
        }
    }
    InvalidateFrom(*doc, from);
}

void TxInsertFloatingObject(TxRef document, const TxFloatingObject& object, TxFloatProc draw, int32_t drawMode)
{
    TxRef record;
    {
        TxDocLock doc(document);
        TxDocMemoryScope scope(*doc);
        record = TxNewRef(doc->globals->memGlobals, int16_t(sizeof(TxFloatingObject)), 1, 0, false);
        TxFloatingObject& o = *static_cast<TxFloatingObject*>(TxRecordPtr(record, 0, false));
        o = object;
        if (o.flags & kTxFloatPlaced) {
            TxRect page;
            TxGetShapeBounds(doc->pageArea, page);
            if (doc->info.flags & kMarginsOn) {
                page.left += doc->info.pageInsets.left;
                page.right -= doc->info.pageInsets.right;
            }
            const int32_t free = (page.right - page.left) - (o.wrap.right - o.wrap.left);
            const int32_t left = page.left + (o.flags & kTxFloatLeft ? 0 : o.flags & kTxFloatCentre ? free / 2 : free);
            const int32_t shift = left - o.wrap.left;
            TxOffsetRect(o.wrap, shift, 0);
            TxOffsetRect(o.picture, shift, 0);
        }
        o.draw = draw ? draw : TxDrawFloatingObject;
        doc->hasFloatingObjects = true;
    }
    const TxFloatingObject placed = *static_cast<TxFloatingObject*>(TxRecordPtr(record, 0, false));
    TxInsertExclusion(document, placed.wrap, 0, reinterpret_cast<intptr_t>(record), 0);
    if (placed.flags & kTxFloatAnchored) {
        int32_t start = TxAnchorExclusion(document, placed.anchor, 1, 0);
        static_cast<TxFloatingObject*>(TxRecordPtr(record, 0, false))->anchor = start;
    }
    if (drawMode)
        TxNotifyFloatingObjects(*TxDocLock(document), 1);
}

int32_t TxDrawFloatingObject(TxDocument&, TxFloatingObject& object, const TxRect&, const TxPoint&, int32_t verb)
{
    // Pictures are drawn by the device layer; without one, drawing only settles the pending mark.
    if (verb == 1 || (verb == 2 && (object.flags & kTxFloatRedraw)))
        object.flags &= ~kTxFloatRedraw;
    return 0;
}

void TxNotifyFloatingObjects(TxDocument& doc, int32_t verb)
{
    if (!doc.hasFloatingObjects)
        return;
    const TxPoint scroll{-doc.scroll.v, -doc.scroll.h};
    for (int32_t i = 1; i <= Count(doc); ++i)
        if (TxFloatingObject* o = FloatOf(doc, i))
            o->draw(doc, *o, TxShapeRect(doc.exclusionArea, i), scroll, verb);
}

void TxDisposeFloatingObjects(TxDocument& doc)
{
    for (int32_t i = 1; i <= Count(doc); ++i)
        DisposeFloat(doc, i);
}
