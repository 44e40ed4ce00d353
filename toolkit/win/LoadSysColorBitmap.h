// Bitmaps whose greys follow the system colours: a device-independent bitmap with a colour table (8 bits
// per pixel or fewer) in which black, dark grey, light grey and white stand for the button text, shadow,
// face and highlight colours.
//
// Each colour-table entry equal to black (0x000000), dark grey (0x808080), light grey (0xC0C0C0) or white
// (0xFFFFFF) is replaced, at its first match in that order, by GetSysColor(COLOR_BTNTEXT, COLOR_BTNSHADOW,
// COLOR_BTNFACE, COLOR_BTNHIGHLIGHT); the bits are then drawn one to one into a bitmap compatible with the
// screen. On failure the bitmap object is left as it was and FALSE is answered.
#pragma once

#include "classlib/Types.h"

class CBitmap;

// From a bitmap resource (type 2) of this module.
BOOL LoadSysColorBitmap(CBitmap* pBitmap, LPCTSTR lpszResourceName);
// From a packed DIB in memory: the header, the colour table, then the bits; nSize bytes in all.
BOOL LoadSysColorBitmapFromDib(CBitmap* pBitmap, const void* pPackedDib, DWORD nSize);
