#include "richtext/engine/TxStyleWalk.h"

#include <algorithm>

namespace {
const int32_t kNotLoaded = -3;

const TxRun* RunsOf(TxRef runs)
{
    return static_cast<const TxRun*>(TxRecordPtr(runs, 0, false));
}

int32_t NextOffset(TxRef runs, int32_t run, int32_t textSize)
{
    int32_t next = run + 1 < TxRecordCount(runs) ? RunsOf(runs)[run + 1].offset : textSize;
    return std::min(next, textSize);
}

// Loads the records of the runs holding the walk's offset; true when a run changed.
bool Load(TxStyleWalk& w)
{
    TxDocument& doc = *w.doc;
    bool changed = false;
    int32_t run = TxFindRun(doc.styleRuns, w.offset);
    if (run != w.styleRun || w.fontIndex == kNotLoaded) {
        changed = run != w.styleRun;
        w.styleRun = run;
        w.styleIndex = TxCheckedIndex(doc.styles, RunsOf(doc.styleRuns)[run].index);
        w.style = static_cast<const TxStyleInfo*>(TxRecordPtr(doc.styles, w.styleIndex, false));
        w.fontIndex = TxCheckedIndex(doc.fonts, w.style->fontIndex);
        w.font = static_cast<const TxFontInfo*>(TxRecordPtr(doc.fonts, w.fontIndex, false));
    }
    w.nextStyleOffset = NextOffset(doc.styleRuns, w.styleRun, w.textSize);
    if (w.withPars) {
        int32_t par = TxFindRun(doc.parRuns, w.offset);
        changed = changed || par != w.parRun;
        w.parRun = par;
        w.parIndex = TxCheckedIndex(doc.pars, RunsOf(doc.parRuns)[par].index);
        w.par = static_cast<const TxParInfo*>(TxRecordPtr(doc.pars, w.parIndex, false));
        w.nextParOffset = NextOffset(doc.parRuns, w.parRun, w.textSize);
    }
    return changed;
}
} // namespace

void TxStyleWalkBegin(TxDocument& doc, int32_t offset, TxStyleWalk& walk, bool withPars)
{
    walk = TxStyleWalk{};
    walk.doc = &doc;
    walk.textSize = doc.textSize;
    walk.offset = std::clamp(offset, 0, doc.textSize);
    walk.withPars = withPars;
    walk.fontIndex = kNotLoaded;
    walk.styleRun = walk.parRun = -1;
    walk.flags2 = doc.flags2;
    TxLockRef(doc.styleRuns);
    TxLockRef(doc.styles);
    TxLockRef(doc.fonts);
    if (withPars) {
        TxLockRef(doc.parRuns);
        TxLockRef(doc.pars);
    }
    Load(walk);
}

void TxStyleWalkEnd(TxStyleWalk& walk)
{
    if (!walk.doc)
        return;
    TxDocument& doc = *walk.doc;
    TxUnlockRef(doc.styleRuns);
    TxUnlockRef(doc.styles);
    TxUnlockRef(doc.fonts);
    if (walk.withPars) {
        TxUnlockRef(doc.parRuns);
        TxUnlockRef(doc.pars);
    }
    walk.doc = nullptr;
}

int32_t TxStyleWalkTo(TxStyleWalk& walk, int32_t offset)
{
    walk.offset = std::clamp(offset, 0, walk.textSize);
    return Load(walk) ? 1 : 0;
}

int32_t TxStyleWalkBy(TxStyleWalk& walk, int32_t delta)
{
    return TxStyleWalkTo(walk, int32_t(std::clamp<int64_t>(int64_t(walk.offset) + delta, 0, walk.textSize)));
}

int32_t TxStyleWalkNext(TxStyleWalk& walk)
{
    if (walk.nextStyleOffset >= walk.textSize)
        return 0;
    TxStyleWalkTo(walk, walk.nextStyleOffset);
    return 1;
}
