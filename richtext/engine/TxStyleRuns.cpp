#include "richtext/engine/TxStyleRuns.h"

#include "richtext/engine/TxFailFrame.h"

#include <algorithm>
#include <cstring>

namespace {
const int32_t kRunSkip = 32;
const uint16_t kNoIndex = 0xFFFF;
const uint32_t kKeepUnusedFlags = 0x20000000 | 0x1000;
const uint32_t kTextEndsParagraphAttr = 0x1000000;
const int32_t kDeleteVerb = 10;
const uint32_t kNamedStylesInUse = 0x100;

// The two format lists, described once: their runs, records and use counts.
struct FormatList
{
    TxRef TxDocument::*runs;
    TxRef TxDocument::*records;
    int32_t useOffset;
};
const FormatList kStyleList = {&TxDocument::styleRuns, &TxDocument::styles,
                               int32_t(offsetof(TxStyleInfo, useCount))};
const FormatList kParList = {&TxDocument::parRuns, &TxDocument::pars, int32_t(offsetof(TxParInfo, useCount))};

int32_t* UseCountOf(TxRef records, const FormatList& list, int32_t index)
{
    auto* record = static_cast<uint8_t*>(TxRecordPtr(records, index, false));
    return reinterpret_cast<int32_t*>(record + list.useOffset);
}

void AddUse(TxDocument& doc, const FormatList& list, int32_t index, int32_t delta)
{
    TxRef records = doc.*list.records;
    if (index < 0 || index >= TxRecordCount(records))
        return;
    int32_t* count = UseCountOf(records, list, index);
    *count = std::max(0, *count + delta);
    if (&list == &kStyleList) {
        auto* style = static_cast<TxStyleInfo*>(TxRecordPtr(records, index, false));
        if (style->derivedIndex > 0 && style->derivedIndex != index)
            AddUse(doc, list, style->derivedIndex, delta);
    }
}

TxRun* Runs(TxRef runs)
{
    return static_cast<TxRun*>(TxRecordPtr(runs, 0, false));
}

void SetRunIndex(TxDocument& doc, const FormatList& list, int32_t run, int32_t index)
{
    TxRef runs = doc.*list.runs;
    int32_t old = Runs(runs)[run].index;
    if (old == index)
        return;
    AddUse(doc, list, old, -1);
    AddUse(doc, list, index, +1);
    Runs(runs)[run].index = uint16_t(index);
}

void InsertRun(TxDocument& doc, const FormatList& list, int32_t at, int32_t offset, int32_t index)
{
    TxRef runs = doc.*list.runs;
    auto* run = static_cast<TxRun*>(TxInsertRecords(runs, at, 1));
    *run = TxRun{offset, uint16_t(index), 0};
    TxUnlockRef(runs);
    AddUse(doc, list, index, +1);
}

void DeleteRun(TxDocument& doc, const FormatList& list, int32_t at)
{
    TxRef runs = doc.*list.runs;
    AddUse(doc, list, Runs(runs)[at].index, -1);
    TxDeleteRecords(runs, at, 1);
}

// Steps 1 and 2 of the clean-up: redundant runs, then trailing runs.
void MergeRuns(TxDocument& doc, const FormatList& list)
{
    TxRef runs = doc.*list.runs;
    const int32_t limit = doc.textSize + 2;
    for (int32_t i = 1; i < TxRecordCount(runs) - 1;) {
        TxRun* r = Runs(runs);
        if (r[i - 1].offset >= r[i].offset || r[i - 1].index == r[i].index || r[i].offset >= limit)
            DeleteRun(doc, list, i);
        else
            ++i;
    }
    if (&list == &kStyleList) {
        while (TxRecordCount(runs) > 2 && Runs(runs)[TxRecordCount(runs) - 2].offset >= doc.textSize)
            DeleteRun(doc, list, TxRecordCount(runs) - 2);
    } else {
        int32_t n = TxRecordCount(runs);
        if (n >= 3 && Runs(runs)[n - 2].offset == doc.textSize && doc.textSize > 0 &&
            !(doc.attributes & kTextEndsParagraphAttr))
            DeleteRun(doc, list, n - 2);
    }
    int32_t n = TxRecordCount(runs);
    if (n < 2) { // a damaged list: give it back its terminator
        InsertRun(doc, list, n, doc.textSize + 2, n ? Runs(runs)[0].index : 0);
        n = TxRecordCount(runs);
    }
    Runs(runs)[0].offset = 0;
    SetRunIndex(doc, list, n - 1, Runs(runs)[n - 2].index);
    Runs(runs)[n - 1].offset = limit;
}

void RenumberIndex(int32_t& index, int32_t removed)
{
    if (index > removed)
        --index;
    else if (index == removed)
        index = 0;
}

void RenumberAfterRemoval(TxDocument& doc, const FormatList& list, int32_t removed)
{
    TxRef runs = doc.*list.runs;
    TxLock lock(runs);
    for (int32_t i = 0; i < TxRecordCount(runs); ++i) {
        TxRun& r = lock.Records<TxRun>()[i];
        if (r.index != kNoIndex && r.index > removed)
            --r.index;
    }
    if (&list != &kStyleList)
        return;
    TxLock styles(doc.styles);
    for (int32_t i = 0; i < TxRecordCount(doc.styles); ++i)
        RenumberIndex(styles.Records<TxStyleInfo>()[i].derivedIndex, removed);
    for (uint16_t* index : {&doc.typingStyle, &doc.secondStyle, &doc.defaultStyle}) {
        if (*index == kNoIndex)
            continue;
        int32_t value = *index;
        RenumberIndex(value, removed);
        *index = uint16_t(value);
    }
}

// Step 3: removes the records no run uses (the insertion style stays).
void DropUnused(TxDocument& doc, const FormatList& list)
{
    if (doc.flags2 & kKeepUnusedFlags)
        return;
    TxRef records = doc.*list.records;
    bool removed = false;
    for (int32_t i = TxRecordCount(records) - 1; i >= 1; --i) {
        if (*UseCountOf(records, list, i) != 0)
            continue;
        if (&list == &kStyleList && i == doc.typingStyle)
            continue;
        if (&list == &kStyleList) {
            auto* s = static_cast<TxStyleInfo*>(TxRecordPtr(records, i, false));
            s->procs[kTxStyleProc11](doc.self, kDeleteVerb, s);
        }
        TxDeleteRecords(records, i, 1);
        RenumberAfterRemoval(doc, list, i);
        removed = true;
    }
    if (removed)
        TxCompactRef(records);
}

void CleanList(TxDocument& doc, const FormatList& list)
{
    MergeRuns(doc, list);
    DropUnused(doc, list);
}

void ApplyRuns(TxDocument& doc, const FormatList& list, TxRunCallback callback, void* context, int32_t begin,
               int32_t end)
{
    TxRef runs = doc.*list.runs;
    const int32_t after = Runs(runs)[TxFindRun(runs, end)].index;
    int32_t i = TxFindRun(runs, begin);
    int32_t index = callback(doc, Runs(runs)[i].index, context);
    if (doc.textSize == 0 || (begin == end && begin == doc.textSize)) {
        SetRunIndex(doc, list, i, index);
        return;
    }
    if (index != Runs(runs)[i].index) {
        if (begin > Runs(runs)[i].offset)
            InsertRun(doc, list, ++i, begin, index);
        else
            SetRunIndex(doc, list, i, index);
    }
    for (++i; i < TxRecordCount(runs) - 1 && Runs(runs)[i].offset < end; ++i)
        SetRunIndex(doc, list, i, callback(doc, Runs(runs)[i].index, context));
    if (Runs(runs)[i].offset == end && i < TxRecordCount(runs) - 1)
        SetRunIndex(doc, list, i, after);
    else
        InsertRun(doc, list, i, end, after);
}

// What of a change an object style takes in a document with named styles: the attributes, font
// index, style sheet number, derived index, the two rectangles and four 32-bit values.
TxStyleInfo ObjectStyleMask(const TxStyleInfo& mask)
{
    TxStyleInfo m;
    TxFillStyle(m, 0);
    std::memcpy(m.attributes, mask.attributes, sizeof m.attributes);
    m.fontIndex = mask.fontIndex;
    m.styleSheet = mask.styleSheet;
    m.derivedIndex = mask.derivedIndex;
    std::memcpy(m.rects, mask.rects, sizeof m.rects);
    std::memcpy(&m.values10[2], &mask.values10[2], 4 * sizeof m.values10[0]);
    return m;
}

// Applying a masked style value to one run's style.
struct StyleChange
{
    const TxStyleInfo* value;
    const TxStyleInfo* mask;
};

int32_t ChangeStyle(TxDocument& doc, int32_t index, void* context)
{
    auto* change = static_cast<StyleChange*>(context);
    TxStyleInfo style;
    index = TxCheckedIndex(doc.styles, index);
    TxGetStyle(doc, index, style);
    const TxStyleInfo* mask = change->mask;
    TxStyleInfo objectMask;
    if (doc.flags2 & kNamedStylesInUse) {
        if (style.classFlags & kTxObjectStyle) {
            objectMask = ObjectStyleMask(*change->mask);
            mask = &objectMask;
        } else if (style.styleSheet < 0) {
            TxStyleInfo expanded;
            TxResolveNamedStyle(doc, style, expanded, nullptr, -style.styleSheet);
            expanded.styleSheet = 0;
            style = expanded;
            TxMaskedCopy(&style, change->value, mask, kTxStyleMaskBytes);
            return TxFindOrAddStyle(doc, style);
        }
    }
    if (!TxMaskedCopy(&style, change->value, mask, kTxStyleMaskBytes))
        return index;
    return TxFindOrAddStyle(doc, style);
}

struct ParChange
{
    const TxParInfo* value;
    const TxParInfo* mask;
};

int32_t ChangePar(TxDocument& doc, int32_t index, void* context)
{
    auto* change = static_cast<ParChange*>(context);
    TxParInfo par;
    index = TxCheckedIndex(doc.pars, index);
    TxGetRecord(doc.pars, index, &par);
    if (!TxMaskedCopy(&par, change->value, change->mask, kTxParMaskBytes))
        return index;
    return TxFindOrAddParInfo(doc, par);
}

void ApplyStyleChange(TxDocument& doc, const TxRange* range, const TxStyleInfo& value, const TxStyleInfo& mask)
{
    StyleChange change{&value, &mask};
    std::vector<TxRange> ranges = TxSelectionRanges(doc, range);
    if (ranges.empty()) {
        int32_t index = ChangeStyle(doc, TxInsertionStyle(doc), &change);
        doc.typingStyle = uint16_t(index);
        if (doc.textSize == 0) {
            TxApplyToRuns(doc, true, ChangeStyle, &change, 0, 0);
            TxCleanAllRuns(doc, true, false);
            TxInvalidateRange(doc, 0, 0);
        }
        return;
    }
    int32_t low = ranges.front().begin, high = ranges.back().end;
    for (const TxRange& r : ranges)
        TxApplyToRuns(doc, true, ChangeStyle, &change, r.begin, r.end);
    TxCleanAllRuns(doc, true, false);
    TxInvalidateRange(doc, low, high);
    ++doc.changeCount;
}

template <class Record>
void MergeInto(const Record& next, int32_t mode, Record& value, Record& mask, int32_t length)
{
    if (mode == 0) {
        TxClearMaskWhereDifferent(&value, &next, &mask, length);
        return;
    }
    auto* v = reinterpret_cast<const uint8_t*>(&value);
    auto* n = reinterpret_cast<const uint8_t*>(&next);
    auto* m = reinterpret_cast<uint8_t*>(&mask);
    for (int32_t i = 0; i + 1 < length; i += 2)
        if (v[i] == n[i] && v[i + 1] == n[i + 1])
            m[i] = m[i + 1] = 0xFF;
}

// The font a masked set makes from font 0: the value's name when the mask selects it (else none),
// always its alternate name, the masked rest; found or added (-1 when it has neither name).
int32_t FontFromMasked(TxDocument& doc, const TxFontInfo& value, const TxFontInfo& mask)
{
    TxFontInfo font;
    TxGetFont(doc, 0, font);
    const size_t names = sizeof font.name + sizeof font.alternateName;
    if (mask.name[0])
        std::memcpy(font.name, value.name, sizeof font.name);
    else
        std::memset(font.name, 0, sizeof font.name);
    std::memcpy(font.alternateName, value.alternateName, sizeof font.alternateName);
    TxMaskedCopy(reinterpret_cast<uint8_t*>(&font) + names, reinterpret_cast<const uint8_t*>(&value) + names,
                 reinterpret_cast<const uint8_t*>(&mask) + names, int32_t(sizeof font - names));
    // Each name comes with the form it is stored in (a cleared name is an empty length-prefixed one).
    const uint8_t nameForm = mask.name[0] ? value.flags & kTxFontNameZeroTerminated : 0;
    font.flags = uint8_t((font.flags & ~(kTxFontNameZeroTerminated | kTxFontAlternateZeroTerminated)) | nameForm |
                         (value.flags & kTxFontAlternateZeroTerminated));
    if (mask.name[0])
        font.flags |= value.flags & kTxFontNameChosen;
    return TxFindOrAddFont(doc, font);
}

// Calls f with the style index of every run meeting the ranges (the style at the start of an
// empty one), or the insertion style when there is only a caret; answers the first offset.
template <class F> int32_t ForEachStyleIn(TxDocument& doc, const TxRange* range, F f)
{
    std::vector<TxRange> ranges = TxSelectionRanges(doc, range);
    if (ranges.empty()) {
        f(TxInsertionStyle(doc));
        return range ? std::clamp(range->begin, 0, doc.textSize) : TxCaretOffset(doc);
    }
    for (const TxRange& r : ranges) {
        int32_t i = TxFindRun(doc.styleRuns, r.begin);
        do {
            f(TxCheckedIndex(doc.styles, Runs(doc.styleRuns)[i].index));
            ++i;
        } while (i < TxRecordCount(doc.styleRuns) - 1 && Runs(doc.styleRuns)[i].offset < r.end);
    }
    return ranges.front().begin;
}
} // namespace

int32_t TxFindRun(TxRef runs, int32_t offset)
{
    const int32_t count = TxRecordCount(runs) - 1; // the terminator is no run to find
    if (offset <= 0 || count <= 1)
        return 0;
    const TxRun* r = Runs(runs);
    int32_t i = 0;
    while (i + kRunSkip < count && r[i + kRunSkip].offset <= offset)
        i += kRunSkip;
    while (i + 1 < count && r[i + 1].offset <= offset)
        ++i;
    return i;
}

TxRun TxRunAt(TxRef runs, int32_t index)
{
    TxRun run;
    TxGetRecord(runs, index, &run);
    return run;
}

int32_t TxCheckedIndex(TxRef list, int32_t index)
{
    return index >= 0 && index < TxRecordCount(list) ? index : 0;
}

void TxGetStyle(TxDocument& doc, int32_t index, TxStyleInfo& out)
{
    TxGetRecord(doc.styles, TxCheckedIndex(doc.styles, index), &out);
}

void TxGetFont(TxDocument& doc, int32_t index, TxFontInfo& out)
{
    TxGetRecord(doc.fonts, TxCheckedIndex(doc.fonts, index), &out);
}

int32_t TxStyleIndexAt(TxDocument& doc, int32_t offset)
{
    return TxCheckedIndex(doc.styles, Runs(doc.styleRuns)[TxFindRun(doc.styleRuns, offset)].index);
}

uint32_t TxCharClassAt(TxDocument& doc, const uint8_t* text, int32_t length, int32_t position,
                       int32_t blockStart)
{
    auto* style =
        static_cast<TxStyleInfo*>(TxRecordPtr(doc.styles, TxStyleIndexAt(doc, blockStart + position), false));
    TxCharClassArgs args{text, length, position, 0xFFFFFFFF};
    TxHook proc = style->procs[kTxStyleCharInfoProc] ? style->procs[kTxStyleCharInfoProc]
                                                     : doc.globals->styleHooks[kTxStyleCharInfoProc];
    return uint32_t(proc(doc.self, 0, &args));
}

int32_t TxFindOrAddFont(TxDocument& doc, const TxFontInfo& font)
{
    TxFontInfo f = font;
    doc.hooks.slot[kTxFontInitProc](doc.self, 0, &f);
    const uint8_t* chars;
    if (TxFontName(f, false, chars) == 0 && TxFontName(f, true, chars) == 0)
        return -1;
    {
        TxLock lock(doc.fonts);
        for (int32_t i = 0; i < TxRecordCount(doc.fonts); ++i) {
            const TxFontInfo& e = lock.Records<TxFontInfo>()[i];
            if (TxCompareFont(e, f, false) == 0 && TxCompareFont(e, f, true) == 0)
                return i;
        }
    }
    TxDocMemoryScope scope(doc);
    *static_cast<TxFontInfo*>(TxAppendRecords(doc.fonts, 1, false)) = f;
    TxUnlockRef(doc.fonts);
    return TxRecordCount(doc.fonts) - 1;
}

int32_t TxFindOrAddStyle(TxDocument& doc, const TxStyleInfo& style)
{
    TxStyleInfo s = style;
    for (int i = 0; i < kTxStyleHookCount; ++i)
        if (!s.procs[i])
            s.procs[i] = doc.globals->styleHooks[i];
    s.fontIndex = int16_t(TxCheckedIndex(doc.fonts, s.fontIndex));
    s.procs[kTxStyleMetricsProc](doc.self, 0, &s);
    // The small-capitals style is part of what the record is, so it is settled before comparing.
    s.derivedIndex = s.attributes[kTxAttrSmallCaps] ? TxSmallCapsStyle(doc, s) : 0;
    {
        TxLock lock(doc.styles);
        for (int32_t i = 0; i < TxRecordCount(doc.styles); ++i)
            if (TxEqualStyles(lock.Records<TxStyleInfo>()[i], s))
                return i;
    }
    TxNormalizeStyleForList(s);
    const bool definition = s.flagWord & kTxDefinitionFlag;
    s.useCount = 0;
    s.procs[kTxStyleProc7](doc.self, 0, &s);
    {
        TxDocMemoryScope scope(doc);
        *static_cast<TxStyleInfo*>(TxAppendRecords(doc.styles, 1, false)) = s;
        TxUnlockRef(doc.styles);
    }
    const int32_t index = TxRecordCount(doc.styles) - 1;
    if (definition)
        AddUse(doc, kStyleList, index, +1); // and its small-capitals style with it
    return index;
}

int32_t TxSmallCapsStyle(TxDocument& doc, const TxStyleInfo& style)
{
    const int32_t percent = style.attributes[kTxAttrSmallCaps] == -1 ? 75 : style.attributes[kTxAttrSmallCaps];
    TxStyleInfo small = style;
    small.attributes[15] = small.attributes[16] = small.attributes[kTxAttrSmallCaps] = 0;
    small.flagWord = 0;
    small.styleSheet = 0;
    small.useCount = 0;
    small.derivedIndex = 0;
    const int64_t size = style.pointSize ? style.pointSize : 12 << 16;
    small.pointSize = int32_t(std::clamp<int64_t>(size * percent / 100, 1, INT32_MAX));
    return TxFindOrAddStyle(doc, small);
}

void TxResolveNamedStyle(TxDocument& doc, const TxStyleInfo& style, TxStyleInfo& out, TxFontInfo* font,
                         int32_t number)
{
    out = style;
    if (!number)
        number = style.attributes[kTxAttrDefinition];
    const TxStyleInfo* definition = nullptr;
    TxLock lock(doc.styles);
    for (int32_t i = 0; number > 0 && i < TxRecordCount(doc.styles); ++i) {
        const TxStyleInfo& s = lock.Records<TxStyleInfo>()[i];
        if ((s.flagWord & kTxDefinitionFlag) && s.styleSheet == number)
            definition = &s;
    }
    if (definition) {
        if (definition->fontIndex)
            out.fontIndex = definition->fontIndex;
        for (int a = 0; a < kTxStyleAttributeCount; ++a) {
            const int16_t v = definition->attributes[a];
            if (a == kTxAttrDefinition || v == 0)
                continue;
            out.attributes[a] = v == -1 ? int16_t(!out.attributes[a]) : v;
        }
        for (int32_t TxStyleInfo::*field : {&TxStyleInfo::pointSize, &TxStyleInfo::widthScale})
            if (definition->*field)
                out.*field = definition->*field;
        for (int i = 2; i < 6; ++i)
            if (definition->values10[i])
                out.values10[i] = definition->values10[i];
        for (int r = 0; r < 2; ++r)
            if (!TxZeroWords(definition->rects[r], int32_t(sizeof definition->rects[r])))
                std::memcpy(out.rects[r], definition->rects[r], sizeof out.rects[r]);
    }
    out.attributes[kTxAttrDefinition] = 0;
    out.derivedIndex = 0;
    if (out.fontIndex == -1)
        out.fontIndex = 0;
    out.fontIndex = int16_t(TxCheckedIndex(doc.fonts, out.fontIndex));
    if (out.procs[kTxStyleMetricsProc])
        out.procs[kTxStyleMetricsProc](doc.self, 0, &out);
    if (font)
        TxGetFont(doc, out.fontIndex, *font);
}

int32_t TxFindOrAddParInfo(TxDocument& doc, const TxParInfo& par)
{
    TxParInfo p = par;
    for (int i = 0; i < kTxParHookCount; ++i)
        if (!p.procs[i])
            p.procs[i] = doc.globals->parHooks[i];
    p.indents[0] = std::max(0, p.indents[0]);
    p.indents[1] = std::max(0, p.indents[1]);
    if (int64_t(p.indents[0]) + p.indents[2] < 0)
        p.indents[2] = -p.indents[0];
    {
        TxLock lock(doc.pars);
        for (int32_t i = 0; i < TxRecordCount(doc.pars); ++i)
            if (TxEqualPars(lock.Records<TxParInfo>()[i], p))
                return i;
    }
    TxNormalizeParForList(p);
    p.useCount = (p.flagWord & kTxDefinitionFlag) ? 1 : 0;
    TxDocMemoryScope scope(doc);
    *static_cast<TxParInfo*>(TxAppendRecords(doc.pars, 1, false)) = p;
    TxUnlockRef(doc.pars);
    return TxRecordCount(doc.pars) - 1;
}

void TxAddStyleUse(TxDocument& doc, int32_t index, int32_t delta)
{
    AddUse(doc, kStyleList, index, delta);
}

void TxAddParUse(TxDocument& doc, int32_t index, int32_t delta)
{
    AddUse(doc, kParList, index, delta);
}

std::vector<TxRange> TxSelectionRanges(TxDocument& doc, const TxRange* range)
{
    std::vector<TxRange> ranges;
    auto add = [&](int32_t a, int32_t b) {
        a = std::clamp(a, 0, doc.textSize);
        b = std::clamp(b, 0, doc.textSize);
        if (a > b)
            std::swap(a, b);
        if (a < b)
            ranges.push_back({a, b});
    };
    if (range)
        add(range->begin, range->end);
    else {
        TxLock lock(doc.selection);
        const TxSelectPoint* points = lock.Records<TxSelectPoint>();
        int32_t pairs = std::min<int32_t>(doc.pairCount, TxRecordCount(doc.selection) / 2);
        for (int32_t i = 0; i < pairs; ++i)
            add(points[2 * i].offset, points[2 * i + 1].offset);
    }
    std::sort(ranges.begin(), ranges.end(), [](const TxRange& a, const TxRange& b) { return a.begin < b.begin; });
    for (size_t i = 1; i < ranges.size(); ++i)
        ranges[i].begin = std::max(ranges[i].begin, ranges[i - 1].end);
    ranges.erase(std::remove_if(ranges.begin(), ranges.end(), [](const TxRange& r) { return r.begin >= r.end; }),
                 ranges.end());
    return ranges;
}

void TxApplyToRuns(TxDocument& doc, bool styles, TxRunCallback callback, void* context, int32_t begin,
                   int32_t end)
{
    ApplyRuns(doc, styles ? kStyleList : kParList, callback, context, begin, end);
}

void TxCleanAllRuns(TxDocument& doc, bool styles, bool pars)
{
    if (styles)
        CleanList(doc, kStyleList);
    if (pars)
        CleanList(doc, kParList);
}

int32_t TxInsertionStyle(TxDocument& doc)
{
    if (doc.typingStyle != kNoIndex)
        return TxCheckedIndex(doc.styles, doc.typingStyle);
    int32_t caret = TxCaretOffset(doc);
    return TxStyleIndexAt(doc, caret > 0 ? caret - 1 : 0);
}

int32_t TxCaretOffset(TxDocument& doc)
{
    TxSelectPoint first;
    TxGetRecord(doc.selection, 0, &first);
    return first.offset;
}

void TxInvalidateRange(TxDocument& doc, int32_t from, int32_t to)
{
    doc.attributes |= 0x80000000u;
    TxLock lock(doc.textBlocks);
    for (int32_t i = 0; i < TxRecordCount(doc.textBlocks); ++i) {
        TxTextBlock& b = lock.Records<TxTextBlock>()[i];
        bool last = i + 1 == TxRecordCount(doc.textBlocks);
        if (b.start <= to && (from < b.end || last))
            b.flags |= kTxBlockRebuild;
    }
}

int32_t TxGetStyleInfo(TxRef document, const TxRange* range, int32_t mode, TxStyleInfo& value, TxStyleInfo& mask)
{
    TxDocLock doc(document);
    if (mode == 0) {
        std::memset(&value, 0, sizeof value);
        TxFillStyle(mask, 0xFF);
    } else
        TxFillStyle(mask, 0);
    bool first = true;
    return ForEachStyleIn(*doc, range, [&](int32_t index) {
        TxStyleInfo s;
        TxGetStyle(*doc, index, s);
        if (mode == 0 && first)
            value = s;
        else
            MergeInto(s, mode, value, mask, int32_t(sizeof s));
        first = false;
    });
}

int32_t TxGetFontInfo(TxRef document, const TxRange* range, int32_t mode, TxFontInfo& value, TxFontInfo& mask)
{
    TxDocLock doc(document);
    if (mode == 0) {
        std::memset(&value, 0, sizeof value);
        std::memset(&mask, 0xFF, sizeof mask);
    } else
        std::memset(&mask, 0, sizeof mask);
    bool first = true;
    int32_t at = ForEachStyleIn(*doc, range, [&](int32_t index) {
        TxStyleInfo s;
        TxGetStyle(*doc, index, s);
        TxFontInfo f;
        TxGetFont(*doc, s.fontIndex, f);
        if (mode == 0 && first)
            value = f;
        else
            MergeInto(f, mode, value, mask, int32_t(sizeof f));
        first = false;
    });
    TxResolveFont(value);
    return at;
}

void TxSetStyleInfo(TxRef document, const TxRange* range, const TxStyleInfo& value, const TxStyleInfo& mask,
                    int32_t)
{
    TxDocLock doc(document);
    ApplyStyleChange(*doc, range, value, mask);
}

void TxSetStyleAttributes(TxRef document, const TxRange* range, const TxStyleInfo& value,
                          const TxStyleInfo& mask, int32_t drawMode)
{
    TxStyleInfo m = mask;
    m.fontIndex = 0;
    TxSetStyleInfo(document, range, value, m, drawMode);
}

void TxSetFontInfo(TxRef document, const TxRange* range, const TxFontInfo& value, const TxFontInfo& mask,
                   int32_t)
{
    TxDocLock doc(document);
    TxStyleInfo styleValue{}, styleMask{};
    styleValue.fontIndex = int16_t(FontFromMasked(*doc, value, mask));
    styleMask.fontIndex = -1;
    ApplyStyleChange(*doc, range, styleValue, styleMask);
}

void TxSetStyleAndFont(TxRef document, const TxRange* range, const TxStyleInfo& style,
                       const TxStyleInfo& styleMask, const TxFontInfo& font, const TxFontInfo& fontMask, int32_t)
{
    TxDocLock doc(document);
    TxFontInfo f = font;
    if (fontMask.name[0])
        f.flags |= kTxFontNameChosen;
    TxStyleInfo value = style, mask = styleMask;
    value.fontIndex = int16_t(FontFromMasked(*doc, f, fontMask));
    mask.fontIndex = -1;
    ApplyStyleChange(*doc, range, value, mask);
}

int32_t TxCopyFontTo(TxRef source, TxRef target, int32_t index)
{
    TxFontInfo font;
    TxGetFont(*TxDocLock(source), index, font);
    return TxFindOrAddFont(*TxDocLock(target), font);
}

void TxSetParInfo(TxRef document, const TxRange* range, const TxParInfo& value, const TxParInfo& mask, int32_t)
{
    TxDocLock doc(document);
    ParChange change{&value, &mask};
    std::vector<TxRange> ranges = TxSelectionRanges(*doc, range);
    for (const TxRange& r : ranges)
        TxApplyToRuns(*doc, false, ChangePar, &change, r.begin, r.end);
    TxCleanAllRuns(*doc, false, true);
    if (!ranges.empty()) {
        TxInvalidateRange(*doc, ranges.front().begin, ranges.back().end);
        ++doc->changeCount;
    }
}

namespace {
// Whether a style matches a search: see TxFindStyleRun.
bool CompareMasked(const TxStyleInfo& style, const TxStyleInfo* value, const TxStyleInfo* selector,
                   const TxStyleInfo* andMask)
{
    auto unit = [](const TxStyleInfo* r, int32_t i) { return reinterpret_cast<const uint16_t*>(r)[i]; };
    const int32_t units = kTxStyleMaskBytes / 2;
    for (int32_t i = 0; i < units; ++i) {
        if (selector && unit(selector, i) == 0)
            continue;
        uint16_t u = unit(&style, i);
        if (andMask)
            u &= unit(andMask, i);
        if (!value && u)
            return true;
        if (value && u != unit(value, i))
            return false;
    }
    return value != nullptr;
}
} // namespace

int32_t TxFindStyleRun(TxRef document, int32_t* offset, int32_t* end, const TxStyleInfo* value,
                       const TxStyleInfo* selector, const TxStyleInfo* andMask)
{
    TxDocLock doc(document);
    const int32_t runs = TxRecordCount(doc->styleRuns) - 1;
    auto matches = [&](int32_t run) {
        TxStyleInfo s;
        TxGetStyle(*doc, Runs(doc->styleRuns)[run].index, s);
        return CompareMasked(s, value, selector, andMask);
    };
    for (int32_t i = TxFindRun(doc->styleRuns, std::max(0, *offset)); i < runs; ++i) {
        if (Runs(doc->styleRuns)[i].offset >= doc->textSize && doc->textSize > 0)
            break;
        if (!matches(i))
            continue;
        *offset = std::max(*offset, Runs(doc->styleRuns)[i].offset);
        int32_t j = i + 1;
        while (j < runs && Runs(doc->styleRuns)[j].offset < doc->textSize && matches(j))
            ++j;
        *end = std::min(Runs(doc->styleRuns)[j].offset, doc->textSize);
        return 1;
    }
    return 0;
}

uint32_t TxStyleClassAt(TxRef document, int32_t offset, TxRange* range)
{
    TxDocLock doc(document);
    const int32_t run = TxFindRun(doc->styleRuns, offset);
    TxStyleInfo s;
    TxGetStyle(*doc, Runs(doc->styleRuns)[run].index, s);
    if (range)
        *range = {std::min(Runs(doc->styleRuns)[run].offset, doc->textSize),
                  std::min(Runs(doc->styleRuns)[run + 1].offset, doc->textSize)};
    return s.classFlags;
}

void TxRunIndexesAt(TxDocument& doc, int32_t offset, int32_t& style, int32_t& par, bool addReference)
{
    style = TxStyleIndexAt(doc, offset);
    par = TxCheckedIndex(doc.pars, Runs(doc.parRuns)[TxFindRun(doc.parRuns, offset)].index);
    if (addReference) {
        AddUse(doc, kStyleList, style, +1);
        AddUse(doc, kParList, par, +1);
    }
}

void TxSetRunsAt(TxDocument& doc, int32_t style, int32_t par, int32_t offset)
{
    // Each helper below counts the use it makes, so the one taken beforehand is given back.
    if (offset < doc.textSize) {
        int32_t run = TxFindRun(doc.styleRuns, offset);
        if (Runs(doc.styleRuns)[run].offset == offset)
            SetRunIndex(doc, kStyleList, run, style);
        else
            InsertRun(doc, kStyleList, run + 1, offset, style);
    }
    AddUse(doc, kStyleList, style, -1);
    int32_t begin, end;
    TxParagraphBounds(doc, offset, begin, end);
    int32_t run = TxFindRun(doc.parRuns, end);
    bool startsAtEnd = Runs(doc.parRuns)[run].offset == end && run + 1 < TxRecordCount(doc.parRuns);
    if (startsAtEnd) {
        if (offset == begin)
            InsertRun(doc, kParList, TxFindRun(doc.parRuns, offset) + 1, offset, par);
    } else if (end < doc.textSize) {
        InsertRun(doc, kParList, run + 1, end, par);
    }
    AddUse(doc, kParList, par, -1);
}

void TxRenumberRuns(TxRef runs, int32_t removed, int32_t count)
{
    TxLock lock(runs);
    for (int32_t i = 0; i < TxRecordCount(runs); ++i) {
        TxRun& r = lock.Records<TxRun>()[i];
        if (r.index == kNoIndex)
            continue;
        int32_t index = r.index > removed ? r.index - 1 : r.index;
        if (index >= count)
            index = count - 1;
        r.index = uint16_t(std::max(0, index));
    }
}

void TxParagraphBounds(TxDocument& doc, int32_t offset, int32_t& begin, int32_t& end)
{
    TxParagraphBoundsArgs args{offset, 0, doc.textSize};
    doc.hooks.slot[kTxParagraphBoundsProc](doc.self, 0, &args);
    begin = args.begin;
    end = args.end;
}

intptr_t TxDefaultParagraphBoundsHook(void* document, int32_t, void* args)
{
    TxDocLock doc(static_cast<TxRef>(document));
    auto* a = static_cast<TxParagraphBoundsArgs*>(args);
    const uint8_t parEnd = uint8_t(doc->globals->charCodes[kTxParagraphBreak]);
    // A paragraph end is real unless its style hides it or marks it as no paragraph end.
    auto realEndAt = [&](int32_t at) {
        TxRef holder;
        int32_t remaining;
        uint8_t* p = TxTextAt(*doc, at, holder, remaining);
        const bool end = p && *p == parEnd;
        if (holder)
            TxUnlockRef(holder);
        if (!end)
            return false;
        TxStyleInfo s;
        TxGetStyle(*doc, TxStyleIndexAt(*doc, at), s);
        return s.attributes[kTxAttrHidden] == 0 && !(s.classFlags & kTxClassParEnd);
    };
    const int32_t offset = std::clamp(a->offset, 0, doc->textSize);
    a->begin = offset;
    while (a->begin > 0 && !realEndAt(a->begin - 1))
        --a->begin;
    a->end = offset;
    while (a->end < doc->textSize && !realEndAt(a->end))
        ++a->end;
    if (a->end < doc->textSize)
        ++a->end;
    return 0;
}

void TxSetInsertionStyle(TxRef document, const TxStyleInfo* style, const TxFontInfo* font)
{
    TxDocLock doc(document);
    TxStyleInfo s;
    if (style)
        s = *style;
    else
        TxGetStyle(*doc, TxInsertionStyle(*doc), s);
    if (font)
        s.fontIndex = int16_t(std::max(0, TxFindOrAddFont(*doc, *font)));
    doc->typingStyle = uint16_t(TxFindOrAddStyle(*doc, s));
}

void TxUpdateInsertionStyle(TxRef document)
{
    TxDocLock doc(document);
    if (doc->pairCount)
        return;
    const int32_t caret = TxCaretOffset(*doc);
    int32_t begin, end;
    TxParagraphBounds(*doc, caret, begin, end);
    int32_t index = TxStyleIndexAt(*doc, caret > begin ? caret - 1 : caret);
    TxStyleInfo s;
    TxGetStyle(*doc, index, s);
    if (s.procs[kTxStyleActiveProc] && s.procs[kTxStyleActiveProc](doc->self, 0, &s))
        index = TxFindOrAddStyle(*doc, s);
    doc->typingStyle = uint16_t(index);
}
