// Field terms: how the term indexes cut a field into terms and key each term.
//
// A term function walks a field's styled text from a position and returns the
// position just after the next term, with the term's index key (at most
// kTermKeySize bytes with its NUL) and its display form (at most
// kMaxTermLength characters, with the field's runs). A caller walks a field by
// calling again from the returned position until it stops moving; a call that
// finds no term returns the end of what it skipped with an empty key and an
// empty term.
//
//   authors   one author per term: items end at a line break, ";" or "//"
//             (a single "/" stays inside); a leading "=" (literal name) is
//             not part of the term
//   keywords  one item per term: items end at a line break or "/"
//   journals, titles
//             the whole field from its first character that is not a line
//             break, blank or "/"
//
// Keys are the words of the term's stored encoding (the first word left out
// when the stop list holds it) joined by one blank, through the database's
// language sort without a case level, so 'The Lancet' and 'Lancet' share a
// key when the generic list holds 'the'.
#pragma once

#include "database/sort/SortKeyContext.h"

class CLanguageSort;
class StyledString;

enum
{
    kTermKeySize = 256,
    kMaxTermLength = 255,
    kWordPrefixLength = 4
};

// The shape of the three term functions, as a term index holds its splitter.
typedef int (*FieldTermFunction)(const SortKeyContext& database, const StyledString& field, int position,
                                 char* key, StyledString& term);

// The next author of an author field. Its key is MakeAuthorKey of the author
// as written, so a literal name ("=World Health Organization") tests its
// first word against the generic stop list, as the author sort keys do.
int GetNextAuthorTerm(const SortKeyContext& database, const StyledString& field, int position, char* key,
                      StyledString& term);
// The next item of a list field such as keywords; keyed with the generic list.
int GetNextListTerm(const SortKeyContext& database, const StyledString& field, int position, char* key,
                    StyledString& term);
// The rest of the field as one term; returns the end of the text.
int GetWholeFieldTerm(const SortKeyContext& database, const StyledString& field, int position, char* key,
                      StyledString& term);

// The key of an author's text (stored encoding): MakeTermIndexKey with the
// author stop list, or the generic list when the text begins with "=".
void MakeAuthorKey(char* key, const char* text, const CLanguageSort& collation,
                   const CStringArray& authorStopList, const CStringArray& genericStopList);
// The key of any other term's text (stored encoding) into key (kTermKeySize
// bytes); text may be the key buffer itself.
void MakeTermIndexKey(char* key, const char* text, const CLanguageSort& collation,
                      const CStringArray& stopList);

// The word-prefix index's key: the first kWordPrefixLength characters of the
// first alphanumeric word of text (Windows-1252), each through g_AccentFold.
// Returns the position after that word; with no word the key is empty and
// the end of the text is returned. key needs kWordPrefixLength + 1 bytes.
int GetWordPrefixKey(const char* text, char* key);
