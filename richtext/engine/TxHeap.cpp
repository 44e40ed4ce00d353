#include "richtext/engine/TxHeap.h"

#include <cstring>
#include <new>

namespace {
// Each block is preceded by its size, in a prefix that keeps the block 16-byte aligned.
const size_t kPrefix = 16;

long liveBlocks = 0;

char* Base(const void* block)
{
    return static_cast<char*>(const_cast<void*>(block)) - kPrefix;
}

size_t& SizeOf(const void* block)
{
    return *reinterpret_cast<size_t*>(Base(block));
}
} // namespace

void* TxHeapAlloc(size_t size, bool zero)
{
    char* base = static_cast<char*>(::operator new(size + kPrefix, std::nothrow));
    if (!base)
        return nullptr;
    ++liveBlocks;
    void* block = base + kPrefix;
    SizeOf(block) = size;
    if (zero)
        std::memset(block, 0, size);
    return block;
}

void* TxHeapResize(void* block, size_t size)
{
    size_t old = SizeOf(block);
    void* moved = TxHeapAlloc(size, false);
    if (!moved) {
        if (size > old)
            return nullptr;
        SizeOf(block) = size;
        return block;
    }
    std::memcpy(moved, block, size < old ? size : old);
    TxHeapFree(block);
    return moved;
}

void TxHeapFree(void* block)
{
    if (!block)
        return;
    --liveBlocks;
    ::operator delete(Base(block));
}

size_t TxHeapSize(const void* block)
{
    return SizeOf(block);
}

long TxHeapLiveBlocks()
{
    return liveBlocks;
}
