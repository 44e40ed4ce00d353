// Text rules of the search leaves: folding, the word rule and the item walks.
//
// All comparisons are on folded texts (g_AccentFold: upper case, accents
// dropped, one byte for one byte), byte by byte as unsigned values. Folding
// always makes a copy: a record's fields are never changed by a search.
#pragma once

#include "classlib/Types.h"

#include <string>

// The folded copy of text (up to its NUL); BuildAccentFoldTable must have run.
std::string FoldSearchText(const char* text);
// The same into `folded`, whose buffer is reused.
void FoldSearchText(const char* text, std::string& folded);

// The word rule of "=": an empty term matches only when both stars are set;
// otherwise the text matches at the first occurrence of the term that starts
// at a word start (or leadingStar) and ends at a word end (or trailingStar).
// Word starts and ends are where alphanumerics and other bytes meet.
BOOL MatchesWordRule(const std::string& text, const std::string& term, BOOL leadingStar, BOOL trailingStar);

enum SearchItemMatch
{
    itemBeginsWith,
    itemEndsWith,
    itemExactly
};

// "begins with", "ends with" and "exactly" on one folded field text: its
// author items (authorItems), its slash items (slashItems), or the whole text.
BOOL MatchesItems(const std::string& text, const std::string& term, SearchItemMatch how, BOOL authorItems,
                  BOOL slashItems);

// The unsigned byte order of two texts: negative, 0 or positive.
int CompareSearchText(const std::string& a, const std::string& b);

// A copy of a typed text with every CR LF read as LF, so that a text pasted
// with Windows line ends searches as it would with plain line feeds.
std::string ReadCrLfAsLf(const char* text);
