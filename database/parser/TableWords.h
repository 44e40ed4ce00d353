// Words of the stored parser and lexer tables: 32-bit little-endian, read the
// same on every machine.
#pragma once

#include "classlib/Types.h"

inline DWORD TableWord(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

inline LONG TableSignedWord(const BYTE* p)
{
    return (LONG)TableWord(p);
}

// TRUE when count items of itemSize bytes from offset lie within size bytes.
inline BOOL TableSpanFits(ULONGLONG offset, ULONGLONG count, ULONGLONG itemSize, ULONGLONG size)
{
    return offset <= size && count * itemSize <= size - offset;
}
