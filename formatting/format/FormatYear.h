// FormatYear: the year of a date part as a formatted entry shows it; also
// used for the year of unformatted word-processor citations.
//
// Four digits (with the part's letter, 'a' for 1), two digits for an exact
// year of the 1900s without era, or roman (no letter, no uncertainty marks).
// Uncertain digits: one appends "?", two to four replace that many minus one
// trailing digits by "?". A year-suffix number n > 0 appends the letter of
// (n - 1) mod 26 and, above 26, the decimal n / 26 ('a1' for 27). The era
// follows last (" A.D.", " B.C.").
#pragma once

#include "classlib/CString.h"

struct DatePart;

CString FormatYear(int yearFormat, const DatePart& part, BOOL padWithZeros, int yearSuffix);
