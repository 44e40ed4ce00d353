// Shelf-order keys of library call numbers.
//
// Sorting call numbers as text puts 'QA76.9' after 'QA100' and '610.73' after
// '1000'. MakeCallNumberSortKey rewrites a call number into a key whose plain
// byte order is the shelf order: "C" and a Library of Congress key, "D" and a
// Dewey decimal key, or "O" and the folded text for anything else, so that all
// LC numbers sort together, then all Dewey numbers, then the rest.
//
// Keys compare case- and accent-blind: the text goes through g_AccentFold
// first, so BuildAccentFoldTable must have run.
#pragma once

#include <string>

// Key text: one class letter and at most this many characters after it.
const int kCallNumberKeyBody = 254;
// Call numbers are read no further than this: enough for any key, and token
// positions stay in 16 bits.
const int kCallNumberScanLimit = 1024;
const int kCallNumberMaxTokens = 20;

enum CallNumberTokenType
{
    cntInteger = 1,  // digits ("/" allowed inside, removed while read)
    cntDecimal = 2,  // digits "." digits, or "." digits
    cntLettersDigits = 3,
    cntLoneDot = 4,  // a "." followed by neither letter nor digit
    cntCutter = 5,   // letters digits letters, or "." letters digits
    cntLetters = 6
};

struct CallNumberToken
{
    int type;
    short start; // first character in the folded text
    short end;   // last character (inclusive)
};

struct CallNumberTokenList
{
    unsigned short count = 0;
    std::string text; // the folded call number ("/" inside numbers removed)
    int startIndex = 0; // the token at which the LC or Dewey key begins
    CallNumberToken tokens[kCallNumberMaxTokens];
};

// Writes the NUL-terminated key of callNumber into dest (at least 256 bytes).
// An empty call number gives the empty key. Out of memory is the class
// library's memory exception here, std::bad_alloc in the std::string forms.
void MakeCallNumberSortKey(char* dest, const char* callNumber);
std::string MakeCallNumberSortKey(const char* callNumber);

// Reads one token of the folded text at pos (which must be a letter, digit or
// "."), moves pos past it and returns its type, start and end. "/" inside the
// digits of a number is removed from the text; lastIndex follows the text.
CallNumberToken ScanCallNumberToken(std::string& text, int& pos, int& lastIndex);

// TRUE when the tokens form a Library of Congress number; sets startIndex.
bool IsLCCallNumber(CallNumberTokenList& list);

// Key bodies, built from list.startIndex on.
void MakeLCKey(const CallNumberTokenList& list, std::string& out);
void MakeDeweyKey(const CallNumberTokenList& list, std::string& out);

// The text unchanged when it is longer than width, else filled to the width
// on the left (PadLeft) or right (PadRight).
std::string PadLeft(const std::string& text, int width, char fill);
std::string PadRight(const std::string& text, int width, char fill);
