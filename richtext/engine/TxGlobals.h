// The engine globals: one process-wide record that every document points to.
//
// It holds the defaults new documents, styles and paragraph formats are made from, the screen
// device, the caches shared by all documents, and three tables of replaceable procedures (hooks)
// through which layout, drawing, measuring and file behaviour can be changed. The control layer
// owns it: TxMemInit, then TxEngineStartup on the first control's registration; TxEngineShutdown
// on the last release, then TxMemShutdown, which frees what the engine shut-down leaves (the
// measure cache and the key handler table).
//
// Hooks share one form, (subject, verb, arguments) -> value: the subject is the document (or the
// style or paragraph context), the verb selects what a multi-purpose hook does and the arguments
// record is the one the calling operation documents. A document copies the document hooks when it
// is made; replacing a hook in the globals later reaches only documents made afterwards.
#pragma once

#include "richtext/engine/TxFileProcs.h"
#include "richtext/engine/TxGeometry.h"
#include "richtext/engine/TxShape.h"
#include "richtext/engine/TxStyleInfo.h"

// The 34 document hook slots, in their order.
enum TxDocHookSlot
{
    kTxLineBuildNotifyProc,
    kTxLineAdjustProc,
    kTxLineFitProc,
    kTxRunLengthProc, // args: int32_t {start, length}; answers the length
    kTxLineBreakProc,
    kTxHiliteRegionProc,
    kTxDrawHiliteProc,
    kTxLoadBlockProc,
    kTxSplitBlockProc,
    kTxCaretProc,
    kTxIdleProc,
    kTxPointToOffsetProc,
    kTxFontInitProc,
    kTxDrawInvisiblesProc,
    kTxScrollByProc,
    kTxScrollChangedProc,
    kTxScrollDrawProc,
    kTxDrawPageProc,
    kTxOwnerEventProc,
    kTxProgressProc,
    kTxUndoNotifyProc,
    kTxParagraphBoundsProc,
    kTxEraseProc,
    kTxSmartQuoteProc,
    kTxLinesChangedProc,
    kTxDisplayNotifyProc,
    kTxClickNotifyProc,
    kTxDeviceStateProc,
    kTxPageMarginProc,
    kTxCharBreakClassProc,
    kTxCharTypeProc,
    kTxTypeAheadProc, // answers 1 when keyboard input is waiting
    kTxSubdocNotifyProc,
    kTxOwnerNotifyProc,
    kTxDocHookCount
};

struct TxDocHooks
{
    TxHook slot[kTxDocHookCount];
};

// Character classes, as the character-class procedure of a style reports them.
enum : uint32_t
{
    kTxClassBlank = 0x1,
    kTxClassBreak = 0x2,      // a line may break after it
    kTxClassParEnd = 0x100,
    kTxClassInsideChar = 0x3000, // a position inside a multi-byte character
};

// Arguments of the character-class procedure: the class of text[position].
struct TxCharClassArgs
{
    const uint8_t* text;
    int32_t length;
    int32_t position;
    uint32_t mask;
};

// Arguments of the text conversion procedures.
struct TxTextConversion
{
    const void* source;
    void* destination;
    int32_t length;
};

// (document, the key's data as a byte reference, key) -> 0 or an error.
using TxKeyHandler = TxErr (*)(TxRef document, TxRef data, int16_t key);

enum : uint16_t
{
    kTxDefaultWriteHandler = 1,
    kTxDefaultReadHandler = 2,
};

// One entry of the native-stream key handler table.
struct TxKeyHandlerEntry
{
    int16_t key;
    uint16_t flags; // kTxDefaultReadHandler | kTxDefaultWriteHandler in a default entry
    TxKeyHandler read;
    TxKeyHandler write;
    TxFileProc fileRead;
    TxFileProc fileWrite;
};

// A measure cache entry: the character positions and types of one laid-out block.
struct TxMeasureCacheEntry
{
    TxRef positions;     // int32_t records
    TxRef charTypes;     // int16_t records
    int32_t firstOffset; // -1 when the entry is empty
    int32_t lastOffset;
    int32_t documentNumber;
    int32_t useCount;
};

enum
{
    kTxMeasureCacheEntries = 4, // three general ones and one for the active sub-document
    kTxGeneralMeasureEntries = 3,
    kTxCharCodeCount = 14,
    kTxMarkStringCount = 18,
};

// The engine's character codes, in the order of TxGlobals::charCodes.
enum TxCharCode
{
    kTxParagraphBreak,
    kTxLineBreak,
    kTxTab,
    kTxSoftHyphen,
    kTxBackspace,
    kTxPageBreak,
    kTxColumnBreak,
    kTxArrowLeft,
    kTxArrowRight,
    kTxArrowUp,
    kTxArrowDown,
    kTxForwardDelete,
    kTxEscape,
    kTxNoInsertMarker,
};

struct TxGlobals
{
    TxMemGlobals* memGlobals;
    // Device values.
    int32_t offscreenLimit; // bytes of an offscreen bitmap before drawing in bands
    int32_t blockLimit;     // largest text block, in characters
    int32_t narrowestLine;  // containers narrower than this are skipped
    int32_t defaultParagraphValue;
    uint16_t charCodes[kTxCharCodeCount];
    uint8_t markStrings[kTxMarkStringCount][2]; // one-character strings
    int32_t platformFamily;
    uintptr_t screenDevice;
    TxColor defaultColour;
    TxColor defaultBackground;
    int32_t bulletSize;    // 5 points in screen pixels
    TxRef fontObjects;     // created platform fonts (uintptr_t records)
    TxRef positionScratch; // int32_t records
    TxShape scratchShape;
    // The records every new document, style and paragraph format is made from.
    TxFontInfo defaultFont;
    TxStyleInfo defaultStyle; // its procedures are the style table below
    TxParInfo defaultPar;     // its procedures are the paragraph table below
    // Hook tables.
    TxHook styleHooks[kTxStyleHookCount];
    TxHook parHooks[kTxParHookCount];
    TxDocHooks docHooks;
    TxHook dbcsLineBreakProc;
    // Called with (document, 0) after a document was made and (document, 2) before one is
    // disposed; with (globals, 0) once the default hooks are installed.
    TxHook documentNotifyProc;
    TxRef keyHandlers; // TxKeyHandlerEntry records
    TxMeasureCacheEntry measureCache[kTxMeasureCacheEntries];
};

// Clears the globals, installs the default hooks and the key handler table, gives the memory
// globals the document layer's memory-shortage procedure, starts the device and makes the measure
// cache. A failure is raised again with its code; the globals then stay as far as they were
// filled (TxEngineShutdown and TxMemShutdown still release them).
void TxEngineStartup(TxGlobals* globals, TxMemGlobals* memGlobals);
// Releases the device part (screen context, fonts, scratch references).
void TxEngineShutdown(TxGlobals* globals);
void TxInstallDefaultHooks(TxGlobals* globals);
// (Re)builds the default key handler table: keys 0 to 26 except 3, 20 and 24, then 296 and 297.
void TxResetFileHandlers(TxGlobals* globals);
void TxInitFileHandler(TxKeyHandlerEntry& entry, int16_t key);
void TxDeviceStartup(TxGlobals* globals);
void TxDeviceShutdown(TxGlobals* globals);
// -1 when the system's default language is Arabic or Hebrew, else +1.
int32_t TxSystemDirection(TxGlobals* globals);
// Whether the colour is the engine's default background.
bool TxIsDefaultColor(const TxGlobals* globals, const TxColor& colour);

// Default procedures of the tables.
intptr_t TxNoOpHook(void* subject, int32_t verb, void* args);
intptr_t TxRunLengthHook(void* subject, int32_t verb, void* args);
intptr_t TxTypeAheadTest(void* subject, int32_t verb, void* args);
intptr_t TxTextToWideHook(void* subject, int32_t verb, void* args);
intptr_t TxWideToTextHook(void* subject, int32_t verb, void* args);
// The default character-class procedure of styles: args TxCharClassArgs, answers the class flags.
intptr_t TxDefaultCharClassHook(void* subject, int32_t verb, void* args);
// The memory-shortage procedure of the document layer: asks the documents read from files to
// release memory. (None can yet: it frees nothing.)
int32_t TxReleaseDocumentMemory(TxMemGlobals* globals, TxRef spare, int32_t wanted);
// The default key handlers of the native stream.
TxErr TxDefaultReadHandler(TxRef document, TxRef data, int16_t key);
TxErr TxDefaultWriteHandler(TxRef document, TxRef data, int16_t key);
