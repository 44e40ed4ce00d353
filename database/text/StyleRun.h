// One stretch of character formatting of a styled string.
//
// A run covers `length` bytes of the string's text and says how they look:
// style bits, point size, face name and the character set the bytes are in.
// A plain run has no style, size, font, encoding or character set; a run
// without font or size stands for the default font of the rich-text view.
#pragma once

#include "classlib/Types.h"

enum StyleBits : WORD
{
    kStyleBold = 0x0001,
    kStyleItalic = 0x0002,
    kStyleUnderline = 0x0004,
    kStyleSuperscript = 0x0100,
    kStyleSubscript = 0x0200,
    kStyleMask = 0x0307 // the only bits a run keeps
};

enum RunEncoding : BYTE
{
    kEncodingWindows = 0,  // charSet is a Windows character set
    kEncodingMacintosh = 1 // charSet is a Macintosh script number (0 = Roman)
};

// Windows character sets used by name.
enum : BYTE
{
    kCharSetAnsi = 0,
    kCharSetDefault = 1,
    kCharSetSymbol = 2
};

struct StyleRun
{
    enum
    {
        kFontNameSize = 32 // NUL included
    };

    int length;     // bytes covered, never negative
    WORD style;     // StyleBits
    short pointSize; // 0 = default size
    char fontName[kFontNameSize]; // NUL-terminated, "" = default font
    BYTE encoding;  // RunEncoding (2 and 3 are kept as read)
    BYTE charSet;

    // A plain run of length 0.
    StyleRun();
    // fontName may be null; a name of 32 bytes or more is cut to 31. The
    // bytes after the name's NUL are zero.
    StyleRun(WORD style, short pointSize, const char* fontName, int length, BYTE charSet = 0,
             BYTE encoding = 0);

    bool IsPlain() const;
    // Same style, size, character set, encoding and font name (byte for byte);
    // lengths are not compared.
    bool HasSameAttributes(const StyleRun& other) const;
    // Replaces the font name as the constructor stores it.
    void SetFontName(const char* name);
    // Face name compared without regard to case (ASCII letters).
    bool FontNameIs(const char* name) const;
};
