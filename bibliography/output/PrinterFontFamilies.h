// The font families of the default printer, which an RTF document's font
// table names: one entry per family, in the platform's enumeration order.
// Without a default printer (and in the native build, which has none) the
// list stays empty.
#pragma once

#include "classlib/Array.h"

struct RtfFontFamily
{
    enum
    {
        kFaceNameSize = 32
    };

    char faceName[kFaceNameSize]; // NUL-terminated
    BYTE pitchAndFamily;          // the platform's LOGFONT value: family in bits 4-6

    RtfFontFamily();
    RtfFontFamily(const char* faceName, BYTE pitchAndFamily);
};

typedef CArray<RtfFontFamily> RtfFontFamilyArray;

// Appends the default printer's font families to families.
void ListPrinterFontFamilies(RtfFontFamilyArray& families);
