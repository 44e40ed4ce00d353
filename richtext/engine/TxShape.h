// Shapes: areas of the plane made of rectangles (page, visible and exclusion areas, the hilite,
// areas to redraw).
//
// A shape is a memory reference of TxRect records (made with two records, extend count 8):
// record 0 is the bounding rectangle, records 1 to n the rectangles. Every operation that changes
// the rectangles recomputes record 0 as their union. A shape with fewer than two records, or with
// empty bounds, is empty. Shapes built through union and difference hold disjoint rectangles,
// sorted by top once normalised.
//
// Operations that grow a shape may raise 256 (TxFailFrame.h); the shape then holds a union of
// rectangles no smaller than before the call (an unfinished union still covers the old shape).
#pragma once

#include "richtext/engine/TxGeometry.h"
#include "richtext/engine/TxMemory.h"

using TxShape = TxRef;

TxShape TxNewShape(TxMemGlobals* globals, const TxRect* rect);
void TxSetShapeRect(TxShape shape, const TxRect* rect);
void TxDisposeShape(TxShape shape);
bool TxShapeIsEmpty(TxShape shape);
bool TxEqualShapes(TxShape a, TxShape b);
void TxGetShapeBounds(TxShape shape, TxRect& out);
// Number of rectangles (records 1 to n).
int32_t TxShapeRectCount(TxShape shape);
// Rectangle index, 1-based.
TxRect TxShapeRect(TxShape shape, int32_t index);
void TxRecomputeShapeBounds(TxShape shape);
// Adds a rectangle, absorbed by the first rectangle that can take it (see TxShape.cpp), without
// removing overlaps; an empty rectangle is ignored.
void TxAddRectToShape(TxShape shape, const TxRect& rect);
// Adds a rectangle keeping the rectangles disjoint.
void TxUnionRectShape(TxShape shape, const TxRect& rect);
// result = the parts of b not covered by a. result must be another shape than a and b.
void TxDiffShape(TxShape a, TxShape b, TxShape result);
void TxOffsetShape(TxShape shape, int32_t dh, int32_t dv);
// Scales every record by numerator/denominator about the origin, then recomputes the bounds.
void TxScaleShape(TxShape shape, const TxPoint& origin, int16_t numerator, int16_t denominator);
// The first rectangle overlapping the rectangle (moved by the offset) with positive area: true
// with the intersection in out.
bool TxSectShapeRect(TxShape shape, const TxRect& rect, const TxPoint* offset, TxRect* out);
// The same without offset; the 1-based index of that rectangle, or 0.
int32_t TxSectShapeIndex(TxShape shape, const TxRect& rect, TxRect* out);
bool TxShapeTouchesRect(TxShape shape, const TxRect& rect, TxRect* out);
// 1-based index of the first rectangle holding the point (less the offset) after scale and inset,
// or 0; a null shape gives 0.
int32_t TxPointInShape(TxShape shape, const TxPoint& point, const TxPoint* offset, const TxPoint* inset,
                       const TxScale* scale);
// Room for a line of the given top and height from rectangle index on, through rectangles that
// follow each other without a gap; the index reached is written back.
bool TxFitInShape(TxShape shape, TxRect& line, int32_t minimumWidth, int32_t& index, const TxPoint& offset);
// 0 for one rectangle or none; else 1, with 2 (widths differ), 4 (a successor begins above the
// bottom of its predecessor), 8 (and overlaps it), 16 (a successor begins at its predecessor's
// bottom or right).
int32_t TxShapeKind(TxShape shape);
// Sets the platform region to the union of the rectangles, each clipped, scaled, moved by
// (dv, dh) and shrunk at its right and bottom; through TxCurrentPlatform().
void TxShapeToRegion(TxShape shape, int32_t dv, int32_t dh, const TxScale* scale, int32_t shrink,
                     const TxRect* clip, uintptr_t region);
