// Word and item scanners over NUL-terminated text.
//
// GetEncodedWordSpan works on the internal encoding (see InternalEncoding.h):
// a byte below 0x80 is a character by itself, a byte of 0x80 or above is a
// lead byte that forms one character with the byte after it. Word characters
// are letters and digits as the word-class table of the lead byte says
// (GetWordClassTable); a lead byte without a table makes its character a word
// character, and the ANSI no-break space (0x81 0xA0) belongs to words.
// Neither scanner reads past the terminating NUL, and a lead byte directly
// before the NUL is not a character.
#pragma once

#include "database/sort/TextSpan.h"

enum WordClass
{
    kNotWord = 0,
    kWordLetter = 1,
    kWordDigit = 2
};

// The 256-entry class table that a preceding byte selects: any byte below
// 0x80 (the table of plain ASCII characters), 0x81 (Windows ANSI), 0x82
// (Macintosh Roman) or 0x83 (Symbol). Null for every other lead byte.
const unsigned char* GetWordClassTable(unsigned char selector);

// The first word of encoded text: start and end byte offsets. A text without
// a word gives start = end = the offset of its terminating NUL.
TextSpan& GetEncodedWordSpan(TextSpan& span, const char* encoded);

// The first item of a "/"-separated text: blanks, "/", LF and CR are skipped
// first; the item runs to the next "/", LF, CR or the end and keeps blanks
// inside it and before the separator.
TextSpan& GetSlashItemSpan(TextSpan& span, const char* text);
