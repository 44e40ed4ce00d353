// Memory references: stable handles to resizable arrays of fixed-size records.
//
// Each reference owns one movable heap block (TxHeap.h): a TxBlockHeader followed by the records.
// The reference is the address of a slot in a master block (256 pointer-sized slots; slots 0-254
// hold blocks, slot 255 links the next master block); master blocks never move, so a reference
// stays valid while its block is reallocated. Records are reached only through a pointer from a
// lock (TxLockRef, TxRecordPtr); every lock is undone by one unlock, and any resize may move the
// block, so a pointer is good until the next resize of its reference.
//
// Accounting: byteTotal counts every block at its real size (header, records allocated, master
// blocks of 2048 bytes, the 1024-byte reserve block). When the byte total exceeds the limit the
// manager purges; the limit itself never fails an allocation.
//
// Failures are raised to the exception frames (TxFailFrame.h): 256 out of memory, 257 purging
// freed too little, 258 purge verb without a scratch file, 0xFFFF scratch-file I/O. An allocation
// that fails frees the reserve block and purges (sparing the reference being grown) before it
// raises; a raising call leaves the reference's block, header and counts as they were.
//
// Order: TxMemInit before anything; every reference is disposed by TxMemShutdown at the latest,
// and no pointer or reference is used after it.
#pragma once

#include "richtext/engine/TxMemGlobals.h"

struct TxBlockHeader
{
    int16_t recordSize;
    int16_t extendCount; // records added beyond the requested count whenever the block grows
    int32_t recordCount;
    int32_t allocatedCount;
    TxSlot* slot; // back to the reference
    int16_t lockCount;
    uint8_t purgeLevel; // lower levels are purged first; above 224 never
    uint8_t flags;      // kTxSpilled, kTxDiscardable, low four bits: reloads in progress
    int32_t memoryId;
    int32_t accessCount; // raised by every lock, never lowered
    TxMemGlobals* globals;
};

enum : uint8_t
{
    kTxSpilled = 0x80,     // the records are in the scratch file, the block is a stub
    kTxDiscardable = 0x20, // purging drops the records instead of saving them
    kTxReloadMask = 0x0F,
};

enum : int32_t
{
    // Bytes before record 0 (the header, padded so that records stay 8-byte aligned).
    kTxHeaderBytes = 104,
    // A spilled block: the header and the i32 start and end of its range in the scratch file.
    kTxStubBytes = kTxHeaderBytes + 8,
    kTxMasterSlots = 256,
    kTxMasterBytes = kTxMasterSlots * int32_t(sizeof(TxSlot)),
    kTxReserveBytes = 1024,
    kTxNewPurgeLevel = 128,
    kTxMaxPurgeLevel = 224,
    kTxNoLimit = 0x7FFFFFFF,
};

static_assert(sizeof(TxBlockHeader) <= kTxHeaderBytes, "the header fits before the records");

// Set-up and the whole manager.
void TxMemInit(TxMemGlobals* globals, int32_t byteLimit);
void TxMemShutdown(TxMemGlobals* globals);
void TxSetPurgeProc(TxMemGlobals* globals, TxPurgeProc proc, TxFileHandle scratchFile);
TxErr TxPurgeMemory(TxMemGlobals* globals, int32_t wanted, TxRef spare);
// Disposes every reference of the id (every one for 0), except the manager's own scratch list.
void TxDisposeMemoryId(TxMemGlobals* globals, int32_t memoryId);
void TxUnlockMemoryId(TxMemGlobals* globals, int32_t memoryId);
// Live references of the id (all for 0), the manager's own included.
int32_t TxCountRefs(TxMemGlobals* globals, int32_t memoryId);
// Whether the reserve block is held (not spent).
inline bool TxReserveHeld(const TxMemGlobals* globals)
{
    return globals->reserveBlock != nullptr;
}

// Creating and disposing.
TxRef TxNewRef(TxMemGlobals* globals, int16_t recordSize, int32_t count, int16_t extend, bool zero);
TxRef TxNewRefWithId(TxMemGlobals* globals, int16_t recordSize, int32_t count, int16_t extend,
                     int32_t memoryId);
TxRef TxNewZeroRefWithId(TxMemGlobals* globals, int16_t recordSize, int32_t count, int16_t extend,
                         int32_t memoryId);
TxRef TxDuplicateRef(TxRef ref);
TxRef TxDuplicateRefWithId(TxRef ref, int32_t memoryId);
void TxCopyRefContents(TxRef source, TxRef destination);
// Empties the reference with a new record size; a failed reallocation only sets the last error.
void TxResetRef(TxRef ref, int16_t recordSize, int16_t extend);
TxRef TxDisposeRef(TxRef ref);
TxRef TxDisposeRefChecked(TxRef ref);
TxRef TxUnlockAndDispose(TxRef ref);
TxRef TxForceDispose(TxRef ref);
int32_t TxForceDisposeChecked(TxRef ref);
// Takes the block out of the manager: the caller owns the returned heap block (TxHeapFree).
void* TxDetachRef(TxRef ref);
// A plain heap block of records (no header) made into a reference, which takes the block over.
TxRef TxHandleToRef(TxMemGlobals* globals, void* plainBlock, int16_t recordSize);
// The reverse: the records as a plain heap block, which the caller owns; the reference is gone.
void* TxRefToHandle(TxRef ref);

// Access.
void* TxLockRef(TxRef ref);
void TxUnlockRef(TxRef ref);
void TxUnlockAll(TxRef ref);
void* TxRecordPtr(TxRef ref, int32_t index, bool lock);
void TxGetRecord(TxRef ref, int32_t index, void* buffer);
int32_t TxRecordCount(TxRef ref);
int16_t TxRecordSize(TxRef ref);
int32_t TxByteSize(TxRef ref);
int32_t TxGetMemoryId(TxRef ref);
int16_t TxLockCount(TxRef ref);
TxMemGlobals* TxRefMemGlobals(TxRef ref);
// Level in the low byte, flags in the high byte.
uint16_t TxGetPurgeLevel(TxRef ref);
// Sets the level unless it is -1, and sets or clears the discardable flag.
void TxSetPurgeLevel(TxRef ref, int16_t level, bool discardable);
inline TxBlockHeader* TxHeaderOf(TxRef ref)
{
    return *ref;
}

// Resizing. TxInsertRecords and TxAppendRecords return the first new record with the reference
// locked: a caller's lock is kept as it was, an unlocked reference comes back with one new lock.
void TxSetRecordCount(TxRef ref, int32_t count);
void* TxInsertRecords(TxRef ref, int32_t position, int32_t count);
void* TxAppendRecords(TxRef ref, int32_t count, bool zero);
void TxDeleteRecords(TxRef ref, int32_t position, int32_t count);
void TxCompactRef(TxRef ref);
// Reloads a spilled block (also done by every lock).
void TxEnsureLoaded(TxRef ref);

// Bytes. A positive length moves length bytes, overlap allowed; a negative one copies the |length|
// bytes ending just before source to those ending just before destination, walking backwards.
void TxMoveBytes(const void* source, void* destination, int32_t length);

// A lock for the length of a scope.
class TxLock
{
public:
    explicit TxLock(TxRef ref) : ref_(ref), records_(TxLockRef(ref)) {}
    ~TxLock() { TxUnlockRef(ref_); }
    TxLock(const TxLock&) = delete;
    TxLock& operator=(const TxLock&) = delete;

    // Record 0, as taken by the lock (stale once the reference is resized).
    template <class T = void> T* Records() const { return static_cast<T*>(records_); }

private:
    TxRef ref_;
    void* records_;
};

// The default purge procedure: spills to and reloads from the globals' scratch file.
TxErr TxDefaultPurgeProc(TxRef ref, TxMemGlobals* globals, int16_t verb);
