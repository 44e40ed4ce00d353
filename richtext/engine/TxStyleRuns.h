// Style runs and the style, paragraph and font lists of a document.
//
// Two run lists (TxRun records, ascending offsets) cover the text: the style runs name records of
// the style list, the paragraph runs records of the paragraph list. The first run begins at 0; a
// terminator run at text size + 2 follows the last real run and carries the last run's index
// after a clean-up. A record's use count is the number of runs (the terminator included) naming
// it, plus one for a definition and one for each small-capitals style derived from it. A count
// never goes below 0, and a record whose count reaches 0 is removed only by the clean-up.
//
// An index read from a run is checked against its list wherever it is dereferenced: one out of
// range (a damaged stream or a paste can carry it) means record 0.
//
// Applying a change splits runs at the range's ends and lets each run in the range take the index
// of its changed record (found or added, never edited in place); the clean-up then merges equal
// neighbours and drops unused records, renumbering every index above a dropped one.
#pragma once

#include "richtext/engine/TxDocument.h"

#include <vector>

struct TxRange
{
    int32_t begin, end;
};

// The run of the list containing the offset and its index (offset 0: the first run; else the last
// run starting at or before the offset, looked for 32 runs at a time first). The list is not
// left locked.
int32_t TxFindRun(TxRef runs, int32_t offset);
TxRun TxRunAt(TxRef runs, int32_t index);

// Records by index, checked: an index out of range reads record 0.
int32_t TxCheckedIndex(TxRef list, int32_t index);
void TxGetStyle(TxDocument& doc, int32_t index, TxStyleInfo& out);
void TxGetFont(TxDocument& doc, int32_t index, TxFontInfo& out);
// The style and its index in effect at an offset.
int32_t TxStyleIndexAt(TxDocument& doc, int32_t offset);
// The class flags of text[position] (the block's offset is blockStart) by its style's procedure.
uint32_t TxCharClassAt(TxDocument& doc, const uint8_t* text, int32_t length, int32_t position,
                       int32_t blockStart);

// Find or add. A font with neither name gives -1; styles and paragraph formats are completed by
// their procedures first and enter the list with use count 0 (definitions 1).
int32_t TxFindOrAddFont(TxDocument& doc, const TxFontInfo& font);
int32_t TxFindOrAddStyle(TxDocument& doc, const TxStyleInfo& style);
int32_t TxFindOrAddParInfo(TxDocument& doc, const TxParInfo& par);
// The small-capitals style made from a style: attributes 15 to 17 cleared and the point size
// scaled by attribute 17's percentage (75 for -1); found or added.
int32_t TxSmallCapsStyle(TxDocument& doc, const TxStyleInfo& style);
// The style expanded against definition `number` (else its attribute 21): the definition's
// non-zero fields replace the style's, an attribute of -1 toggles; the reference is dropped.
void TxResolveNamedStyle(TxDocument& doc, const TxStyleInfo& style, TxStyleInfo& out, TxFontInfo* font,
                         int32_t number);
void TxAddStyleUse(TxDocument& doc, int32_t index, int32_t delta);
void TxAddParUse(TxDocument& doc, int32_t index, int32_t delta);

// The ranges of a range (clipped to the text) or of the selection, ordered and without overlaps;
// empty when there is only a caret or an empty range.
std::vector<TxRange> TxSelectionRanges(TxDocument& doc, const TxRange* range);

// (document, run's current index) -> its new index.
using TxRunCallback = int32_t (*)(TxDocument& doc, int32_t index, void* context);
// Applies a change to [begin, end) of the style runs (styles true) or the paragraph runs.
void TxApplyToRuns(TxDocument& doc, bool styles, TxRunCallback callback, void* context, int32_t begin,
                   int32_t end);
// Merges redundant runs, trims trailing ones and drops unused records (unless the document keeps
// them), for the style list, the paragraph list or both.
void TxCleanAllRuns(TxDocument& doc, bool styles, bool pars);

// Formatting over a range (null: the selection). Getting: mode 0 takes the first run's values and
// clears the mask where a later run differs; mode 1 keeps the caller's value and sets the mask to
// -1 where some run equals it. Both answer the first offset. With only a caret the insertion
// style is read.
int32_t TxGetStyleInfo(TxRef document, const TxRange* range, int32_t mode, TxStyleInfo& value,
                       TxStyleInfo& mask);
int32_t TxGetFontInfo(TxRef document, const TxRange* range, int32_t mode, TxFontInfo& value,
                      TxFontInfo& mask);
void TxSetStyleInfo(TxRef document, const TxRange* range, const TxStyleInfo& value, const TxStyleInfo& mask,
                    int32_t drawMode);
// The same, the font index never changed.
void TxSetStyleAttributes(TxRef document, const TxRange* range, const TxStyleInfo& value,
                          const TxStyleInfo& mask, int32_t drawMode);
void TxSetFontInfo(TxRef document, const TxRange* range, const TxFontInfo& value, const TxFontInfo& mask,
                   int32_t drawMode);
// Sets a paragraph format's masked fields over the paragraphs of a range.
void TxSetParInfo(TxRef document, const TxRange* range, const TxParInfo& value, const TxParInfo& mask,
                  int32_t drawMode);
// The insertion style index: the typing style, or the style before the caret.
int32_t TxInsertionStyle(TxDocument& doc);
// The offset of the first selection record.
int32_t TxCaretOffset(TxDocument& doc);
// Marks the blocks meeting [from, to] for rebuilding.
void TxInvalidateRange(TxDocument& doc, int32_t from, int32_t to);

// The first run from *offset on whose style matches (each 16-bit unit, ANDed with andMask when
// given, equals value's where selector's unit is non-zero, or everywhere without a selector;
// without a value, any selected unit non-zero matches). *offset becomes the run's start (not
// before the given offset) and *end the end of the stretch of matching runs; 1 when found.
int32_t TxFindStyleRun(TxRef document, int32_t* offset, int32_t* end, const TxStyleInfo* value,
                       const TxStyleInfo* selector, const TxStyleInfo* andMask);
// The class flags of the style at the offset and its run's range (clipped to the text).
uint32_t TxStyleClassAt(TxRef document, int32_t offset, TxRange* range);
// Both run indexes at an offset; with addReference each record gains a use.
void TxRunIndexesAt(TxDocument& doc, int32_t offset, int32_t& style, int32_t& par, bool addReference);
// Gives text inserted at offset the formats of indexes taken (with a use each) by TxRunIndexesAt:
// a use is kept by a run that was set and released for one that was not.
void TxSetRunsAt(TxDocument& doc, int32_t style, int32_t par, int32_t offset);
// After record `removed` went: indexes above it drop by one, those at or above count become
// count - 1; 0xFFFF stays.
void TxRenumberRuns(TxRef runs, int32_t removed, int32_t count);
// The paragraph around the offset, by the document's paragraph-bounds procedure.
void TxParagraphBounds(TxDocument& doc, int32_t offset, int32_t& begin, int32_t& end);
// Arguments of the paragraph-bounds procedure: in offset, out begin and end.
struct TxParagraphBoundsArgs
{
    int32_t offset, begin, end;
};
// The default paragraph-bounds procedure: from after the paragraph end before the offset to after
// the next one (or the text's ends).
intptr_t TxDefaultParagraphBoundsHook(void* document, int32_t verb, void* args);
// The insertion style becomes the given style (else the current one), with the font found or added
// when given.
void TxSetInsertionStyle(TxRef document, const TxStyleInfo* style, const TxFontInfo* font);
// With a caret: the style of the character before it (at a paragraph start, the style at it);
// the style's activation procedure may ask for a fresh copy.
void TxUpdateInsertionStyle(TxRef document);
void TxSetStyleAndFont(TxRef document, const TxRange* range, const TxStyleInfo& style,
                       const TxStyleInfo& styleMask, const TxFontInfo& font, const TxFontInfo& fontMask,
                       int32_t drawMode);
// A font of the source document found or added in the target's list; its index there.
int32_t TxCopyFontTo(TxRef source, TxRef target, int32_t index);
