// The engine document: one record, in a memory reference of its own, that owns a piece of styled
// text through further references: text blocks (TxTextBlock.h), the selection, the style,
// paragraph, font and named-style lists, the style and paragraph runs (TxStyleRuns.h), the areas
// the text is laid out and shown in, a drawing device, a copy of the globals' document hooks and
// the document information.
//
// Every operation takes the document's reference and locks it for its own duration; nothing keeps
// a pointer to the record across calls. Every reference a document allocates carries its memory
// id; disposal frees them all by that id, except lists borrowed from another document
// (TxShareFormats), which belong to the lender.
//
// Order: the engine globals (and so the memory globals) outlive every document; a lender outlives
// the documents that borrow its lists.
#pragma once

#include "richtext/engine/TxGlobals.h"
#include "richtext/engine/TxTextBlock.h"

enum : uint32_t
{
    kTxNoLayoutAttr = 0x1,
    kTxReadOnlyAttr = 0x8,
    kTxNoScrollAttr = 0x10,
    kTxProtectedAttr = 0x40,
    kTxNotKeptAttr = 0x800000, // cleared at creation and by TxSetAttributes
    kTxForceLayoutAttr = 0x40000000, // forces 0x1 and 0x2 on
    kTxForcedAttrs = 0x3,
};

enum : uint32_t
{
    kTxInfoRepeatDown = 0x1,
    kTxInfoRepeatRight = 0x2,
    kTxInfoFixedPages = 0x4,
    kTxInfoFollowText = 0x40, // set whenever kTxInfoFixedPages is clear
};

enum : uint32_t
{
    kTxShareFormatLists = 0x1,
    kTxShareDevice = 0x2,
    kTxShareVisible = 0x4,
    kTxSharePage = 0x8,
    kTxShareExclusion = 0x10,
    kTxLendsFormats = 0x20000000, // state word of a lender
};

// The document's drawing device (the device layer gives it its work).
struct TxDocDevice
{
    uintptr_t window;
    uintptr_t palette;
    uintptr_t context;
    TxPoint origin;
    TxScale scale;
    int32_t resolution; // 16.16 dots per inch
    uint32_t flags;     // kTxDeviceNotOwned, kTxDeviceChanged, kTxDevicePageChanged
};

enum : uint32_t
{
    kTxDeviceNotOwned = 0x1,
    kTxDeviceChanged = 0x2,
    kTxDevicePageChanged = 0x4,
};

struct TxDocInfo
{
    uint32_t flags;
    int16_t scrollInset;
    uint16_t pageCount;
    int32_t extraPageDepth;
    int16_t pageValue1, pageValue2;
    int32_t verticalGap, horizontalGap;
    TxRect pageRect;
    TxRect pageInsets;
    uint32_t pageColour;
    uint32_t pageBorder;
    int32_t maxLineScan; // 0 = the whole block
    int16_t orphanLimit;
    int16_t widowLimit;
};

// A run: from its offset to the next run's offset the text takes record `index`.
struct TxRun
{
    int32_t offset;
    uint16_t index; // 0xFFFF = none
    uint16_t unused;
};

struct TxNamedStyle
{
    char name[64]; // at most 63 characters, zero-filled
    uint16_t styleDefinition;
    uint16_t parDefinition;
};

static_assert(sizeof(TxNamedStyle) == 68, "named-style entries keep their size");

struct TxDocument
{
    TxGlobals* globals;
    uint32_t formatVersion;
    uint32_t secondWord;
    int32_t sourceTag;
    uint32_t attributes;
    uint32_t stateWord;
    uint32_t sharingFlags;
    uint32_t flags2; // 0x100 named styles in use, 0x1000 and 0x20000000 keep unused records
    TxRef self;
    int32_t textSize;
    TxPoint drawingOffset;
    TxPoint previousScroll;
    TxPoint scroll;
    TxPoint caretGoal;
    TxPoint caretWindowPosition;
    TxRect bounds;
    int32_t blocksTop, blocksBottom;
    int32_t anchor;
    TxScale scaling;
    TxColor background;
    uint16_t backgroundSpare;
    int32_t resolution;
    int32_t scaleCopy;
    int16_t scrollUnitH, scrollUnitV;
    int16_t extraExtentH, extraExtentV;
    int16_t scrollBarCache[4];
    uint16_t typingStyle; // 0xFFFF when taken from the text
    uint16_t pairCount;
    uint16_t pendingKeyDrawMode;
    uint16_t value9;
    uint16_t defaultStyle;
    uint16_t secondStyle;
    int32_t scrollMaskH, scrollMaskV;
    int32_t textEndArea, textEndBottom;
    int32_t textStartArea, textStartTop;
    TxDocDevice device;
    TxRef self2;
    TxRef selection; // selection points in pairs
    TxShape visibleArea;
    TxShape exclusionArea;
    TxShape pageArea;
    TxShape hiliteShape;
    TxShape previousHiliteShape;
    TxPoint visibleOrigin;
    TxRef textBlocks; // TxTextBlock
    TxRef mainTextBlocks;
    TxRef styles;     // TxStyleInfo
    TxRef pars;       // TxParInfo
    TxRef fonts;      // TxFontInfo
    TxRef sourceLinks, targetLinks;
    TxRef styleRuns;  // TxRun
    TxRef parRuns;    // TxRun
    TxRef namedStyles; // TxNamedStyle
    TxRef marks;
    TxDocHooks hooks;
    int32_t insertedCount;
    TxRef linkedDocument;
    int32_t changeCount;
    int32_t memoryId;
    TxRef keyBuffer;
    TxRef rangeList;
    TxRef byteList4a;
    TxDocInfo info;
    TxRef byteList4b;
    TxRef activeSubdoc;
    TxRef lastEnteredSubdoc;
    int32_t systemDirection;
    int32_t nestingDepth;
    TxRef subordinates[2][4];
    TxRef extraRef;
    TxRef byteList24;
    TxRef subdocStates;
    TxRef styleSheetPartner;
    int32_t currentNamedStyle;
    int32_t overflowCount;
    uintptr_t deferredSource;
    uintptr_t deferredProc;
    // The view as last drawn (TxViewChanged), and its force flags (0x1 page area, 0x2 visible area).
    TxPoint viewOrigin;
    TxPoint viewScroll;
    int32_t viewScale;
    TxRect viewVisibleBounds;
    TxRect viewPageBounds;
    uint32_t viewForce;
    TxRef parentDocument; // the containing document of a sub-document's own document, else null
    int32_t uniqueCounter;
    TxRef exclusionValues;  // intptr_t: one application value per exclusion rectangle
    TxRef exclusionAnchors; // TxExclusionAnchor, by offset
    bool hasFloatingObjects;
};

// The selection point records (the selection layer gives them their meaning).
struct TxSelectPoint
{
    int32_t offset;
    int32_t flags; // kTxSelectRemeasure
    TxPoint point;
    int32_t lineIndex;
    int32_t spare;
};

enum : int32_t
{
    kTxSelectRemeasure = 0x1,
};

// A lock on a document for the length of a scope.
class TxDocLock
{
public:
    explicit TxDocLock(TxRef document) : lock_(document) {}
    TxDocument* operator->() const { return lock_.Records<TxDocument>(); }
    TxDocument& operator*() const { return *lock_.Records<TxDocument>(); }

private:
    TxLock lock_;
};

// A new document, or null when building it failed (the code stays in the memory globals' last
// error; what was built is disposed). window 0: a device without a window; -1: the globals'
// default device (not owned); other: a device for that window. Null areas become empty shapes,
// given ones are duplicated.
TxRef TxNewDocument(TxGlobals* globals, intptr_t window, TxShape visible, TxShape page, TxShape exclusion,
                    uint32_t attributes);
TxRef TxNewDefaultDocument(TxGlobals* globals);
// A new empty document like the given one; raises a failure to the caller's frame.
TxRef TxNewDocumentLike(TxRef document);
void TxDisposeDocument(TxRef document);
// Disposal of a document that may be only partly built; null does nothing.
void TxDiscardDocument(TxRef document);
// The document uses the lender's format lists (and with `what` its device or areas).
void TxShareFormats(TxRef document, TxRef lender, uint32_t what);

int32_t TxTextSize(TxRef document);
uint32_t TxGetAttributes(TxRef document);
// Stores the word (0x40000000 forcing 0x3, 0x800000 dropped); 1 when it changed.
int32_t TxSetAttributes(TxRef document, uint32_t attributes);
void TxGetDocInfo(TxRef document, TxDocInfo& out);
void TxSetDocInfo(TxRef document, const TxDocInfo& info, bool invalidate, int32_t drawMode);
int32_t TxGetChangeCount(TxRef document);
void TxSetChangeCount(TxRef document, int32_t value);
TxGlobals* TxDocGlobals(TxRef document);
// Stores origin and factor (equal halves as 0), marks the selection for re-measuring.
void TxSetScale(TxRef document, const TxScale& scale, int32_t drawMode);
void TxGetScale(TxRef document, TxScale& out);
void TxSetSourceTag(TxRef document, int32_t value);
// The 1-based place of the document in the memory globals' document list, 0 when absent.
int32_t TxDocumentListIndex(TxMemGlobals* globals, TxRef document);

// Bounds bottom minus bounds top; with prepare, the bounds are brought up to date from the blocks
// first.
int32_t TxDocumentHeight(TxRef document, bool prepare);
// A copy of the default style record; answers its index.
int32_t TxGetDefaultStyle(TxRef document, TxStyleInfo& out);
// Replaces the default style record's contents (its use count kept) and invalidates all layout.
void TxSetDefaultStyle(TxRef document, const TxStyleInfo& style, int32_t drawMode);
uintptr_t TxGetPalette(TxRef document);
void TxSetPalette(TxRef document, uintptr_t palette);

// Borders: a border word holds four 8-bit sides, left in bits 0-7, bottom 8-15, top 16-23, right
// 24-31. A side's width is its bits 0-2 (w), 2w + 1 for a double line (0x40), plus w for 0x20.
int32_t TxBorderSideWidth(uint8_t side);
// Adds each side's total width of the paragraph's border to the extents (top, left, bottom, right).
void TxAddBorderExtents(const TxParInfo& par, TxRect& extents);
inline uint32_t& TxParBorder(TxParInfo& par)
{
    return reinterpret_cast<uint32_t&>(par.table[4]);
}

// Marks every block for rebuilding its lines (layout works them out when next read).
void TxInvalidateAll(TxDocument& doc);
// Marks every selection record for re-measuring.
void TxMarkSelectionStale(TxDocument& doc);
// Makes the document's memory id current for what follows; the destructor makes a fresh one.
class TxDocMemoryScope
{
public:
    explicit TxDocMemoryScope(TxDocument& doc);
    ~TxDocMemoryScope();

private:
    TxMemGlobals* globals_;
    int32_t saved_;
};
