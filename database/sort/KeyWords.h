// The words of a text as sort, term and duplicate keys take them.
//
// A key keeps the words of a text (runs of letters and digits of the stored
// encoding, GetEncodedWordSpan) and drops everything between them, so
// punctuation and spacing never change an order. A first word that the stop
// list holds is left out ('The Art of War' keys as 'Art of War').
#pragma once

#include "classlib/Collections.h"

// Appends the words of encoded (stored encoding, NUL-terminated) to out,
// joined by one blank, and returns the bytes written (no NUL is written, out
// needs limit bytes):
// - the first word is left out when stopList (may be null) holds it
//   (IsStopWord); later words are always kept;
// - each word is cut to the room left below limit, never between a lead byte
//   and its character;
// - the walk stops once limit - 2 or more bytes are written, and with
//   stopAfterComma after the first kept word directly followed by ",".
int CollectKeyWords(char* out, int limit, const char* encoded, const CStringArray* stopList,
                    bool stopAfterComma);
