// Scanners that find words and items in Windows-1252 text for the key
// builders. Each works in one pass, never reads past the text's NUL and
// allocates nothing.
#pragma once

#include "classlib/Types.h"
#include "database/sort/TextSpan.h"

// From index start (a negative start counts as 0), the first run of
// characters that IsAlphaNumeric accepts before index end (or the NUL):
// span.start is its first index, span.end its LAST index (inclusive). Both
// are -1 when there is none. Returns TRUE when a run was found.
BOOL FindAlphaNumericRun(const char* text, int end, int start, TextSpan& span);

// The text without leading and trailing white space (blank, TAB, LF, VT, FF,
// CR): the first index that is not white space and the index after the last
// one; both at the text's end for an all-blank text.
TextSpan& GetTrimmedSpan(TextSpan& span, const char* text);

// The first run of characters that IsAlphaNumeric accepts (end exclusive);
// both at the text's end when there is none.
TextSpan& GetFirstWordSpan(TextSpan& span, const char* text);

// The first item of an author list: carriage returns, line feeds, blanks,
// "/" and ";" are skipped first; the item ends before a CR, LF, ";" or "//"
// (a single "/" stays inside it) or at the text's end. Blanks before the
// separator stay in the item. For 'Smith, J.; Doe, K.//Roe, L.' the items
// are found by calling again from each item's end.
TextSpan& GetSeparatedItemSpan(TextSpan& span, const char* text);
