// The style walk: the one cursor with which layout, drawing, the filters and the database's
// conversion move through a document's text and its formatting together.
//
// Locks: TxStyleWalkBegin locks the style runs, the style list and the font list (and, with
// paragraphs, the paragraph runs and the paragraph list), once each, and exposes pointers into
// them; TxStyleWalkEnd (or the TxStyleWalker's destructor) undoes exactly those locks. While a
// walk lives, nothing may resize those lists (no find-or-add, no clean-up, no change of runs):
// the pointers would go stale. The document itself stays locked by its caller for the walk's
// whole life. Run indexes out of range are read as record 0.
#pragma once

#include "richtext/engine/TxStyleRuns.h"

struct TxStyleWalk
{
    TxDocument* doc;
    int32_t offset;
    int32_t textSize;
    int32_t styleRun;        // the current style run
    int32_t nextStyleOffset; // where the next style run begins (limited to the text size)
    int32_t styleIndex;
    const TxStyleInfo* style;
    int32_t fontIndex; // -3 until the first load
    const TxFontInfo* font;
    bool withPars;
    int32_t parRun;
    int32_t nextParOffset;
    int32_t parIndex;
    const TxParInfo* par;
    uint32_t flags2;
};

void TxStyleWalkBegin(TxDocument& doc, int32_t offset, TxStyleWalk& walk, bool withPars);
void TxStyleWalkEnd(TxStyleWalk& walk);
// Moves by a signed count (never below 0, never past the text size); 1 when the style run or the
// paragraph run changed.
int32_t TxStyleWalkBy(TxStyleWalk& walk, int32_t delta);
int32_t TxStyleWalkTo(TxStyleWalk& walk, int32_t offset);
// Moves to the next style run's start: 1, or 0 when that start lies at or beyond the text size.
int32_t TxStyleWalkNext(TxStyleWalk& walk);

// A walk for the length of a scope.
class TxStyleWalker
{
public:
    TxStyleWalker(TxDocument& doc, int32_t offset, bool withPars) { TxStyleWalkBegin(doc, offset, walk_, withPars); }
    ~TxStyleWalker() { TxStyleWalkEnd(walk_); }
    TxStyleWalker(const TxStyleWalker&) = delete;
    TxStyleWalker& operator=(const TxStyleWalker&) = delete;
    TxStyleWalk& operator*() { return walk_; }
    TxStyleWalk* operator->() { return &walk_; }

private:
    TxStyleWalk walk_;
};
