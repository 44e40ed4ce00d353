#include "richtext/engine/win/TxGlobalMemory.h"

#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxHeap.h"

#include <cstring>

HGLOBAL TxRefToGlobalBlock(TxRef ref)
{
    SIZE_T bytes = SIZE_T(TxByteSize(ref));
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes ? bytes : 1);
    if (!block)
        return nullptr;
    {
        TxLock lock(ref);
        void* p = ::GlobalLock(block);
        std::memcpy(p, lock.Records(), bytes);
        ::GlobalUnlock(block);
    }
    TxForceDispose(ref);
    return block;
}

TxRef TxAdoptGlobalBlock(TxMemGlobals* globals, HGLOBAL block, int16_t recordSize)
{
    SIZE_T bytes = ::GlobalSize(block);
    void* plain = TxHeapAlloc(bytes, false);
    if (!plain)
        TxThrow(globals, kTxOutOfMemory, nullptr);
    const void* p = ::GlobalLock(block);
    std::memcpy(plain, p, bytes);
    ::GlobalUnlock(block);
    TxRef ref;
    try {
        ref = TxHandleToRef(globals, plain, recordSize);
    } catch (const TxEngineError&) {
        TxHeapFree(plain);
        throw;
    }
    ::GlobalFree(block);
    return ref;
}
