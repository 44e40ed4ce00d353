// The engine's heap blocks: what a slot of a master block holds.
//
// Blocks come from the C++ allocator (so the tests' failing allocations reach them) and know their
// own size. A block is movable: TxHeapResize may hand back another address, and a failed resize
// leaves the old block as it was. Never raises; failures answer null.
#pragma once

#include <cstddef>

// A new block of size bytes (zero-filled when asked), or null.
void* TxHeapAlloc(size_t size, bool zero);
// The block resized, its bytes kept up to the smaller size; null on failure, the block untouched.
// Shrinking never fails: when no smaller block can be had the old one is kept with the new size.
void* TxHeapResize(void* block, size_t size);
void TxHeapFree(void* block);
size_t TxHeapSize(const void* block);
// Blocks allocated and not yet freed, for tests that nothing is left behind.
long TxHeapLiveBlocks();
