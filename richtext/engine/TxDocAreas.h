// A document's areas: the page area the text is laid out in (repeating downward or rightward with
// a gap when the document information says so), the visible area it is shown through and the
// exclusion area it flows around; the document bounds that follow them; and the mapping of
// positions between page repetitions.
//
// Repetition: with n page rectangles, page index i lies in base rectangle i mod n, moved by
// (i div n) periods, a period being the page area's height plus the vertical gap (downward) or
// its width plus the horizontal gap (rightward), at least 1.
#pragma once

#include "richtext/engine/TxDocument.h"

#include <vector>

void TxGetAreas(TxRef document, TxRect* pageBounds, TxRect* visibleBounds);
// One rectangle each; a page rectangle whose top, left or right moved invalidates all layout.
void TxSetAreas(TxRef document, const TxRect* page, const TxRect* visible);
void TxSyncDocBounds(TxDocument& doc);
// The bounds' bottom and the block extents from the blocks (the last page rectangle following the
// text unless pages are fixed).
void TxUpdateDocBounds(TxDocument& doc);
// -1: the insertion offset; other negatives: 0; otherwise at most the text size.
int32_t TxClampOffset(TxRef document, int32_t offset);
int32_t TxDocMemoryId(TxRef document);
// The base page rectangle index (0-based) of a page index, and the repetition's offset.
int32_t TxPageOfIndex(TxDocument& doc, int32_t index, TxPoint& offset);
// The repetition holding a point, and its offset.
int32_t TxRepetitionAt(TxDocument& doc, const TxPoint& point, TxPoint& offset);
// Repeating: the repetition index (out) modulo the page rectangles; else the 0-based rectangle the
// point meets (-1 when none).
int32_t TxPageAt(TxDocument& doc, const TxPoint& point, int32_t* repetition, TxPoint* offset);
// Whether a mark after the offset (not at it) holds the exclusion index as its value.
bool TxExclusionListed(TxDocument& doc, int32_t offset, int32_t index);
// The free horizontal room of a line beside the exclusion rectangles: the line may be narrowed,
// lowest gets the lowest bottom of the rectangles met, gaps the occupied stretches sorted by left
// (a sentinel after them); answers their number, 0 when no exclusion meets the line.
int32_t TxLineExclusions(TxDocument& doc, TxRect& line, int32_t minimumWidth, int32_t& lowest,
                         int32_t lineOffset, std::vector<TxRect>& gaps);
// Whether the view moved since it was last remembered; with update it is remembered now.
bool TxViewChanged(TxDocument& doc, bool update);
// The conversion kind of a document's second word: 1, 3 for 0x100000 in bits 8-27, else 2.
int32_t TxTextKind(uint32_t word);
// Scales the exclusion area (and the page area when asked) by a/b and marks every block.
void TxChangeResolution(TxDocument& doc, int32_t a, int32_t b, bool scalePageArea);
