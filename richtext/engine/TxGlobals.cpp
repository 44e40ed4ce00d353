#include "richtext/engine/TxGlobals.h"

#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxPlatform.h"
#include "richtext/engine/TxStyleRuns.h"
#include "richtext/engine/TxTextBlock.h"

#include <cstring>

namespace {
const int32_t kKeyHandlerExtend = 23;

// Keys of the default handler table: 0 to 26 except 3, 20 and 24, then 296 and 297.
const int16_t kDefaultKeys[] = {0,  1,  2,  4,  5,  6,  7,  8,  9,  10, 11, 12,  13,
                                14, 15, 16, 17, 18, 19, 21, 22, 23, 25, 26, 296, 297};

// Document hooks whose defaults are more than "do nothing"; the rest start as TxNoOpHook until
// the layers that give them their work replace them here.
struct HookDefault
{
    TxDocHookSlot slot;
    TxHook proc;
};
const HookDefault kDocHookDefaults[] = {
    {kTxRunLengthProc, TxRunLengthHook},
    {kTxTypeAheadProc, TxTypeAheadTest},
    {kTxLoadBlockProc, TxLoadBlockHook},
    {kTxSplitBlockProc, TxSplitBlockHook},
    {kTxParagraphBoundsProc, TxDefaultParagraphBoundsHook},
};

void MakeMeasureCache(TxGlobals* globals)
{
    TxMemGlobals* mg = globals->memGlobals;
    for (int i = 0; i < kTxMeasureCacheEntries; ++i)
        globals->measureCache[i].firstOffset = -1;
    TxFrame frame(mg);
    for (int i = 0; i < kTxGeneralMeasureEntries; ++i) {
        TxMeasureCacheEntry& entry = globals->measureCache[i];
        entry.positions = TxNewRef(mg, 4, 0, 16, false);
        TxSetPurgeLevel(entry.positions, 224, false);
        entry.charTypes = TxNewRef(mg, 2, 0, 0, false);
        TxSetPurgeLevel(entry.charTypes, 224, false);
    }
    frame.Pop();
}
} // namespace

intptr_t TxNoOpHook(void*, int32_t, void*)
{
    return 0;
}

intptr_t TxRunLengthHook(void*, int32_t, void* args)
{
    return static_cast<const int32_t*>(args)[1];
}

intptr_t TxTypeAheadTest(void*, int32_t, void*)
{
    return TxCurrentPlatform().InputWaiting() ? 1 : 0;
}

intptr_t TxTextToWideHook(void*, int32_t, void* args)
{
    auto* c = static_cast<TxTextConversion*>(args);
    return TxWideFromBytes(c->source, static_cast<uint16_t*>(c->destination), c->length);
}

intptr_t TxWideToTextHook(void*, int32_t, void* args)
{
    auto* c = static_cast<TxTextConversion*>(args);
    return TxBytesFromWide(static_cast<const uint16_t*>(c->source), static_cast<uint8_t*>(c->destination),
                           c->length);
}

intptr_t TxDefaultCharClassHook(void*, int32_t, void* args)
{
    auto* a = static_cast<const TxCharClassArgs*>(args);
    if (a->position < 0 || a->position >= a->length)
        return 0;
    switch (a->text[a->position]) {
    case 13:
        return kTxClassParEnd | kTxClassBreak | kTxClassBlank;
    case 10:
    case 9:
    case ' ':
        return kTxClassBreak | kTxClassBlank;
    case '-':
        return kTxClassBreak;
    default:
        return 0;
    }
}

int32_t TxReleaseDocumentMemory(TxMemGlobals*, TxRef, int32_t)
{
    return 0;
}

void TxInitFileHandler(TxKeyHandlerEntry& entry, int16_t key)
{
    entry.key = key;
    entry.flags = kTxDefaultReadHandler | kTxDefaultWriteHandler;
    entry.read = TxDefaultReadHandler;
    entry.write = TxDefaultWriteHandler;
    entry.fileRead = TxFileReadProc;
    entry.fileWrite = TxFileWriteProc;
}

void TxResetFileHandlers(TxGlobals* globals)
{
    if (globals->keyHandlers)
        TxSetRecordCount(globals->keyHandlers, 0);
    else
        globals->keyHandlers =
            TxNewRef(globals->memGlobals, int16_t(sizeof(TxKeyHandlerEntry)), 0, kKeyHandlerExtend, false);
    const int32_t n = int32_t(sizeof kDefaultKeys / sizeof kDefaultKeys[0]);
    auto* entries = static_cast<TxKeyHandlerEntry*>(TxAppendRecords(globals->keyHandlers, n, true));
    for (int32_t i = 0; i < n; ++i)
        TxInitFileHandler(entries[i], kDefaultKeys[i]);
    TxUnlockRef(globals->keyHandlers);
}

void TxInstallDefaultHooks(TxGlobals* globals)
{
    for (TxHook& h : globals->docHooks.slot)
        h = TxNoOpHook;
    for (const HookDefault& d : kDocHookDefaults)
        globals->docHooks.slot[d.slot] = d.proc;
    for (TxHook& h : globals->styleHooks)
        h = TxNoOpHook;
    globals->styleHooks[kTxTextToWideProc] = TxTextToWideHook;
    globals->styleHooks[kTxWideToTextProc] = TxWideToTextHook;
    globals->styleHooks[kTxStyleCharInfoProc] = TxDefaultCharClassHook;
    for (TxHook& h : globals->parHooks)
        h = TxNoOpHook;
    globals->dbcsLineBreakProc = TxNoOpHook;
    TxResetFileHandlers(globals);
    globals->documentNotifyProc(globals, 0, nullptr);
}

void TxEngineStartup(TxGlobals* globals, TxMemGlobals* memGlobals)
{
    std::memset(globals, 0, sizeof *globals);
    globals->memGlobals = memGlobals;
    globals->documentNotifyProc = TxNoOpHook;
    TxInstallDefaultHooks(globals);
    memGlobals->freeMemoryHook = TxReleaseDocumentMemory;
    TxDeviceStartup(globals);
    MakeMeasureCache(globals);
}

void TxEngineShutdown(TxGlobals* globals)
{
    TxDeviceShutdown(globals);
}

int32_t TxSystemDirection(TxGlobals*)
{
    uint16_t primary = TxCurrentPlatform().SystemLanguage() & 0x3FF;
    return primary == 0x01 || primary == 0x0D ? -1 : 1;
}

bool TxIsDefaultColor(const TxGlobals* globals, const TxColor& colour)
{
    return TxEqualColor(globals->defaultBackground, colour);
}

TxErr TxDefaultReadHandler(TxRef, TxRef, int16_t)
{
    // The native stream's reader gives the default handlers their work.
    return kTxNoKeyHandler;
}

TxErr TxDefaultWriteHandler(TxRef, TxRef, int16_t)
{
    return kTxNoKeyHandler;
}
