#include "richtext/engine/TxTextBlock.h"

#include "richtext/engine/TxDocument.h"
#include "richtext/engine/TxStyleRuns.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
const int16_t kTextExtend = 32;
const uint8_t kTextPurgeLevel = 32;
const uint8_t kLinesPurgeLevel = 64;
const uint8_t kSubdocChar = 7;

TxTextBlock* BlockAt(TxDocument& doc, int32_t index)
{
    return static_cast<TxTextBlock*>(TxRecordPtr(doc.textBlocks, index, false));
}

int32_t CountSubdocChars(TxRef text)
{
    if (!text)
        return 0;
    TxLock lock(text);
    int32_t n = 0;
    for (int32_t i = 0; i < TxRecordCount(text); ++i)
        n += lock.Records<uint8_t>()[i] == kSubdocChar;
    return n;
}

void Prepare(TxDocument& doc, TxTextBlock& block)
{
    doc.hooks.slot[kTxLoadBlockProc](doc.self, 0, &block);
}

// The first position at or after `from`, within the window, that is not inside a character.
int32_t SkipContinuation(TxDocument& doc, const TxTextBlock& block, const uint8_t* text, int32_t from,
                         int32_t limit)
{
    int32_t n = block.end - block.start;
    while (from < limit && from < n &&
           (TxCharClassAt(doc, text, n, from, block.start) & kTxClassInsideChar))
        ++from;
    return from;
}

// Walks the window [w, w + m) for a character of class c; the position after it and its
// continuation bytes, 0 when the window holds none.
int32_t ScanForBreak(TxDocument& doc, const TxTextBlock& block, const uint8_t* text, int32_t w, int32_t m,
                     uint32_t c)
{
    int32_t n = block.end - block.start;
    int32_t limit = w + m < n ? w + m : n;
    for (int32_t p = w; p < limit; ++p)
        if (TxCharClassAt(doc, text, n, p, block.start) & c)
            return SkipContinuation(doc, block, text, p + 1, limit);
    return 0;
}

void MergeIntoNext(TxDocument& doc, int32_t i)
{
    TxTextBlock* b = BlockAt(doc, i);
    TxTextBlock* next = BlockAt(doc, i + 1);
    Prepare(doc, *b);
    Prepare(doc, *next);
    b->stateFlags |= kTxBlockTouched;
    next->stateFlags |= kTxBlockTouched;
    int32_t length = TxRecordCount(b->text);
    if (length) {
        auto* front = static_cast<uint8_t*>(TxInsertRecords(next->text, 0, length));
        TxLock from(b->text);
        std::memcpy(front, from.Records<uint8_t>(), size_t(length));
        TxUnlockRef(next->text);
    }
    TxUnionRect(b->rect, next->rect, next->rect);
    next->start = b->start;
    int32_t refs = TxRecordCount(b->subdocRefs);
    if (refs) {
        auto* front = static_cast<uint8_t*>(TxInsertRecords(next->subdocRefs, 0, refs));
        TxLock from(b->subdocRefs);
        std::memcpy(front, from.Records<uint8_t>(), size_t(refs) * 4);
        TxUnlockRef(next->subdocRefs);
        TxSetRecordCount(b->subdocRefs, 0);
    }
    next->flags = kTxBlockRebuild;
}

void RemoveBlock(TxDocument& doc, int32_t i)
{
    TxDisposeTextBlock(*BlockAt(doc, i));
    TxDeleteRecords(doc.textBlocks, i, 1);
    if (i < TxRecordCount(doc.textBlocks))
        BlockAt(doc, i)->flags |= kTxBlockRebuild;
}

// Splits block i when its split procedure finds a point; true when it did.
bool Split(TxDocument& doc, int32_t i)
{
    TxTextBlock* b = BlockAt(doc, i);
    Prepare(doc, *b);
    b->stateFlags |= kTxBlockTouched;
    int32_t at = int32_t(doc.hooks.slot[kTxSplitBlockProc](doc.self, 0, b));
    int32_t length = b->end - b->start;
    if (at <= 0 || at >= length)
        return false;
    TxDocMemoryScope scope(doc);
    TxRef tail = TxNewRef(doc.globals->memGlobals, 1, length - at, kTextExtend, false);
    TxSetPurgeLevel(tail, kTextPurgeLevel, false);
    {
        TxLock from(b->text), to(tail);
        std::memcpy(to.Records<uint8_t>(), from.Records<uint8_t>() + at, size_t(length - at));
    }
    TxTextBlock made;
    TxInitTextBlock(doc, b->start + at, tail, made, true);
    b = BlockAt(doc, i);
    TxSetRecordCount(b->text, at);
    b->end = b->start + at;
    b->flags |= kTxBlockRebuild;
    made.rect = {b->rect.bottom, b->rect.left, b->rect.bottom, b->rect.right};
    TxMoveSubdocRefs(*b, made);
    *static_cast<TxTextBlock*>(TxInsertRecords(doc.textBlocks, i + 1, 1)) = made;
    TxUnlockRef(doc.textBlocks);
    return true;
}
} // namespace

TxTextBlock* TxFindTextBlock(TxDocument& doc, int32_t offset, int32_t* index, bool, bool prepare)
{
    auto* blocks = static_cast<TxTextBlock*>(TxLockRef(doc.textBlocks));
    int32_t count = TxRecordCount(doc.textBlocks);
    int32_t i = 0;
    while (i + 1 < count && offset >= blocks[i].end)
        ++i;
    if (prepare)
        Prepare(doc, blocks[i]);
    if (index)
        *index = i;
    return &blocks[i];
}

void TxInitTextBlock(TxDocument& doc, int32_t start, TxRef text, TxTextBlock& block, bool noText)
{
    TxDocMemoryScope scope(doc);
    TxMemGlobals* mg = doc.globals->memGlobals;
    std::memset(&block, 0, sizeof block);
    block.start = block.end = start;
    if (text)
        block.end = start + TxRecordCount(text);
    else if (!noText) {
        text = TxNewRef(mg, 1, 0, kTextExtend, false);
        TxSetPurgeLevel(text, kTextPurgeLevel, false);
    }
    block.text = text;
    block.lines = TxNewRef(mg, int16_t(sizeof(TxLineRecord)), 2, 4, true);
    TxSetPurgeLevel(block.lines, kLinesPurgeLevel, false);
    {
        TxLock lines(block.lines);
        lines.Records<TxLineRecord>()[0].flags = kTxLineLastPiece | kTxLineFirstPiece;
        lines.Records<TxLineRecord>()[1].flags = kTxLineListEnd;
    }
    block.subdocRefs = TxNewRef(mg, 4, 0, 8, true);
    block.conversionState = 2;
    block.flags = kTxBlockRebuild;
}

void TxDisposeTextBlock(TxTextBlock& block)
{
    block.text = TxDisposeRefChecked(block.text);
    block.lines = TxDisposeRefChecked(block.lines);
    block.subdocRefs = TxDisposeRefChecked(block.subdocRefs);
}

int32_t TxNormalizeBlocks(TxDocument& doc)
{
    bool changed = false;
    const int32_t limit = doc.globals->blockLimit;
    int32_t i = 0;
    while (i < TxRecordCount(doc.textBlocks)) {
        const int32_t count = TxRecordCount(doc.textBlocks);
        TxTextBlock* b = BlockAt(doc, i);
        if (changed)
            b->flags |= kTxBlockMove;
        const bool empty = b->start == b->end;
        const bool merge = (b->flags & kTxBlockMerge) && count >= 2 && i + 1 < count;
        b->flags &= uint16_t(~kTxBlockMerge);
        if (merge || empty) {
            if (count == 1) {
                ++i;
                continue;
            }
            TxMarkSelectionStale(doc);
            if (!empty)
                MergeIntoNext(doc, i);
            RemoveBlock(doc, i);
            changed = true;
            continue;
        }
        if (b->end - b->start > limit && Split(doc, i))
            changed = true;
        ++i;
    }
    doc.insertedCount = 0;
    if (changed)
        TxCompactRef(doc.textBlocks);
    return changed ? 1 : 0;
}

int32_t TxFindBlockSplit(TxDocument& doc, const TxTextBlock& block)
{
    const int32_t n = block.end - block.start;
    if (!block.text || n <= 0)
        return 0;
    TxLock lock(block.text);
    const uint8_t* text = lock.Records<uint8_t>();
    int32_t at = ScanForBreak(doc, block, text, 3 * n / 8, n / 2 - n / 8, kTxClassParEnd);
    if (!at)
        at = ScanForBreak(doc, block, text, n / 4, n / 2, kTxClassParEnd);
    if (!at)
        at = ScanForBreak(doc, block, text, 3 * n / 8, n / 2 - n / 8, kTxClassBreak);
    if (!at) {
        at = SkipContinuation(doc, block, text, n / 2, n);
        if (at >= n)
            at = 0;
    }
    return at < 0 ? 0 : at;
}

void TxMoveSubdocRefs(TxTextBlock& from, TxTextBlock& to)
{
    int32_t moving = CountSubdocChars(to.text);
    int32_t have = TxRecordCount(from.subdocRefs);
    if (moving > have)
        moving = have;
    if (moving <= 0)
        return;
    auto* front = static_cast<uint8_t*>(TxInsertRecords(to.subdocRefs, 0, moving));
    {
        TxLock source(from.subdocRefs);
        std::memcpy(front, source.Records<uint8_t>() + size_t(have - moving) * 4, size_t(moving) * 4);
    }
    TxUnlockRef(to.subdocRefs);
    TxSetRecordCount(from.subdocRefs, have - moving);
}

void TxLoadBlockText(TxDocument& doc, TxTextBlock& block)
{
    // Text is always in memory until documents read from files keep theirs there.
    (void)doc;
    (void)block;
}

uint8_t* TxTextAt(TxDocument& doc, int32_t offset, TxRef& holder, int32_t& remaining)
{
    holder = nullptr;
    if (offset < 0 || offset >= doc.textSize)
        return nullptr;
    TxTextBlock* b = TxFindTextBlock(doc, offset, nullptr, false, true);
    holder = b->text;
    remaining = b->end - offset;
    int32_t within = offset - b->start;
    TxUnlockRef(doc.textBlocks);
    return static_cast<uint8_t*>(TxLockRef(holder)) + within;
}

intptr_t TxLoadBlockHook(void* document, int32_t, void* block)
{
    TxDocLock doc(static_cast<TxRef>(document));
    TxLoadBlockText(*doc, *static_cast<TxTextBlock*>(block));
    return 0;
}

intptr_t TxSplitBlockHook(void* document, int32_t, void* block)
{
    TxDocLock doc(static_cast<TxRef>(document));
    return TxFindBlockSplit(*doc, *static_cast<TxTextBlock*>(block));
}

void TxUnionPieceRect(const TxLineRecord& piece, TxRect& rect)
{
    TxRect r = piece.rect;
    r.bottom += piece.extraHeight;
    TxUnionRect(rect, r, rect);
}

void TxComputeBlockRect(TxDocument&, TxTextBlock& block)
{
    if (!(block.flags & kTxBlockRectKept)) {
        block.rect = {block.rect.top, block.rect.right, block.rect.top, block.rect.right};
        bool first = true;
        TxLock lock(block.lines);
        for (int32_t i = 0; i < TxRecordCount(block.lines); ++i) {
            const TxLineRecord& piece = lock.Records<TxLineRecord>()[i];
            if (piece.flags == kTxLineListEnd)
                break;
            if (first) {
                block.rect = piece.rect;
                block.rect.bottom += piece.extraHeight;
                first = false;
            } else {
                TxUnionPieceRect(piece, block.rect);
            }
        }
    }
    block.flags &= uint16_t(~kTxBlockRectStale);
}

void TxLayoutOverflowBlock(TxDocument& doc, TxTextBlock& block, int32_t areaIndex)
{
    TxRect area;
    TxGetShapeBounds(doc.pageArea, area);
    TxSetRecordCount(block.lines, 2);
    TxLock lock(block.lines);
    TxLineRecord* lines = lock.Records<TxLineRecord>();
    std::memset(lines, 0, 2 * sizeof *lines);
    lines[0].flags = kTxLineLastPiece | kTxLineFirstPiece | 0x0800;
    lines[0].areaIndex = areaIndex;
    lines[0].rect = {area.bottom, area.left, area.bottom + 1, area.right};
    lines[1].start = uint16_t(block.end - block.start);
    lines[1].flags = kTxLineListEnd;
    block.rect = lines[0].rect;
    block.lastLine = lines[0];
    block.flags |= kTxBlockOverflow;
}

namespace {
// Converts the block's text run by run through a style procedure; `from` and `to` are the record
// sizes before and after.
void ConvertBlockText(TxDocument& doc, TxTextBlock& block, int32_t slot, int16_t from, int16_t to)
{
    if (!block.text || TxRecordSize(block.text) != from)
        return;
    const int32_t units = TxRecordCount(block.text);
    std::vector<uint8_t> out;
    out.reserve(size_t(units) * size_t(to));
    {
        TxLock text(block.text);
        const uint8_t* bytes = text.Records<uint8_t>();
        int32_t at = 0; // in characters of the source form
        while (at < units) {
            const int32_t offset = block.start + at; // one unit for each byte of the narrow form
            const int32_t run = TxFindRun(doc.styleRuns, offset);
            int32_t runEnd = std::min(TxRunAt(doc.styleRuns, run + 1).offset, block.end) - block.start;
            runEnd = std::clamp(runEnd, at + 1, units);
            TxStyleInfo style;
            TxGetStyle(doc, TxStyleIndexAt(doc, offset), style);
            TxHook proc = style.procs[slot] ? style.procs[slot] : doc.globals->styleHooks[slot];
            std::vector<uint8_t> piece(size_t(runEnd - at) * size_t(to) + 2);
            TxTextConversion c{bytes + size_t(at) * size_t(from), piece.data(), runEnd - at};
            const intptr_t made = proc(doc.self, 0, &c);
            out.insert(out.end(), piece.begin(), piece.begin() + std::clamp<intptr_t>(made, 0, runEnd - at) * to);
            at = runEnd;
        }
    }
    TxResetRef(block.text, to, 32);
    const int32_t count = int32_t(out.size()) / to;
    TxSetRecordCount(block.text, count);
    if (count)
        std::memcpy(TxRecordPtr(block.text, 0, false), out.data(), out.size());
}
} // namespace

void TxWidenBlockText(TxDocument& doc, TxTextBlock& block)
{
    ConvertBlockText(doc, block, kTxTextToWideProc, 1, 2);
}

void TxNarrowBlockText(TxDocument& doc, TxTextBlock& block)
{
    ConvertBlockText(doc, block, kTxWideToTextProc, 2, 1);
}
