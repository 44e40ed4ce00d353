// Stop lists: words left out of sort, duplicate and term keys when they stand
// first in a text.
//
// A database keeps two: the author list, tested against the first word of a
// personal author name, and the generic list, tested against the first word
// of titles, other text fields and literal ("=") author names. A list is a
// string array of terms of at most kStopListTermMax characters, in no
// particular order; it is stored in the class library's string-array form
// (CStringArray::Serialize). Only the first word of a text is ever tested, so
// 'War and the Peace' keeps its inner 'the'.
#pragma once

#include "classlib/Collections.h"

const int kStopListTermMax = 63;

// TRUE when the word (length bytes of text in the stored encoding) equals an
// entry of the list without regard to case. The word is compared in Windows
// ANSI: its ANSI lead bytes (0x81) are dropped first, so an accented entry
// such as "à" matches the encoded word; a word holding characters of another
// character set matches no entry.
BOOL IsStopWord(const CStringArray& list, const char* word, int length);
