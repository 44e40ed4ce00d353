// Small string functions shared by the database and the shell.
#pragma once

#include "classlib/Collections.h"
#include "classlib/CString.h"

// The index of the first entry of `list` equal to the `length` characters at `word` without regard to
// case (the whole entry compared), or -1.
int FindWordNoCase(const char* word, int length, const CStringArray& list);

// Writes `value` as exactly 8 upper-case hexadecimal digits, most significant first, and a NUL into
// `buffer` (9 bytes); returns `buffer`.
char* FormatHex8(char* buffer, DWORD value);

// The decimal text of `value`.
CString LongToString(long value);

// `text` holds two lines: a count of 1 gives the first line, any other the second formatted with the
// count ("%d"). A text without a second line gives the first for every count.
CString FormatCountText(const char* text, int count);

// Loads string `nID` and appends each of its lines (split at line feeds, empty lines kept) to `lines`. A
// string that does not load appends nothing.
void AppendResourceLines(CStringArray& lines, UINT nID);
