#include "richtext/engine/TxMemory.h"

#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxHeap.h"

#include <cstring>

namespace {
const int64_t kMaxBlockBytes = 0x7FFFFFFF;

char* RecordsOf(TxBlockHeader* h)
{
    return reinterpret_cast<char*>(h) + kTxHeaderBytes;
}

// Record size times count; sizes 1, 2, 4, 8 and 16 by shifting.
int64_t Bytes(int32_t recordSize, int64_t count)
{
    switch (recordSize) {
    case 1:
        return count;
    case 2:
        return count << 1;
    case 4:
        return count << 2;
    case 8:
        return count << 3;
    case 16:
        return count << 4;
    default:
        return count * recordSize;
    }
}

int32_t BlockBytes(const TxBlockHeader* h)
{
    return int32_t(TxHeapSize(h));
}

TxSlot* NextMaster(TxSlot* master)
{
    return reinterpret_cast<TxSlot*>(master[kTxMasterSlots - 1]);
}

int32_t Clamp32(int64_t v)
{
    return v > kMaxBlockBytes ? int32_t(kMaxBlockBytes) : int32_t(v);
}

[[noreturn]] void OutOfMemory(TxMemGlobals* g, TxRef ref)
{
    TxThrow(g, kTxOutOfMemory, ref);
}

void RenewReserve(TxMemGlobals* g)
{
    if (g->reserveBlock)
        return;
    g->reserveBlock = TxHeapAlloc(kTxReserveBytes, false);
    if (g->reserveBlock)
        g->byteTotal += kTxReserveBytes;
}

// Spends the reserve block on a shortage; false when it is already spent.
bool SpendReserve(TxMemGlobals* g)
{
    if (!g->reserveBlock)
        return false;
    TxHeapFree(g->reserveBlock);
    g->reserveBlock = nullptr;
    g->byteTotal -= kTxReserveBytes;
    return true;
}

void CheckLimit(TxMemGlobals* g, TxRef spare)
{
    if (g->byteTotal > g->byteLimit)
        TxPurgeMemory(g, Clamp32(int64_t(g->byteTotal) + g->purgeSlack - g->byteLimit), spare);
}

// Renews a spent reserve block and applies the limit after a block was allocated or grown.
void AfterGrowth(TxMemGlobals* g, int64_t added, TxRef spare)
{
    g->byteTotal += int32_t(added);
    RenewReserve(g);
    CheckLimit(g, spare);
}

// A new block (old null) or old resized: on failure the reserve block is spent and memory purged,
// sparing the reference being grown, then the allocation is tried again; 256 once the reserve is
// spent. A failure leaves old as it was.
void* Obtain(TxMemGlobals* g, void* old, int64_t size, bool zero, TxRef spare, int64_t growth)
{
    if (size > kMaxBlockBytes)
        OutOfMemory(g, spare);
    for (;;) {
        void* p = old ? TxHeapResize(old, size_t(size)) : TxHeapAlloc(size_t(size), zero);
        if (p)
            return p;
        if (!SpendReserve(g))
            OutOfMemory(g, spare);
        TxErr e = TxPurgeMemory(g, Clamp32(g->purgeSlack + growth), spare);
        if (e)
            TxThrow(g, e, spare);
        g->lastError = 0;
    }
}

bool FindFreeSlot(TxMemGlobals* g)
{
    for (TxSlot* m = g->firstMaster; m; m = NextMaster(m)) {
        for (int32_t i = 0; i < kTxMasterSlots - 1; ++i) {
            if (!m[i]) {
                g->currentMaster = m;
                g->nextFreeSlot = i;
                return true;
            }
        }
    }
    return false;
}

void EnsureFreeSlot(TxMemGlobals* g)
{
    if (g->nextFreeSlot != -1 || FindFreeSlot(g))
        return;
    TxSlot* added = static_cast<TxSlot*>(Obtain(g, nullptr, kTxMasterBytes, true, nullptr, kTxMasterBytes));
    TxSlot* last = g->firstMaster;
    while (NextMaster(last))
        last = NextMaster(last);
    last[kTxMasterSlots - 1] = reinterpret_cast<TxSlot>(added);
    g->currentMaster = added;
    g->nextFreeSlot = 0;
    AfterGrowth(g, kTxMasterBytes, nullptr);
}

TxRef PlaceInSlot(TxMemGlobals* g, TxBlockHeader* h)
{
    TxSlot* slot = &g->currentMaster[g->nextFreeSlot];
    *slot = h;
    h->slot = slot;
    int32_t next = -1;
    for (int32_t i = g->nextFreeSlot + 1; i < kTxMasterSlots - 1; ++i) {
        if (!g->currentMaster[i]) {
            next = i;
            break;
        }
    }
    g->nextFreeSlot = next;
    return slot;
}

void FillHeader(TxBlockHeader* h, TxMemGlobals* g, int16_t recordSize, int16_t extend, int32_t count,
                int32_t allocated, uint8_t purgeLevel, int32_t memoryId)
{
    std::memset(h, 0, kTxHeaderBytes);
    h->recordSize = recordSize;
    h->extendCount = extend;
    h->recordCount = count;
    h->allocatedCount = allocated;
    h->purgeLevel = purgeLevel;
    h->memoryId = memoryId;
    h->globals = g;
}

TxRef NewBlockRef(TxMemGlobals* g, int16_t recordSize, int32_t count, int16_t extend, bool zero,
                  int32_t memoryId)
{
    if (recordSize <= 0 || count < 0 || extend < 0)
        OutOfMemory(g, nullptr);
    int64_t size = kTxHeaderBytes + Bytes(recordSize, int64_t(count) + extend);
    auto* h = static_cast<TxBlockHeader*>(Obtain(g, nullptr, size, zero, nullptr, size));
    g->byteTotal += int32_t(size);
    try {
        EnsureFreeSlot(g);
    } catch (const TxEngineError&) {
        TxHeapFree(h);
        g->byteTotal -= int32_t(size);
        throw;
    }
    FillHeader(h, g, recordSize, extend, count, count + extend, kTxNewPurgeLevel, memoryId);
    TxRef ref = PlaceInSlot(g, h);
    RenewReserve(g);
    CheckLimit(g, ref);
    return ref;
}

// Calls a purge verb that must not raise past the caller (releasing a range on disposal).
void QuietPurgeVerb(TxRef ref, TxMemGlobals* g, int16_t verb)
{
    if (g->purgeProc)
        TxCatchAtEntry(g, [&] { g->purgeProc(ref, g, verb); });
}

// A block the purge at this level may spill: resident, not being reloaded, unlocked, of at least
// 256 allocated bytes, at a level of this pass (lower levels had the passes before).
bool IsCandidate(const TxBlockHeader* h, int32_t level)
{
    return (h->flags & (kTxSpilled | kTxReloadMask)) == 0 && h->lockCount == 0 && h->purgeLevel <= level &&
           h->purgeLevel > level - 32 && Bytes(h->recordSize, h->allocatedCount) >= 256;
}

template <class F> void ForEachRef(TxMemGlobals* g, F f)
{
    for (TxSlot* m = g->firstMaster; m; m = NextMaster(m))
        for (int32_t i = 0; i < kTxMasterSlots - 1; ++i)
            if (m[i])
                f(&m[i]);
}

TxRef Duplicate(TxRef ref, int32_t memoryId)
{
    TxLock source(ref);
    TxBlockHeader* h = *ref;
    TxRef copy = NewBlockRef(h->globals, h->recordSize, h->recordCount, h->extendCount, false, memoryId);
    h = *ref;
    std::memcpy(RecordsOf(*copy), RecordsOf(h), size_t(Bytes(h->recordSize, h->recordCount)));
    return copy;
}
} // namespace

void TxMemInit(TxMemGlobals* globals, int32_t byteLimit)
{
    TxFailFrame* frames = globals->topFrame;
    std::memset(globals, 0, sizeof *globals);
    globals->topFrame = frames;
    globals->signature = kTxMemSignature;
    globals->initValue = 0x8F;
    globals->fatalProc = TxDefaultFatalProc;
    globals->firstMaster = static_cast<TxSlot*>(TxHeapAlloc(kTxMasterBytes, true));
    globals->reserveBlock = TxHeapAlloc(kTxReserveBytes, false);
    if (!globals->firstMaster || !globals->reserveBlock) {
        TxMemShutdown(globals);
        TxThrow(globals, kTxOutOfMemory, nullptr);
    }
    globals->currentMaster = globals->firstMaster;
    globals->nextFreeSlot = 0;
    globals->byteTotal = kTxMasterBytes + kTxReserveBytes;
    globals->byteLimit = byteLimit ? byteLimit : kTxNoLimit;
    globals->purgeSlack = 0x10000;
    globals->lastMemoryId = 1;
    globals->currentMemoryId = 1;
}

void TxMemShutdown(TxMemGlobals* globals)
{
    if (globals->scratchFreeList && *globals->scratchFreeList)
        TxDisposeRef(globals->scratchFreeList);
    globals->scratchFreeList = nullptr;
    TxHeapFree(globals->reserveBlock);
    globals->reserveBlock = nullptr;
    for (TxSlot* m = globals->firstMaster; m;) {
        TxSlot* next = NextMaster(m);
        for (int32_t i = 0; i < kTxMasterSlots - 1; ++i)
            TxHeapFree(m[i]);
        TxHeapFree(m);
        m = next;
    }
    globals->firstMaster = globals->currentMaster = nullptr;
    globals->documentList = nullptr;
    globals->byteTotal = 0;
    globals->signature = 0;
}

void TxSetPurgeProc(TxMemGlobals* globals, TxPurgeProc proc, TxFileHandle scratchFile)
{
    globals->purgeProc = proc ? proc : TxDefaultPurgeProc;
    globals->scratchFile = scratchFile;
    TxThrowIfChanged(globals, 0, globals->purgeProc(nullptr, globals, 0));
}

TxErr TxPurgeMemory(TxMemGlobals* globals, int32_t wanted, TxRef spare)
{
    if (wanted <= 0)
        return 0;
    int64_t freed = 0;
    if (globals->freeMemoryHook) {
        // What the hook frees it frees through the manager, which has counted it already.
        freed = globals->freeMemoryHook(globals, spare, wanted);
        if (freed >= wanted)
            return 0;
    }
    if (!globals->purgeProc)
        return freed == 0 ? 0 : kTxPurgeShort;
    for (int32_t level = 0; level <= kTxMaxPurgeLevel; level += 32) {
        for (TxSlot* m = globals->firstMaster; m; m = NextMaster(m)) {
            for (int32_t i = 0; i < kTxMasterSlots - 1; ++i) {
                TxRef ref = &m[i];
                if (!m[i] || ref == spare || !IsCandidate(m[i], level))
                    continue;
                int32_t before = globals->byteTotal;
                TxErr e = globals->purgeProc(ref, globals, 1);
                if (e)
                    return e;
                freed += before - globals->byteTotal;
                if (freed >= wanted)
                    return 0;
            }
        }
    }
    return freed < wanted ? kTxPurgeShort : 0;
}

void TxDisposeMemoryId(TxMemGlobals* globals, int32_t memoryId)
{
    ForEachRef(globals, [&](TxRef ref) {
        if (ref == globals->scratchFreeList || (memoryId != 0 && (*ref)->memoryId != memoryId))
            return;
        if (ref == globals->documentList)
            globals->documentList = nullptr;
        TxForceDispose(ref);
    });
}

void TxUnlockMemoryId(TxMemGlobals* globals, int32_t memoryId)
{
    ForEachRef(globals, [&](TxRef ref) {
        if (memoryId == 0 || (*ref)->memoryId == memoryId)
            (*ref)->lockCount = 0;
    });
}

int32_t TxCountRefs(TxMemGlobals* globals, int32_t memoryId)
{
    int32_t n = 0;
    ForEachRef(globals, [&](TxRef ref) {
        if (memoryId == 0 || (*ref)->memoryId == memoryId)
            ++n;
    });
    return n;
}

TxRef TxNewRef(TxMemGlobals* globals, int16_t recordSize, int32_t count, int16_t extend, bool zero)
{
    return NewBlockRef(globals, recordSize, count, extend, zero, globals->currentMemoryId);
}

TxRef TxNewRefWithId(TxMemGlobals* globals, int16_t recordSize, int32_t count, int16_t extend,
                     int32_t memoryId)
{
    return NewBlockRef(globals, recordSize, count, extend, false, memoryId);
}

TxRef TxNewZeroRefWithId(TxMemGlobals* globals, int16_t recordSize, int32_t count, int16_t extend,
                         int32_t memoryId)
{
    return NewBlockRef(globals, recordSize, count, extend, true, memoryId);
}

TxRef TxDuplicateRef(TxRef ref)
{
    return Duplicate(ref, (*ref)->globals->currentMemoryId);
}

TxRef TxDuplicateRefWithId(TxRef ref, int32_t memoryId)
{
    return Duplicate(ref, memoryId ? memoryId : (*ref)->memoryId);
}

void TxCopyRefContents(TxRef source, TxRef destination)
{
    TxLock from(source);
    TxEnsureLoaded(destination);
    TxBlockHeader* d = *destination;
    const TxBlockHeader saved = *d;
    int16_t recordSize = (*source)->recordSize;
    d->recordSize = recordSize;
    d->allocatedCount = int32_t((BlockBytes(d) - kTxHeaderBytes) / recordSize);
    d->recordCount = 0;
    try {
        TxSetRecordCount(destination, (*source)->recordCount);
    } catch (const TxEngineError&) {
        d = *destination;
        d->recordSize = saved.recordSize;
        d->allocatedCount = saved.allocatedCount;
        d->recordCount = saved.recordCount;
        throw;
    }
    std::memcpy(RecordsOf(*destination), RecordsOf(*source),
                size_t(Bytes(recordSize, (*source)->recordCount)));
}

void TxResetRef(TxRef ref, int16_t recordSize, int16_t extend)
{
    TxBlockHeader* h = *ref;
    TxMemGlobals* g = h->globals;
    if (h->flags & kTxSpilled)
        QuietPurgeVerb(ref, g, 3);
    h = *ref;
    int32_t oldSize = BlockBytes(h);
    int64_t size = kTxHeaderBytes + Bytes(recordSize, extend);
    void* p = TxHeapResize(h, size_t(size));
    if (p) {
        h = static_cast<TxBlockHeader*>(p);
        *ref = h;
        g->byteTotal += int32_t(size) - oldSize;
        g->lastError = 0;
    } else {
        g->lastError = kTxOutOfMemory;
    }
    h->flags &= uint8_t(~kTxSpilled);
    h->recordSize = recordSize;
    h->extendCount = extend;
    h->recordCount = 0;
    h->allocatedCount = int32_t((BlockBytes(h) - kTxHeaderBytes) / recordSize);
}

TxRef TxDisposeRef(TxRef ref)
{
    TxBlockHeader* h = *ref;
    TxMemGlobals* g = h->globals;
    if (h->flags & kTxSpilled)
        QuietPurgeVerb(ref, g, 3);
    h = *ref;
    g->byteTotal -= BlockBytes(h);
    TxHeapFree(h);
    *ref = nullptr;
    return nullptr;
}

TxRef TxDisposeRefChecked(TxRef ref)
{
    return ref ? TxDisposeRef(ref) : nullptr;
}

TxRef TxUnlockAndDispose(TxRef ref)
{
    TxUnlockRef(ref);
    return TxDisposeRef(ref);
}

TxRef TxForceDispose(TxRef ref)
{
    TxUnlockAll(ref);
    return TxDisposeRef(ref);
}

int32_t TxForceDisposeChecked(TxRef ref)
{
    if (ref)
        TxForceDispose(ref);
    return 0;
}

void* TxDetachRef(TxRef ref)
{
    TxBlockHeader* h = *ref;
    TxMemGlobals* g = h->globals;
    if (h->flags & kTxSpilled)
        QuietPurgeVerb(ref, g, 3);
    h = *ref;
    h->lockCount = 0;
    g->byteTotal -= BlockBytes(h);
    *ref = nullptr;
    h->slot = nullptr;
    return h;
}

TxRef TxHandleToRef(TxMemGlobals* globals, void* plainBlock, int16_t recordSize)
{
    int64_t bytes = int64_t(TxHeapSize(plainBlock));
    EnsureFreeSlot(globals);
    auto* h = static_cast<TxBlockHeader*>(
        Obtain(globals, plainBlock, bytes + kTxHeaderBytes, false, nullptr, kTxHeaderBytes));
    std::memmove(RecordsOf(h), h, size_t(bytes));
    int32_t count = int32_t(bytes / recordSize);
    FillHeader(h, globals, recordSize, 0, count, count, 8, globals->currentMemoryId);
    TxRef ref = PlaceInSlot(globals, h);
    AfterGrowth(globals, bytes + kTxHeaderBytes, ref);
    return ref;
}

void* TxRefToHandle(TxRef ref)
{
    TxEnsureLoaded(ref);
    TxBlockHeader* h = *ref;
    size_t bytes = size_t(Bytes(h->recordSize, h->recordCount));
    auto* block = static_cast<char*>(TxDetachRef(ref));
    std::memmove(block, block + kTxHeaderBytes, bytes);
    return TxHeapResize(block, bytes);
}

void* TxLockRef(TxRef ref)
{
    TxEnsureLoaded(ref);
    TxBlockHeader* h = *ref;
    ++h->lockCount;
    ++h->accessCount;
    return RecordsOf(h);
}

void TxUnlockRef(TxRef ref)
{
    TxBlockHeader* h = *ref;
    if (h->lockCount > 0)
        --h->lockCount;
}

void TxUnlockAll(TxRef ref)
{
    (*ref)->lockCount = 0;
}

void* TxRecordPtr(TxRef ref, int32_t index, bool lock)
{
    if (lock)
        TxLockRef(ref);
    TxBlockHeader* h = *ref;
    return RecordsOf(h) + Bytes(h->recordSize, index);
}

void TxGetRecord(TxRef ref, int32_t index, void* buffer)
{
    TxEnsureLoaded(ref);
    TxBlockHeader* h = *ref;
    std::memcpy(buffer, RecordsOf(h) + Bytes(h->recordSize, index), size_t(h->recordSize));
}

int32_t TxRecordCount(TxRef ref)
{
    return (*ref)->recordCount;
}

int16_t TxRecordSize(TxRef ref)
{
    return (*ref)->recordSize;
}

int32_t TxByteSize(TxRef ref)
{
    return int32_t(Bytes((*ref)->recordSize, (*ref)->recordCount));
}

int32_t TxGetMemoryId(TxRef ref)
{
    return (*ref)->memoryId;
}

int16_t TxLockCount(TxRef ref)
{
    return (*ref)->lockCount;
}

TxMemGlobals* TxRefMemGlobals(TxRef ref)
{
    return (*ref)->globals;
}

uint16_t TxGetPurgeLevel(TxRef ref)
{
    return uint16_t((*ref)->purgeLevel | ((*ref)->flags << 8));
}

void TxSetPurgeLevel(TxRef ref, int16_t level, bool discardable)
{
    TxBlockHeader* h = *ref;
    if (level != -1)
        h->purgeLevel = uint8_t(level);
    if (discardable)
        h->flags |= kTxDiscardable;
    else
        h->flags &= uint8_t(~kTxDiscardable);
}

void TxSetRecordCount(TxRef ref, int32_t count)
{
    TxBlockHeader* h = *ref;
    TxMemGlobals* g = h->globals;
    g->lastError = 0;
    if (count < 0)
        OutOfMemory(g, ref);
    if (count == h->recordCount)
        return;
    if (h->flags & kTxSpilled) {
        h->allocatedCount = h->recordCount = count;
        return;
    }
    if (count > h->allocatedCount) {
        int64_t allocated = int64_t(count) + h->extendCount;
        int64_t size = kTxHeaderBytes + Bytes(h->recordSize, allocated);
        int32_t oldSize = BlockBytes(h);
        h = static_cast<TxBlockHeader*>(Obtain(g, h, size, false, ref, size - oldSize));
        *ref = h;
        h->allocatedCount = int32_t(allocated);
        h->recordCount = count;
        AfterGrowth(g, size - oldSize, ref);
        return;
    }
    h->recordCount = count;
}

void* TxAppendRecords(TxRef ref, int32_t count, bool zero)
{
    void* first = TxInsertRecords(ref, -1, count);
    if (zero)
        std::memset(first, 0, size_t(Bytes((*ref)->recordSize, count)));
    return first;
}

void* TxInsertRecords(TxRef ref, int32_t position, int32_t count)
{
    TxBlockHeader* h = *ref;
    int32_t old = h->recordCount;
    if (position < 0 || position > old)
        position = old;
    bool locked = h->lockCount > 0;
    if (locked)
        TxUnlockRef(ref);
    char* records;
    try {
        TxSetRecordCount(ref, old + count);
        records = static_cast<char*>(TxLockRef(ref));
    } catch (const TxEngineError&) {
        if (locked)
            ++(*ref)->lockCount;
        throw;
    }
    int16_t size = (*ref)->recordSize;
    char* at = records + Bytes(size, position);
    if (position < old)
        std::memmove(at + Bytes(size, count), at, size_t(Bytes(size, old - position)));
    return at;
}

void TxDeleteRecords(TxRef ref, int32_t position, int32_t count)
{
    if (count <= 0)
        return;
    TxEnsureLoaded(ref);
    TxBlockHeader* h = *ref;
    if (position < 0 || position >= h->recordCount)
        return;
    if (count > h->recordCount - position)
        count = h->recordCount - position;
    char* at = RecordsOf(h) + Bytes(h->recordSize, position);
    std::memmove(at, at + Bytes(h->recordSize, count),
                 size_t(Bytes(h->recordSize, h->recordCount - position - count)));
    h->recordCount -= count;
}

void TxCompactRef(TxRef ref)
{
    TxBlockHeader* h = *ref;
    if (h->allocatedCount <= h->recordCount || (h->flags & kTxSpilled))
        return;
    int32_t oldSize = BlockBytes(h);
    int64_t size = kTxHeaderBytes + Bytes(h->recordSize, h->recordCount);
    h = static_cast<TxBlockHeader*>(TxHeapResize(h, size_t(size)));
    if (!h)
        OutOfMemory((*ref)->globals, ref);
    *ref = h;
    h->allocatedCount = h->recordCount;
    h->globals->byteTotal -= oldSize - int32_t(size);
}

void TxEnsureLoaded(TxRef ref)
{
    TxBlockHeader* h = *ref;
    if (!(h->flags & kTxSpilled))
        return;
    TxMemGlobals* g = h->globals;
    ++h->flags;
    auto lowerCounter = [&] { --(*ref)->flags; };
    try {
        for (;;) {
            TxErr e = g->purgeProc ? g->purgeProc(ref, g, 2) : TxErr(kTxNoScratchFile);
            if (e == 0)
                break;
            if (e != kTxOutOfMemory || !SpendReserve(g))
                TxThrow(g, e, ref);
            TxErr p = TxPurgeMemory(g, Clamp32(int64_t(g->purgeSlack) + TxByteSize(ref)), ref);
            if (p)
                TxThrow(g, p, ref);
            g->lastError = 0;
        }
        RenewReserve(g);
        CheckLimit(g, ref);
    } catch (const TxEngineError&) {
        lowerCounter();
        throw;
    }
    lowerCounter();
}

void TxMoveBytes(const void* source, void* destination, int32_t length)
{
    if (length >= 0) {
        if (length)
            std::memmove(destination, source, size_t(length));
        return;
    }
    auto* s = static_cast<const unsigned char*>(source);
    auto* d = static_cast<unsigned char*>(destination);
    int32_t n = -length;
    if (((reinterpret_cast<uintptr_t>(s) | reinterpret_cast<uintptr_t>(d)) & 1) == 0) {
        for (; n >= 4; n -= 4) {
            s -= 4;
            d -= 4;
            uint32_t word;
            std::memcpy(&word, s, 4);
            std::memcpy(d, &word, 4);
        }
    }
    while (n-- > 0)
        *--d = *--s;
}
