#include "database/db/FieldTerms.h"

#include "database/sort/AccentFold.h"
#include "database/sort/KeyWords.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/TextSpans.h"
#include "database/text/InternalEncoding.h"
#include "database/text/StyledString.h"
#include "database/text/WordScanning.h"

namespace {
int ClampPosition(const StyledString& field, int position)
{
    if (position < 0)
        return 0;
    return position > field.GetLength() ? field.GetLength() : position;
}

int TermLength(int length)
{
    return length > kMaxTermLength ? kMaxTermLength : length;
}

// The term's display form and its text in the stored encoding.
void TakeTerm(const StyledString& field, int start, int length, StyledString& term, char* encoded)
{
    term = field.Mid(start, TermLength(length));
    EncodeStyledText(encoded, kTermKeySize, term);
}

// Leading line breaks, blanks and slashes.
bool IsWholeFieldLead(char c)
{
    return c == '\r' || c == '\n' || c == ' ' || c == '/';
}
} // namespace

int GetNextAuthorTerm(const SortKeyContext& database, const StyledString& field, int position, char* key,
                      StyledString& term)
{
    position = ClampPosition(field, position);
    TextSpan span;
    GetSeparatedItemSpan(span, static_cast<const char*>(field.text) + position);
    const int start = position + span.start;
    const int length = span.end - span.start;
    key[0] = '\0';
    term.Empty();
    if (length == 0)
        return position + span.end;
    // The key sees the "=" of a literal name, the display form does not.
    char encoded[kTermKeySize];
    TakeTerm(field, start, length, term, encoded);
    MakeAuthorKey(key, encoded, database.languageSort, database.authorStopList, database.genericStopList);
    if (length > 1 && field.text[start] == '=')
        term = field.Mid(start + 1, TermLength(length - 1));
    return position + span.end;
}

int GetNextListTerm(const SortKeyContext& database, const StyledString& field, int position, char* key,
                    StyledString& term)
{
    position = ClampPosition(field, position);
    TextSpan span;
    GetSlashItemSpan(span, static_cast<const char*>(field.text) + position);
    const int length = span.end - span.start;
    key[0] = '\0';
    term.Empty();
    if (length == 0)
        return position + span.end;
    char encoded[kTermKeySize];
    TakeTerm(field, position + span.start, length, term, encoded);
    MakeTermIndexKey(key, encoded, database.languageSort, database.genericStopList);
    return position + span.end;
}

int GetWholeFieldTerm(const SortKeyContext& database, const StyledString& field, int position, char* key,
                      StyledString& term)
{
    position = ClampPosition(field, position);
    int start = position;
    while (start < field.GetLength() && IsWholeFieldLead(field.text[start]))
        ++start;
    key[0] = '\0';
    term.Empty();
    if (start == field.GetLength())
        return start;
    char encoded[kTermKeySize];
    TakeTerm(field, start, field.GetLength() - start, term, encoded);
    MakeTermIndexKey(key, encoded, database.languageSort, database.genericStopList);
    return field.GetLength();
}

void MakeAuthorKey(char* key, const char* text, const CLanguageSort& collation,
                   const CStringArray& authorStopList, const CStringArray& genericStopList)
{
    MakeTermIndexKey(key, text, collation, text[0] == '=' ? genericStopList : authorStopList);
}

void MakeTermIndexKey(char* key, const char* text, const CLanguageSort& collation,
                      const CStringArray& stopList)
{
    char words[kTermKeySize];
    const int length = CollectKeyWords(words, kTermKeySize - 1, text, &stopList, false);
    words[length] = '\0';
    collation.MakeSortKey(key, kTermKeySize, words, sortKeyNoCase);
}

int GetWordPrefixKey(const char* text, char* key)
{
    TextSpan span;
    GetFirstWordSpan(span, text);
    int n = 0;
    for (int i = span.start; i < span.end && n < kWordPrefixLength; ++i)
        key[n++] = static_cast<char>(g_AccentFold[static_cast<unsigned char>(text[i])]);
    key[n] = '\0';
    return span.end;
}
