// The internal encoding: a styled string flattened into one byte string for
// index terms, sort keys and bibliography keys, so that texts from different
// character sets never collide in a key.
//
// A byte below 0x80 is a character by itself. A byte of 0x80 or above is a
// lead byte naming the character set of the byte after it:
//   0x81 Windows ANSI (charSet 0 or 1)       0x82 Macintosh Roman
//   0x83 Symbol (charSet 2, or any run in the "Symbol" font, where every
//        character, ASCII too, is written as 0x83 and the character)
//   0x90-0x9B national Windows sets 128, 129, 134, 136, 161, 162, 177, 178,
//        186, 204, 222, 238
//   0xB0-0xCE Macintosh scripts 1-31
//   0xFF anything else
// Stored records keep their styled strings as they are; only keys use this.
#pragma once

#include "database/text/StyledString.h"

// The lead byte for the characters of a run.
BYTE GetRunLeadByte(const StyleRun& run);

// Encodes s into buffer (size bytes) and returns buffer, always
// NUL-terminated when size > 0. A pair is never split: characters that do
// not fit are dropped. Bytes of the text not covered by a run (a string that
// breaks its invariant) are encoded as ANSI.
char* EncodeStyledText(char* buffer, int size, const StyledString& s);
