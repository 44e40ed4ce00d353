// The default purge procedure: idle blocks spilled to the scratch file and read back on the next
// lock. The scratch free list holds i32 (start, end) pairs of free file ranges, sorted, disjoint
// and ending with a pair whose end is 0x7FFFFFFF.
#include "richtext/engine/TxMemory.h"

#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxFileIo.h"
#include "richtext/engine/TxHeap.h"

#include <cstring>

namespace {
const int32_t kFileEnd = 0x7FFFFFFF;

char* RecordsOf(TxBlockHeader* h)
{
    return reinterpret_cast<char*>(h) + kTxHeaderBytes;
}

int32_t* StubRange(TxBlockHeader* h)
{
    return reinterpret_cast<int32_t*>(RecordsOf(h));
}

int32_t RecordBytes(const TxBlockHeader* h)
{
    return h->recordSize * h->recordCount;
}

// Deletes the first of any two equal neighbouring values with the one after it, until none are
// left: empty pairs vanish and touching pairs merge.
void Normalise(TxRef list)
{
    TxLock lock(list);
    for (int32_t i = 0; i + 1 < TxByteSize(list) / 4;) {
        int32_t* v = static_cast<int32_t*>(TxRecordPtr(list, 0, false));
        if (v[i] == v[i + 1])
            TxDeleteRecords(list, i * 4, 8);
        else
            ++i;
    }
}

// Cuts n bytes from the front of the first free range long enough; -1 when none is.
int32_t TakeRange(TxRef list, int32_t n)
{
    int32_t start = -1;
    {
        TxLock lock(list);
        int32_t* v = lock.Records<int32_t>();
        for (int32_t i = 0; i + 1 < TxByteSize(list) / 4; i += 2) {
            if (v[i + 1] - v[i] >= n) {
                start = v[i];
                v[i] += n;
                break;
            }
        }
    }
    if (start >= 0)
        Normalise(list);
    return start;
}

void ReturnRange(TxRef list, int32_t start, int32_t end)
{
    int32_t pairs = TxByteSize(list) / 8;
    int32_t at = 0;
    {
        TxLock lock(list);
        const int32_t* v = lock.Records<int32_t>();
        while (at < pairs && v[at * 2] < start)
            ++at;
    }
    auto* pair = static_cast<int32_t*>(TxInsertRecords(list, at * 8, 8));
    pair[0] = start;
    pair[1] = end;
    TxUnlockRef(list);
    Normalise(list);
}

TxErr Install(TxMemGlobals* g)
{
    if (!g->scratchFile)
        return 0;
    if (!g->scratchFreeList) {
        g->scratchFreeList = TxNewRef(g, 1, 8, 64, false);
        TxSetPurgeLevel(g->scratchFreeList, 255, false);
    }
    TxSetRecordCount(g->scratchFreeList, 8);
    TxLock lock(g->scratchFreeList);
    int32_t* v = lock.Records<int32_t>();
    v[0] = 0;
    v[1] = kFileEnd;
    return 0;
}

void ShrinkToStub(TxRef ref, int32_t start, int32_t end)
{
    TxBlockHeader* h = *ref;
    int32_t oldSize = int32_t(TxHeapSize(h));
    h->allocatedCount = h->recordCount;
    h = static_cast<TxBlockHeader*>(TxHeapResize(h, kTxStubBytes));
    *ref = h;
    StubRange(h)[0] = start;
    StubRange(h)[1] = end;
    h->flags |= kTxSpilled;
    h->globals->byteTotal += kTxStubBytes - oldSize;
}

TxErr Spill(TxRef ref, TxMemGlobals* g)
{
    TxBlockHeader* h = *ref;
    int32_t n = RecordBytes(h);
    if ((h->flags & kTxDiscardable) || n == 0) {
        ShrinkToStub(ref, 0, 0);
        return 0;
    }
    int32_t start = TakeRange(g->scratchFreeList, n);
    if (start < 0)
        TxThrow(g, kTxFileFailed, ref);
    if (!TxFileSeek(g->scratchFile, start) || TxFileWrite(g->scratchFile, RecordsOf(h), n) != n) {
        ReturnRange(g->scratchFreeList, start, start + n);
        TxThrow(g, kTxFileFailed, ref);
    }
    ShrinkToStub(ref, start, start + n);
    return 0;
}

TxErr Reload(TxRef ref, TxMemGlobals* g)
{
    TxBlockHeader* h = *ref;
    int32_t start = StubRange(h)[0];
    int32_t end = StubRange(h)[1];
    int32_t oldSize = int32_t(TxHeapSize(h));
    int32_t size = kTxHeaderBytes + RecordBytes(h);
    auto* loaded = static_cast<TxBlockHeader*>(TxHeapResize(h, size_t(size)));
    if (!loaded || int32_t(TxHeapSize(loaded)) < size)
        return kTxOutOfMemory;
    *ref = h = loaded;
    h->flags &= uint8_t(~kTxSpilled);
    h->allocatedCount = h->recordCount;
    g->byteTotal += size - oldSize;
    if ((h->flags & kTxDiscardable) || start == end)
        return 0;
    int32_t n = end - start < RecordBytes(h) ? end - start : RecordBytes(h);
    if (!TxFileSeek(g->scratchFile, start) || TxFileRead(g->scratchFile, RecordsOf(h), n) != n)
        TxThrow(g, kTxFileFailed, ref);
    ReturnRange(g->scratchFreeList, start, end);
    return 0;
}

TxErr Release(TxRef ref, TxMemGlobals* g)
{
    TxBlockHeader* h = *ref;
    if (!(h->flags & kTxSpilled) || StubRange(h)[0] == StubRange(h)[1])
        return 0;
    int32_t start = StubRange(h)[0];
    int32_t end = StubRange(h)[1];
    StubRange(h)[0] = StubRange(h)[1] = 0;
    ReturnRange(g->scratchFreeList, start, end);
    return 0;
}
} // namespace

TxErr TxDefaultPurgeProc(TxRef ref, TxMemGlobals* globals, int16_t verb)
{
    if (verb == 0)
        return Install(globals);
    if (!globals->scratchFile || !globals->scratchFreeList)
        return kTxNoScratchFile;
    switch (verb) {
    case 1:
        return Spill(ref, globals);
    case 2:
        return Reload(ref, globals);
    case 3:
        return Release(ref, globals);
    default:
        return 0;
    }
}
