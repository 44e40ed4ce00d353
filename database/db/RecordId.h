// Record IDs: the short text (1 to 20 characters) the user sees and edits for
// a record, and its numeric value kept beside it in the record.
#pragma once

#include "classlib/CString.h"

#include <cstdint>

enum
{
    kMaxRecordIdLength = 20
};

// The numeric value of a record ID: 0 for an empty text or one holding
// anything but the digits 0-9 (leading zeros are skipped, so "0000" is 0
// too); 10 for an all-digit value above 2147483647, which only marks a
// non-zero value that does not fit; else the decimal value.
int32_t ParseRecordId(const char* text);

// Adds one at digit position - 1, carrying to the left ("129" at 3 gives
// "130", "99" at 2 gives "100"); the empty text becomes "1". Needs
// 0 <= position <= length; the text is expected to be all digits.
void IncrementDecimalText(CString& text, int position);

// What `increment` steps of IncrementDecimalText at the end give (nothing for
// an increment of 0 or less); an all-digit text is added to in one pass.
void AddToDecimalText(CString& text, int32_t increment);
