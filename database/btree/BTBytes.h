// BTBytes: the engine's copies, fills and byte-string comparisons, inlined.
//
// Node entries are short and of varying length. A memcpy, memmove, memset or
// memcmp of unknown length becomes a call into the C runtime library, which
// costs more than the work itself (and under Wine the runtime compares byte
// by byte until its operands are aligned). These move and compare 8 bytes at
// a time through registers. Little-endian hosts only, like the stored forms.
#pragma once

#include "classlib/Types.h"

#include <stdint.h>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "little-endian hosts only");

namespace BTBytes
{
inline uint64_t Load64(const BYTE* p)
{
    uint64_t v;
    __builtin_memcpy(&v, p, 8);
    return v;
}

inline uint32_t Load32(const BYTE* p)
{
    uint32_t v;
    __builtin_memcpy(&v, p, 4);
    return v;
}

inline void Store64(BYTE* p, uint64_t v)
{
    __builtin_memcpy(p, &v, 8);
}

// Hides a value from the optimiser, so a copy or fill loop is not turned
// back into a call of the library routine it replaces.
template <class T> inline T Opaque(T v)
{
    __asm__ volatile("" : "+r"(v));
    return v;
}

// Copies n bytes; the ranges may overlap.
inline void Move(BYTE* dst, const BYTE* src, int n)
{
    if (dst <= src || dst >= src + n)
    {
        // Forward: each load comes before any store that could reach it.
        int i = 0;
        for (; i + 8 <= n; i += 8)
            Store64(dst + i, Opaque(Load64(src + i)));
        for (; i < n; ++i)
            dst[i] = Opaque(src[i]);
        return;
    }
    int i = n;
    for (; i >= 8; i -= 8)
        Store64(dst + i - 8, Opaque(Load64(src + i - 8)));
    for (; i > 0; --i)
        dst[i - 1] = Opaque(src[i - 1]);
}

// Copies n bytes between ranges that do not overlap.
inline void Copy(BYTE* dst, const BYTE* src, int n)
{
    int i = 0;
    for (; i + 8 <= n; i += 8)
        Store64(dst + i, Opaque(Load64(src + i)));
    for (; i < n; ++i)
        dst[i] = Opaque(src[i]);
}

inline void Zero(BYTE* p, int n)
{
    int i = 0;
    for (; i + 8 <= n; i += 8)
        Store64(p + i, Opaque(uint64_t(0)));
    for (; i < n; ++i)
        p[i] = Opaque(BYTE(0));
}

// The order of memcmp over n bytes: negative, 0 or positive.
inline int Compare(const BYTE* a, const BYTE* b, int n)
{
    for (; n >= 8; a += 8, b += 8, n -= 8)
    {
        uint64_t x = Load64(a);
        uint64_t y = Load64(b);
        if (x != y)
            return __builtin_bswap64(x) < __builtin_bswap64(y) ? -1 : 1;
    }
    if (n >= 4)
    {
        uint32_t x = Load32(a);
        uint32_t y = Load32(b);
        if (x != y)
            return __builtin_bswap32(x) < __builtin_bswap32(y) ? -1 : 1;
        a += 4;
        b += 4;
        n -= 4;
    }
    for (; n > 0; ++a, ++b, --n)
    {
        if (*a != *b)
            return *a < *b ? -1 : 1;
    }
    return 0;
}
} // namespace BTBytes
