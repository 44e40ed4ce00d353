// Text blocks: a document's text cut into contiguous stretches, each with its own byte reference
// and the line records that lay it out.
//
// Offsets count bytes from 0 to the text size. Blocks are ordered and contiguous: the first starts
// at 0, each starts where the one before ends, the last ends at the text size. An offset equal to
// a block's end belongs to the next block; the last block also takes every offset at or past its
// end. A document always has at least one block. Normalisation splits blocks longer than the
// globals' block limit and merges or removes blocks marked for it and empty ones.
//
// All references of a block carry the document's memory id. Allocation failures raise 256;
// normalisation has no frame of its own, so a failure leaves the list as the last completed step.
#pragma once

#include "richtext/engine/TxGeometry.h"
#include "richtext/engine/TxMemory.h"

struct TxDocument;

// One piece of a laid-out line (built by layout).
struct TxLineRecord
{
    uint16_t start; // offset within the block
    uint16_t cell;
    int16_t descent;
    uint16_t flags; // kTxLineEnd ends the list
    uint16_t extraHeight;
    uint16_t column;
    int32_t areaIndex;
    TxRect rect;
};

static_assert(sizeof(TxLineRecord) == 32, "line records keep their size");

enum : uint16_t
{
    kTxLineListEnd = 0xFFFF,
    kTxLineLastPiece = 0x8000,
    kTxLineFirstPiece = 0x0400,
    kTxLineParStart = 0x0200,
};

enum : uint16_t
{
    kTxBlockRebuild = 0x4001,
    kTxBlockRectKept = 0x0080,
    kTxBlockMove = 0x0002,
    kTxBlockKeepText = 0x0008,
    kTxBlockMerge = 0x0010,
    kTxBlockOverflow = 0x0100,
    kTxBlockRectStale = 0x0800,
};

enum : int16_t
{
    kTxBlockTouched = 0x1,
};

struct TxTextBlock
{
    int32_t start;
    int32_t end;
    TxRect rect;
    TxRef text;  // bytes; null while deferred text is not loaded
    TxRef lines; // TxLineRecord
    uint16_t flags;
    uint16_t lineStarts;
    uint16_t parStarts;
    int16_t stateFlags;
    int32_t sourcePosition;
    int32_t conversionState; // 2 once converted
    int32_t linesBefore;
    int32_t parsBefore;
    TxLineRecord lastLine;
    TxRef subdocRefs; // one 4-byte entry per byte 7 of the text, in text order
};

// The block holding the offset, with the document's block list locked (the caller unlocks it
// once, TxUnlockRef(doc.textBlocks)). The prepare flag loads the block's text.
TxTextBlock* TxFindTextBlock(TxDocument& doc, int32_t offset, int32_t* index, bool build, bool prepare);
// Fills a block record at start: with text (taken over) or a new empty one unless noText.
void TxInitTextBlock(TxDocument& doc, int32_t start, TxRef text, TxTextBlock& block, bool noText);
// Disposes the block's own references.
void TxDisposeTextBlock(TxTextBlock& block);
// One pass of splitting, merging and removing; 1 when the block list changed.
int32_t TxNormalizeBlocks(TxDocument& doc);
// The default split procedure: the split offset relative to the block's start, 0 for none.
int32_t TxFindBlockSplit(TxDocument& doc, const TxTextBlock& block);
// Moves as many entries from the end of the old block's sub-document list to the new block's
// front as the new block's text holds bytes 7.
void TxMoveSubdocRefs(TxTextBlock& from, TxTextBlock& to);
// The default prepare procedure: loads deferred text (nothing to do when the text is in memory).
void TxLoadBlockText(TxDocument& doc, TxTextBlock& block);
// The default prepare and split procedures of the document hook table (subject: the document's
// reference, args: the block); the split one answers the split offset.
intptr_t TxLoadBlockHook(void* document, int32_t verb, void* block);
intptr_t TxSplitBlockHook(void* document, int32_t verb, void* block);
// Adds the piece's rectangle, lengthened downwards by its extra height, to the rectangle.
void TxUnionPieceRect(const TxLineRecord& piece, TxRect& rect);
// The block's rectangle from its line pieces (kept as it is for a block whose rectangle layout
// keeps); clears kTxBlockRectStale.
void TxComputeBlockRect(TxDocument& doc, TxTextBlock& block);
// Gives a block that no longer fits in the page area one empty piece just below the area's
// bounds, one unit high and as wide, in page-area rectangle areaIndex; marks it overflowing.
void TxLayoutOverflowBlock(TxDocument& doc, TxTextBlock& block, int32_t areaIndex);
// The block's text as two-byte characters (record size 2), each style run converted by its style's
// procedure, and back; text already in that form is left as it is.
void TxWidenBlockText(TxDocument& doc, TxTextBlock& block);
void TxNarrowBlockText(TxDocument& doc, TxTextBlock& block);
// The bytes from the offset to its block's end, locked through holder (the caller unlocks it);
// null at or past the text size.
uint8_t* TxTextAt(TxDocument& doc, int32_t offset, TxRef& holder, int32_t& remaining);
