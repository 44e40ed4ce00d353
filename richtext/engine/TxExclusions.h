// Exclusions, page-area rectangles and floating objects.
//
// The exclusion area's rectangles (1-based) are areas lines must not overlap; each has one
// application value (kept as long as the rectangles) and may be anchored to a paragraph start so
// that it moves with the text. A floating object is a picture placed in an exclusion rectangle:
// its record lives in a reference of its own, which is its rectangle's value, and it is disposed
// with the rectangle (its draw procedure hears verb 3 first).
//
// A change invalidates the layout from the first text block near the changed rectangle to the end
// and raises the change count.
#pragma once

#include "richtext/engine/TxDocument.h"

struct TxExclusionAnchor
{
    int32_t offset;  // a paragraph start
    int16_t index;   // the exclusion rectangle
    int16_t unused;
};

struct TxFloatingObject;
// (document, object, exclusion rectangle, negated scroll position, verb 1 draw, 2 update,
// 3 dispose) -> 0.
using TxFloatProc = int32_t (*)(TxDocument& doc, TxFloatingObject& object, const TxRect& exclusion,
                                const TxPoint& scroll, int32_t verb);

enum : uint32_t
{
    kTxFloatAnchored = 0x0001,
    kTxFloatOutline = 0x0002,
    kTxFloatRedraw = 0x0004,
    kTxFloatLeft = 0x0080,
    kTxFloatCentre = 0x0100,
    kTxFloatRight = 0x0200,
    kTxFloatPlaced = 0x0380,
};

struct TxFloatingObject
{
    char name[32];
    int32_t kind; // 0: shows an embedded object
    uint32_t flags;
    int32_t anchor;
    TxFloatProc draw;
    int32_t frameKind;
    uint32_t background;
    TxRect picture;
    TxRect wrap;
    TxRef object;
};

int32_t TxExclusionCount(TxRef document);
// Rectangle index (0: the bounds), moved by minus the scroll position and scaled when asked.
bool TxGetExclusionRect(TxRef document, int32_t index, bool scrolled, bool scaled, TxRect& out);
// The 1-based rectangle holding a window point, 0 when none.
int32_t TxFindExclusionAt(TxRef document, const TxPoint& point);
int32_t TxFindPageAreaAt(TxRef document, const TxPoint& point);
void TxInsertExclusion(TxRef document, const TxRect& rect, int32_t after, intptr_t value, int32_t drawMode);
void TxRemoveExclusion(TxRef document, int32_t index, int32_t drawMode);
void TxSetExclusionRect(TxRef document, const TxRect& rect, int32_t index, int32_t drawMode);
void TxSwapExclusions(TxRef document, int32_t a, int32_t b, int32_t drawMode);
intptr_t TxGetExclusionValue(TxRef document, int32_t index);
void TxSetExclusionValue(TxRef document, int32_t index, intptr_t value);
// Anchors rectangle index (0: none) at the start of the paragraph holding the offset; answers it.
int32_t TxAnchorExclusion(TxRef document, int32_t offset, int32_t index, int32_t drawMode);
int32_t TxExclusionAnchorOffset(TxRef document, int32_t index);
void TxSetPageAreaRect(TxRef document, const TxRect& rect, int32_t index, int32_t drawMode);
// The first offset whose layout a rectangle of the exclusion area affects.
int32_t TxFirstAffectedOffset(TxDocument& doc, const TxRect& rect);
// Places a copy of the record (horizontally on the page when asked) in a new exclusion rectangle 1.
void TxInsertFloatingObject(TxRef document, const TxFloatingObject& object, TxFloatProc draw, int32_t drawMode);
int32_t TxDrawFloatingObject(TxDocument& doc, TxFloatingObject& object, const TxRect& exclusion,
                             const TxPoint& scroll, int32_t verb);
void TxNotifyFloatingObjects(TxDocument& doc, int32_t verb);
void TxDisposeFloatingObjects(TxDocument& doc);
