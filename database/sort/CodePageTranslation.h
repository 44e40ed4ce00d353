// Translation of DOS (code page 437) and Macintosh Roman text to Windows-1252.
//
// Both tables are constant, one byte per byte value. Bytes 0-127 keep their
// value except byte 20, the paragraph mark of both systems, which becomes a
// carriage return.
//  - g_DosToWindows: characters present in both sets map to their Windows
//    value; box drawing becomes '+', '-' or the broken bar 166; shading,
//    blocks, most Greek letters, mathematical signs and byte 255 become '_'.
//  - g_MacToWindows: characters present in both sets map to their Windows
//    value; a character without a Windows equivalent becomes 0x80, except
//    byte 173 (not-equal), which keeps its value.
#pragma once

#include "classlib/CString.h"

extern const unsigned char g_DosToWindows[256];
extern const unsigned char g_MacToWindows[256];

// Every byte of the text through g_DosToWindows, in place.
void TranslateDosText(CString& text);

// Every byte of the text through g_MacToWindows, in place.
void TranslateMacText(CString& text);

// Writes the translation of each byte of the NUL-terminated source to the
// destination, which may be the source itself; writes no terminator.
void TranslateMacString(const char* source, char* destination);
