// Character classes and case mapping of Windows-1252 text, one byte per
// character. They go through the class library's own code-page-1252 table, so
// results are the same on every machine whatever its locale.
#pragma once

#include "classlib/Types.h"

char ToUpperChar(char ch);
char ToLowerChar(char ch);

// In place: the NUL-terminated text to upper case; length bytes to lower case.
void MakeUpper(char* text);
void MakeLowerBuffer(char* text, int length);

BOOL IsAlpha(char ch);
BOOL IsAlphaNumeric(char ch);
BOOL IsUpper(char ch);
