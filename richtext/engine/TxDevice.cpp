// The device values of the engine globals: started with the engine, released at its shut-down.
#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxGlobals.h"
#include "richtext/engine/TxPlatform.h"

#include <cstring>

namespace {
const uint16_t kCharCodes[kTxCharCodeCount] = {13, 10, 9, 31, 8, 12, 14, 28, 29, 30, 31, 127, 27, 0};

// The characters of the one-character strings, in order: hyphen, decimal character, the marks of
// paragraph, line break, tab, end of text and space, the quotes.
const uint8_t kMarks[kTxMarkStringCount] = {'-',  '.',  0xB6, 0xB5, 0x95, 0xB5, 0xA5, 0xA5, '.',
                                            0x27, 0x22, 0x91, 0x92, 0x93, 0x94, 0x85, 0x83, 0x95};

const int32_t kFontCacheEntryBytes = 1096;
} // namespace

void TxDeviceStartup(TxGlobals* globals)
{
    TxMemGlobals* mg = globals->memGlobals;
    globals->offscreenLimit = 48000;
    globals->blockLimit = 4096;
    globals->narrowestLine = 16;
    globals->defaultParagraphValue = 24;
    std::memcpy(globals->charCodes, kCharCodes, sizeof kCharCodes);
    for (int i = 0; i < kTxMarkStringCount; ++i)
        TxMakeCharString(globals->markStrings[i], kMarks[i]);
    globals->platformFamily = 1;
    globals->defaultColour = {0xFFFF, 0xFFFF, 0xFFFF};
    globals->defaultBackground = globals->defaultColour;
    TxSetFontName(globals->defaultFont, "Arial");
    globals->defaultFont.mappingClass = kTxNoMappingClass;
    globals->defaultFont.charSet = 1;
    globals->defaultStyle.pointSize = 12 << 16;
    std::memcpy(globals->defaultStyle.procs, globals->styleHooks, sizeof globals->styleHooks);
    std::memcpy(globals->defaultPar.procs, globals->parHooks, sizeof globals->parHooks);
    TxPlatform& platform = TxCurrentPlatform();
    globals->screenDevice = platform.OpenScreenDevice();
    globals->bulletSize = 5 * platform.PixelsPerInch(globals->screenDevice) / 72;
    try {
        TxFrame frame(mg);
        globals->fontObjects = TxNewRef(mg, kFontCacheEntryBytes, 0, 4, false);
        globals->positionScratch = TxNewRef(mg, 4, 0, 128, false);
        globals->scratchShape = TxNewShape(mg, nullptr);
        frame.Pop();
    } catch (const TxEngineError&) {
        TxDeviceShutdown(globals);
        TxThrow(mg, kTxOutOfMemory, nullptr);
    }
}

void TxDeviceShutdown(TxGlobals* globals)
{
    TxPlatform& platform = TxCurrentPlatform();
    if (globals->screenDevice)
        platform.CloseDevice(globals->screenDevice);
    globals->screenDevice = 0;
    if (globals->fontObjects) {
        int32_t n = TxRecordCount(globals->fontObjects);
        for (int32_t i = 0; i < n; ++i) {
            uintptr_t font = 0;
            TxGetRecord(globals->fontObjects, i, &font);
            if (font)
                platform.DeleteFont(font);
        }
    }
    globals->fontObjects = TxDisposeRefChecked(globals->fontObjects);
    globals->positionScratch = TxDisposeRefChecked(globals->positionScratch);
    globals->scratchShape = TxDisposeRefChecked(globals->scratchShape);
}
