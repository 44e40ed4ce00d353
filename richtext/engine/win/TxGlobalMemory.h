// Memory references to and from platform global memory, for the clipboard (Windows build only).
#pragma once

#include "richtext/engine/TxMemory.h"

#include <windows.h>

// The records as a movable global memory block, which the caller owns; the reference is gone.
// Null (and the reference kept) when no global memory can be had.
HGLOBAL TxRefToGlobalBlock(TxRef ref);
// A reference holding the records of a global memory block, which it takes over (frees). Raises
// 256 when memory runs short; the block is then left to the caller.
TxRef TxAdoptGlobalBlock(TxMemGlobals* globals, HGLOBAL block, int16_t recordSize);
