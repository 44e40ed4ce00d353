// The form of the engine's replaceable procedures and the slots of the style and paragraph tables.
#pragma once

#include <cstdint>

// (subject, verb, arguments) -> value; see TxGlobals.h.
using TxHook = intptr_t (*)(void* subject, int32_t verb, void* args);

// The 17 procedure slots of the default character style.
enum TxStyleHookSlot
{
    kTxStyleMetricsProc,
    kTxStyleSelectProc,
    kTxStyleMeasureProc,
    kTxStyleProc4,
    kTxStyleCharInfoProc,
    kTxStyleDrawProc,
    kTxStyleProc7,
    kTxStyleProc8,
    kTxStyleProc9,
    kTxStyleProc10,
    kTxStyleProc11,
    kTxStyleProc12,
    kTxStyleActiveProc,
    kTxStyleProc14,
    kTxStyleProc15,
    kTxTextToWideProc, // args: TxTextConversion
    kTxWideToTextProc, // args: TxTextConversion
    kTxStyleHookCount
};

// The 7 procedure slots of the default paragraph format.
enum TxParHookSlot
{
    kTxBuildLineProc,
    kTxDrawBorderProc,
    kTxTabWidthProc,
    kTxDrawTabProc,
    kTxParProc5,
    kTxParProc6,
    kTxParTabsChangedProc,
    kTxParHookCount
};

