// The archive form of a styled string (part of every stored record, term
// list and output style). All integers little-endian.
//
//   text        the class library's string form
//   runs        short form, for exactly one plain run:
//                 u8 0, length field
//               run list, in every other case (also for no runs):
//                 u8 1, u16 run count, then per run:
//                 length field, u16 packed word, i16 point size,
//                 32 bytes of font name (the name, then zeros)
//
//   length field  below 0x7FFF: u16 length; otherwise two u16,
//                 (length >> 16) | 0x8000, then length & 0xFFFF
//   packed word   bits 0-2, 8-9 style; bits 4-7 charSet & 0x0F;
//                 bits 10-11 encoding; bits 12-15 charSet >> 4; bit 3 zero
//
// Reading repairs what it can and refuses what cannot be real:
//  - a NUL in the text cuts it there;
//  - runs that do not add up to the text, or a point size above 255, are
//    replaced by one plain run over the text (none for an empty text);
//  - run lengths adding up past any possible text length (2^31 - 1) can only
//    come from a damaged file: CArchiveException badIndex;
//  - a truncated font name: CArchiveException endOfFile (the runs completed
//    so far are kept); other short reads throw the archive's own exceptions;
//  - then NormalizeRunFonts (MacintoshRuns.h) corrects character sets and
//    converts Macintosh Roman text.
#pragma once

#include "classlib/Archive.h"
#include "database/text/StyledString.h"

void WriteStyledString(CArchive& ar, const StyledString& s);
// Reuses the string's text and run buffers.
void ReadStyledString(CArchive& ar, StyledString& s);
// Reads past one styled string without keeping it; raises what reading it
// would raise for a short archive or impossible run lengths.
void SkipStyledString(CArchive& ar);

// The run part alone. A run list of more than 65535 runs cannot be stored:
// CArchiveException generic, before anything is written.
void WriteStyleRuns(CArchive& ar, const StyleRunArray& runs);
void ReadStyleRuns(CArchive& ar, StyleRunArray& runs);

// One run alone, as in the run list: length field, packed word, i16 point
// size, 32 bytes of font name. Read alone, character set 1 (the platform's
// default) comes back as 0.
void WriteStyleRun(CArchive& ar, const StyleRun& run);
void ReadStyleRun(CArchive& ar, StyleRun& run);
