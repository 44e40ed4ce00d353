// BTBytes: the engine's copies, fills and byte-string comparisons, inlined.
//
// Node entries are short and of varying length. A memcpy, memmove, memset or
// memcmp of unknown length becomes a call into the C runtime library, which
// costs more than the work itself (and under Wine the runtime compares byte
// by byte until its operands are aligned). These move and compare 8 bytes at
// a time through registers. Little-endian x86-64 hosts only.
#pragma once

#include "classlib/Types.h"

#include <emmintrin.h>
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

inline __m128i Opaque(__m128i v)
{
    __asm__ volatile("" : "+x"(v));
    return v;
}

inline __m128i Load128(const BYTE* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline void Store128(BYTE* p, __m128i v)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// Copies n bytes from the lowest address up; safe when dst is not above src.
inline void CopyUp(BYTE* dst, const BYTE* src, int n)
{
    // Each load comes before any store that could reach it.
    int i = 0;
    for (; i + 16 <= n; i += 16)
        Store128(dst + i, Opaque(Load128(src + i)));
    if (i + 8 <= n)
    {
        Store64(dst + i, Opaque(Load64(src + i)));
        i += 8;
    }
    for (; i < n; ++i)
        dst[i] = Opaque(src[i]);
}

// Copies n bytes from the highest address down; safe when dst is not below src.
inline void CopyDown(BYTE* dst, const BYTE* src, int n)
{
    int i = n;
    for (; i >= 16; i -= 16)
        Store128(dst + i - 16, Opaque(Load128(src + i - 16)));
    if (i >= 8)
    {
        Store64(dst + i - 8, Opaque(Load64(src + i - 8)));
        i -= 8;
    }
    for (; i > 0; --i)
        dst[i - 1] = Opaque(src[i - 1]);
}

// Copies n bytes; the ranges may overlap.
inline void Move(BYTE* dst, const BYTE* src, int n)
{
    if (dst <= src)
        CopyUp(dst, src, n);
    else
        CopyDown(dst, src, n);
}

// Copies n bytes between ranges that do not overlap.
inline void Copy(BYTE* dst, const BYTE* src, int n)
{
    CopyUp(dst, src, n);
}

inline void Zero(BYTE* p, int n)
{
    int i = 0;
    for (; i + 16 <= n; i += 16)
        Store128(p + i, Opaque(_mm_setzero_si128()));
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
