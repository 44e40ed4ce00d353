// The two remembered column widths of a term grid as the profile keeps them: "%d,%d" (a number, a
// comma right after it, a second number; blanks may lead either number, anything may follow).
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

// True, both widths set, when the text holds two numbers in that form, each within a 32-bit int;
// otherwise false and the widths untouched (null text included).
bool ParseColumnWidths(const char* text, LONG& first, LONG& second);
CString FormatColumnWidths(LONG first, LONG second);
