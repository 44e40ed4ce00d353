// CharFormat: the character format a writer applies to the text it is given.
//
// Style bits are the writers' own: 1 bold, 2 italic, 4 underline, 0x20
// superscript, 0x40 subscript (styled-string runs use 0x100 and 0x200 for the
// last two; converters say where they translate). The face name is always
// NUL-terminated within its 32 bytes.
#pragma once

#include "classlib/Types.h"

enum CharFormatStyle : int
{
    kCharBold = 0x01,
    kCharItalic = 0x02,
    kCharUnderline = 0x04,
    kCharSuperscript = 0x20,
    kCharSubscript = 0x40
};

struct CharFormat
{
    enum
    {
        kFontNameSize = 32
    };

    char fontName[kFontNameSize];
    int style;
    int size; // points
    int charSet;

    // "Times New Roman", style 0, 12 points, character set 0.
    CharFormat();
    // A name of 32 bytes or more is cut to 31; fontName may be null.
    CharFormat(const char* fontName, int style, int size, int charSet);
    CharFormat(const CharFormat& other) = default;
    CharFormat& operator=(const CharFormat& other);

    void SetFontName(const char* name);
    // Face names compared without regard to case; style, size and set exactly.
    BOOL Differs(const CharFormat& other) const;
};
