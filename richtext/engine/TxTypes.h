// The text engine's basic types, and the decisions that hold for the whole engine.
//
// - Portable core, narrow platform. The engine is a library of plain functions over records kept in
//   memory references (TxMemory.h). Everything in this folder compiles without <windows.h>: what
//   touches the platform (device contexts, fonts and measuring, text output, regions, the caret,
//   the type-ahead test, the system language, metafiles, clipboard memory, files) is reached
//   through TxPlatform (TxPlatform.h) or the hook and procedure slots of the engine globals
//   (TxGlobals.h). The real platform lives in win/ (Windows build only); TxFixedPlatform is the
//   deterministic one that native tests and fuzzing use.
// - 64 bits. A TxRef is the address of a slot in a master block; master blocks hold 256
//   pointer-sized slots and the byte accounting counts the real sizes of blocks. Records are
//   structs with their fields in the documented order, so their in-memory sizes may exceed the
//   32-bit figures. No pointer, handle or reference ever enters a stored form or a byte
//   comparison of records: streams write an identity and map it back on reading.
// - Failures are 16-bit codes raised to exception frames (TxFailFrame.h). The unwinding is a C++
//   exception (TxEngineError) carrying the code; there is no setjmp/longjmp. An engine error never
//   crosses a window procedure, a Win32 callback or C code: every outer entry catches it and
//   returns the code (TxCatchAtEntry).
// - Blocks are the engine's own heap blocks (TxHeap.h). Conversion to platform global memory, for
//   the clipboard, exists in the Windows build only (win/TxGlobalMemory.h). The scratch file that
//   spilled blocks go to is reached through the file primitives (TxFileIo.h), so spilling runs
//   natively too.
//
// Everything runs on the one user-interface thread; nothing here is thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>

// An engine error code: 0 is success.
using TxErr = uint16_t;

enum : TxErr
{
    kTxOutOfMemory = 256,   // a reference could not be allocated or resized, even after purging
    kTxPurgeShort = 257,    // purging freed less than was asked
    kTxNoScratchFile = 258, // a purge verb other than 0 without a scratch file
    kTxNoFrame = 522,       // a throw or pop found no exception frame
    kTxNoKeyHandler = 768,  // a native stream key has no handler
    kTxNotNativeStream = 776,
    kTxReadEndedEarly = 1023,
    kTxGlobalsDiffer = 1027,
    kTxCustomWriteHandler = 1028,
    kTxFileFailed = 0xFFFF, // a seek, read or write failed
};

struct TxBlockHeader;
struct TxMemGlobals;

// A slot of a master block: the current address of one reference's block.
using TxSlot = TxBlockHeader*;
// A memory reference: the address of its slot, stable while the block beneath moves.
using TxRef = TxSlot*;

// A platform file: a Windows file handle in the Windows build, a file descriptor natively.
using TxFileHandle = intptr_t;
