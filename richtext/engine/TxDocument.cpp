#include "richtext/engine/TxDocument.h"

#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxPlatform.h"
#include "richtext/engine/TxDocAreas.h"
#include "richtext/engine/TxExclusions.h"
#include "richtext/engine/TxStyleRuns.h"

#include <cstring>

namespace {
const uint32_t kFormatVersion = 0x00030002;
const uint32_t kSecondWord = 0x00000101;
const uint32_t kLayoutStaleAttr = 0x80000000;
const uint32_t kPageValuesChangedAttr = 0x2000000;

uint32_t KeptAttributes(uint32_t attributes)
{
    attributes &= ~kTxNotKeptAttr;
    if (attributes & kTxForceLayoutAttr)
        attributes |= kTxForcedAttrs;
    return attributes;
}

TxShape AreaFrom(TxMemGlobals* mg, TxShape given)
{
    return given ? TxDuplicateRef(given) : TxNewShape(mg, nullptr);
}

void BuildDevice(TxDocument& doc, intptr_t window)
{
    TxGlobals* g = doc.globals;
    doc.device = TxDocDevice{};
    doc.device.context = g->screenDevice;
    doc.device.resolution = TxCurrentPlatform().PixelsPerInch(g->screenDevice) << 16;
    if (window == -1)
        doc.device.flags |= kTxDeviceNotOwned;
    else
        doc.device.window = uintptr_t(window);
    doc.resolution = doc.device.resolution;
}

TxRef NewRunList(TxMemGlobals* mg)
{
    TxRef runs = TxNewRef(mg, int16_t(sizeof(TxRun)), 2, 4, true);
    TxLock lock(runs);
    lock.Records<TxRun>()[1].offset = 2;
    return runs;
}

TxRef NewLinkList(TxMemGlobals* mg)
{
    TxRef links = TxNewRef(mg, 16, 1, 2, true);
    TxLock lock(links);
    lock.Records<int32_t>()[0] = 2;
    lock.Records<int32_t>()[1] = 2;
    return links;
}

// Copies the globals' default records into record 0 of the three format lists and lets their
// procedures complete them.
void InstallDefaultFormats(TxDocument& doc)
{
    TxGlobals* g = doc.globals;
    TxLock fonts(doc.fonts), styles(doc.styles), pars(doc.pars);
    TxFontInfo& font = fonts.Records<TxFontInfo>()[0];
    TxStyleInfo& style = styles.Records<TxStyleInfo>()[0];
    TxParInfo& par = pars.Records<TxParInfo>()[0];
    font = g->defaultFont;
    doc.hooks.slot[kTxFontInitProc](doc.self, 0, &font);
    style = g->defaultStyle;
    style.procs[kTxStyleMetricsProc](doc.self, 0, &style);
    style.procs[kTxStyleProc14](doc.self, 14, &style);
    style.useCount = 2;
    par = g->defaultPar;
    par.procs[kTxBuildLineProc](doc.self, 0, &par);
    par.useCount = 2;
}

void BuildParts(TxDocument& doc, TxShape visible, TxShape page, TxShape exclusion)
{
    TxMemGlobals* mg = doc.globals->memGlobals;
    doc.selection = TxNewRef(mg, int16_t(sizeof(TxSelectPoint)), 2, 4, true);
    doc.visibleArea = AreaFrom(mg, visible);
    doc.pageArea = AreaFrom(mg, page);
    doc.exclusionArea = AreaFrom(mg, exclusion);
    TxRect bounds;
    TxGetShapeBounds(doc.visibleArea, bounds);
    doc.visibleOrigin = {bounds.top, bounds.left};
    doc.textBlocks = TxNewRef(mg, int16_t(sizeof(TxTextBlock)), 0, 1, true);
    TxTextBlock first;
    TxInitTextBlock(doc, 0, nullptr, first, false);
    *static_cast<TxTextBlock*>(TxAppendRecords(doc.textBlocks, 1, false)) = first;
    TxUnlockRef(doc.textBlocks);
    doc.mainTextBlocks = doc.textBlocks;
    doc.hiliteShape = TxNewShape(mg, nullptr);
    doc.previousHiliteShape = TxNewShape(mg, nullptr);
    doc.styles = TxNewRef(mg, int16_t(sizeof(TxStyleInfo)), 1, 1, true);
    doc.pars = TxNewRef(mg, int16_t(sizeof(TxParInfo)), 1, 1, true);
    doc.fonts = TxNewRef(mg, int16_t(sizeof(TxFontInfo)), 1, 1, true);
    doc.styleRuns = NewRunList(mg);
    doc.parRuns = NewRunList(mg);
    doc.marks = TxNewRef(mg, 8, 0, 2, true);
    doc.keyBuffer = TxNewRef(mg, 1, 0, 16, true);
    doc.byteList4a = TxNewRef(mg, 4, 0, 4, true);
    doc.byteList4b = TxNewRef(mg, 4, 0, 4, true);
    doc.byteList24 = TxNewRef(mg, 1, 0, 24, true);
    doc.namedStyles = TxNewRef(mg, int16_t(sizeof(TxNamedStyle)), 0, 0, true);
    doc.sourceLinks = NewLinkList(mg);
    doc.targetLinks = NewLinkList(mg);
    doc.subdocStates = TxNewRef(mg, 64, 0, 2, true);
    doc.exclusionValues = TxNewRef(mg, int16_t(sizeof(intptr_t)), 0, 4, true);
    doc.exclusionAnchors = TxNewRef(mg, 8, 0, 4, true);
}

void SetPurgeLevels(TxDocument& doc)
{
    for (TxRef r : {doc.visibleArea, doc.selection, doc.hiliteShape, doc.textBlocks, doc.self})
        TxSetPurgeLevel(r, 255, false);
    TxSetPurgeLevel(doc.styleRuns, 160, false);
    TxSetPurgeLevel(doc.parRuns, 160, false);
}

void FillDocument(TxDocument& doc, TxGlobals* globals, TxRef self, intptr_t window, TxShape visible,
                  TxShape page, TxShape exclusion, uint32_t attributes)
{
    doc.globals = globals;
    doc.formatVersion = kFormatVersion;
    doc.secondWord = kSecondWord;
    doc.self = doc.self2 = self;
    doc.attributes = KeptAttributes(attributes);
    doc.scrollMaskH = doc.scrollMaskV = -1;
    doc.info.pageCount = 1;
    doc.systemDirection = TxSystemDirection(globals);
    doc.background = globals->defaultBackground;
    doc.hooks = globals->docHooks;
    doc.value9 = 9;
    BuildDevice(doc, window);
    BuildParts(doc, visible, page, exclusion);
    InstallDefaultFormats(doc);
    SetPurgeLevels(doc);
    doc.info.flags = kTxInfoFollowText;
}

// Calls a procedure slot of every record of the document's own format lists.
void CallProcLists(TxDocument& doc, int32_t verb)
{
    if (doc.sharingFlags & kTxShareFormatLists)
        return;
    if (doc.styles) {
        TxLock lock(doc.styles);
        for (int32_t i = 0; i < TxRecordCount(doc.styles); ++i) {
            TxStyleInfo& s = lock.Records<TxStyleInfo>()[i];
            if (s.procs[kTxStyleProc11])
                s.procs[kTxStyleProc11](doc.self, verb, &s);
        }
    }
    if (doc.pars) {
        TxLock lock(doc.pars);
        for (int32_t i = 0; i < TxRecordCount(doc.pars); ++i) {
            TxParInfo& p = lock.Records<TxParInfo>()[i];
            if (p.procs[kTxParProc5])
                p.procs[kTxParProc5](doc.self, verb, &p);
        }
    }
}

void RemoveFromDocumentList(TxMemGlobals* mg, TxRef document, TxDocument& doc)
{
    int32_t place = TxDocumentListIndex(mg, document);
    if (place)
        TxDeleteRecords(mg->documentList, place - 1, 1);
    doc.deferredSource = 0;
}

// What both disposals share once the record is known to exist.
void ReleaseParts(TxRef document, bool complete)
{
    TxMemGlobals* mg = TxRefMemGlobals(document);
    int32_t memoryId;
    {
        TxDocLock doc(document);
        memoryId = doc->memoryId;
        if (doc->globals)
            doc->globals->documentNotifyProc(document, 2, nullptr);
        if (doc->exclusionValues && doc->exclusionArea)
            TxDisposeFloatingObjects(*doc);
        RemoveFromDocumentList(mg, document, *doc);
        for (auto& row : doc->subordinates)
            for (TxRef& sub : row) {
                TxDiscardDocument(sub);
                sub = nullptr;
            }
        if (!complete || (doc->styles && doc->pars && doc->styleRuns && doc->parRuns))
            CallProcLists(*doc, 11);
        TxRef linked = doc->linkedDocument;
        doc->linkedDocument = nullptr;
        if (linked)
            TxDiscardDocument(linked);
        if (doc->rangeList && TxGetMemoryId(doc->rangeList) != memoryId)
            TxForceDispose(doc->rangeList);
        if (doc->extraRef && TxGetMemoryId(doc->extraRef) != memoryId)
            TxForceDispose(doc->extraRef);
    }
    TxUnlockMemoryId(mg, memoryId);
    TxDisposeMemoryId(mg, memoryId);
}
} // namespace

TxDocMemoryScope::TxDocMemoryScope(TxDocument& doc)
    : globals_(doc.globals->memGlobals), saved_(globals_->currentMemoryId)
{
    globals_->currentMemoryId = doc.memoryId;
}

TxDocMemoryScope::~TxDocMemoryScope()
{
    globals_->currentMemoryId = saved_;
}

TxRef TxNewDocument(TxGlobals* globals, intptr_t window, TxShape visible, TxShape page, TxShape exclusion,
                    uint32_t attributes)
{
    TxMemGlobals* mg = globals->memGlobals;
    TxRef document = nullptr;
    try {
        TxFrame frame(mg);
        mg->currentMemoryId = ++mg->lastMemoryId;
        document = TxNewRef(mg, int16_t(sizeof(TxDocument)), 1, 0, true);
        {
            TxDocLock doc(document);
            doc->memoryId = mg->currentMemoryId;
            FillDocument(*doc, globals, document, window, visible, page, exclusion, attributes);
        }
        mg->currentMemoryId = ++mg->lastMemoryId;
        frame.Pop();
    } catch (const TxEngineError&) {
        mg->currentMemoryId = ++mg->lastMemoryId;
        TxDiscardDocument(document);
        return nullptr;
    }
    globals->documentNotifyProc(document, 0, nullptr);
    return document;
}

TxRef TxNewDefaultDocument(TxGlobals* globals)
{
    return TxNewDocument(globals, -1, nullptr, nullptr, nullptr, 0);
}

TxRef TxNewDocumentLike(TxRef document)
{
    TxDocLock doc(document);
    TxRef made = TxNewDocument(doc->globals, -1, doc->visibleArea, doc->pageArea, doc->exclusionArea,
                               doc->attributes);
    TxMemGlobals* mg = doc->globals->memGlobals;
    if (!made)
        TxThrow(mg, mg->lastError ? mg->lastError : TxErr(kTxOutOfMemory), nullptr);
    TxDocLock copy(made);
    copy->attributes = doc->attributes;
    copy->info = doc->info;
    copy->stateWord = doc->stateWord;
    return made;
}

void TxDisposeDocument(TxRef document)
{
    if (document)
        ReleaseParts(document, true);
}

void TxDiscardDocument(TxRef document)
{
    if (document)
        ReleaseParts(document, false);
}

void TxShareFormats(TxRef document, TxRef lender, uint32_t what)
{
    TxDocLock doc(document);
    TxDocLock from(lender);
    if (!(doc->sharingFlags & kTxShareFormatLists))
        for (TxRef r : {doc->styles, doc->pars, doc->fonts, doc->namedStyles})
            TxForceDispose(r);
    doc->styles = from->styles;
    doc->pars = from->pars;
    doc->fonts = from->fonts;
    doc->namedStyles = from->namedStyles;
    static_cast<TxStyleInfo*>(TxRecordPtr(from->styles, 0, false))->useCount++;
    static_cast<TxParInfo*>(TxRecordPtr(from->pars, 0, false))->useCount++;
    from->stateWord |= kTxLendsFormats;
    doc->attributes = (doc->attributes & ~kTxNotKeptAttr) | (from->attributes & kTxNotKeptAttr);
    if (what & kTxShareDevice)
        doc->device = from->device;
    struct Area
    {
        uint32_t bit;
        TxShape TxDocument::*field;
    };
    const Area areas[] = {{kTxShareVisible, &TxDocument::visibleArea},
                          {kTxSharePage, &TxDocument::pageArea},
                          {kTxShareExclusion, &TxDocument::exclusionArea}};
    for (const Area& a : areas) {
        if (!(what & a.bit))
            continue;
        if (!(doc->sharingFlags & a.bit))
            TxForceDispose((*doc).*a.field);
        (*doc).*a.field = (*from).*a.field;
    }
    doc->sharingFlags |= what | kTxShareFormatLists;
    TxInvalidateAll(*doc);
}

int32_t TxTextSize(TxRef document)
{
    return TxDocLock(document)->textSize;
}

uint32_t TxGetAttributes(TxRef document)
{
    return TxDocLock(document)->attributes;
}

int32_t TxSetAttributes(TxRef document, uint32_t attributes)
{
    TxDocLock doc(document);
    uint32_t old = doc->attributes;
    uint32_t now = KeptAttributes(attributes);
    doc->attributes = now;
    if (now & kTxNoScrollAttr) {
        doc->scroll = {0, 0};
        doc->drawingOffset = {0, 0};
    }
    if ((old ^ now) & (kTxNoLayoutAttr | kTxProtectedAttr)) {
        TxInvalidateAll(*doc);
        ++doc->changeCount;
    }
    return old != now ? 1 : 0;
}

void TxGetDocInfo(TxRef document, TxDocInfo& out)
{
    out = TxDocLock(document)->info;
}

void TxSetDocInfo(TxRef document, const TxDocInfo& info, bool invalidate, int32_t)
{
    TxDocLock doc(document);
    const TxDocInfo& old = doc->info;
    bool pageChanged = old.flags != info.flags || old.verticalGap != info.verticalGap ||
                       old.horizontalGap != info.horizontalGap || old.pageValue1 != info.pageValue1 ||
                       old.pageValue2 != info.pageValue2;
    if (pageChanged)
        doc->device.flags |= kTxDevicePageChanged;
    if (invalidate) {
        TxInvalidateAll(*doc);
        if (pageChanged)
            doc->attributes |= kPageValuesChangedAttr;
    }
    doc->info = info;
    if (!(doc->info.flags & kTxInfoFixedPages))
        doc->info.flags |= kTxInfoFollowText;
}

int32_t TxGetChangeCount(TxRef document)
{
    return TxDocLock(document)->changeCount;
}

void TxSetChangeCount(TxRef document, int32_t value)
{
    TxDocLock(document)->changeCount = value;
}

TxGlobals* TxDocGlobals(TxRef document)
{
    return TxDocLock(document)->globals;
}

void TxSetScale(TxRef document, const TxScale& scale, int32_t)
{
    TxDocLock doc(document);
    TxMarkSelectionStale(*doc);
    int32_t factor = scale.scale;
    if (int16_t(uint32_t(factor) >> 16) == int16_t(factor & 0xFFFF))
        factor = 0;
    doc->scaling = {scale.originV, scale.originH, factor};
    doc->scaleCopy = factor;
    doc->device.scale = doc->scaling;
    doc->device.flags |= kTxDeviceChanged;
    TxInvalidateAll(*doc);
}

void TxGetScale(TxRef document, TxScale& out)
{
    TxDocLock doc(document);
    out = {doc->scaling.originV, doc->scaling.originH, doc->scaleCopy};
}

void TxSetSourceTag(TxRef document, int32_t value)
{
    TxDocLock(document)->sourceTag = value;
}

int32_t TxDocumentListIndex(TxMemGlobals* globals, TxRef document)
{
    if (!globals->documentList)
        return 0;
    TxLock lock(globals->documentList);
    for (int32_t i = 0; i < TxRecordCount(globals->documentList); ++i)
        if (lock.Records<TxRef>()[i] == document)
            return i + 1;
    return 0;
}

void TxInvalidateAll(TxDocument& doc)
{
    doc.attributes |= kLayoutStaleAttr;
    TxLock lock(doc.textBlocks);
    for (int32_t i = 0; i < TxRecordCount(doc.textBlocks); ++i)
        lock.Records<TxTextBlock>()[i].flags |= kTxBlockRebuild;
}

void TxMarkSelectionStale(TxDocument& doc)
{
    TxLock lock(doc.selection);
    for (int32_t i = 0; i < TxRecordCount(doc.selection); ++i)
        lock.Records<TxSelectPoint>()[i].flags |= kTxSelectRemeasure;
}

int32_t TxGetDefaultStyle(TxRef document, TxStyleInfo& out)
{
    TxDocLock doc(document);
    int32_t index = TxCheckedIndex(doc->styles, doc->defaultStyle);
    TxGetRecord(doc->styles, index, &out);
    return index;
}

void TxSetDefaultStyle(TxRef document, const TxStyleInfo& style, int32_t)
{
    TxDocLock doc(document);
    auto* record =
        static_cast<TxStyleInfo*>(TxRecordPtr(doc->styles, TxCheckedIndex(doc->styles, doc->defaultStyle), false));
    const int32_t uses = record->useCount;
    *record = style;
    record->useCount = uses;
    TxInvalidateAll(*doc);
}

uintptr_t TxGetPalette(TxRef document)
{
    return TxDocLock(document)->device.palette;
}

void TxSetPalette(TxRef document, uintptr_t palette)
{
    TxDocLock(document)->device.palette = palette;
}

int32_t TxBorderSideWidth(uint8_t side)
{
    const int32_t w = side & 0x7;
    int32_t width = side & 0x40 ? 2 * w + 1 : w;
    if (side & 0x20)
        width += w;
    return width;
}

void TxAddBorderExtents(const TxParInfo& par, TxRect& extents)
{
    const uint32_t border = uint32_t(par.table[4]);
    extents.left += TxBorderSideWidth(uint8_t(border));
    extents.bottom += TxBorderSideWidth(uint8_t(border >> 8));
    extents.top += TxBorderSideWidth(uint8_t(border >> 16));
    extents.right += TxBorderSideWidth(uint8_t(border >> 24));
}

int32_t TxDocumentHeight(TxRef document, bool prepare)
{
    TxDocLock doc(document);
    if (prepare)
        TxUpdateDocBounds(*doc);
    return doc->bounds.bottom - doc->bounds.top;
}
