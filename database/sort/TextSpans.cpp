#include "database/sort/TextSpans.h"

#include "database/sort/CharacterClasses.h"

namespace
{
bool IsWhiteSpace(char ch)
{
    // The "C" locale's isspace, without depending on the current locale.
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

bool IsItemLead(char ch)
{
    return ch == '\r' || ch == '\n' || ch == ' ' || ch == '/' || ch == ';';
}

bool EndsItem(const char* p)
{
    return *p == '\0' || *p == '\r' || *p == '\n' || *p == ';' || (p[0] == '/' && p[1] == '/');
}
} // namespace

BOOL FindAlphaNumericRun(const char* text, int end, int start, TextSpan& span)
{
    int i = start < 0 ? 0 : start;
    span.start = span.end = -1;
    // The start may lie past the NUL only if the caller says so through end;
    // never look beyond the terminator.
    for (int k = 0; k < i; ++k)
    {
        if (text[k] == '\0')
            return FALSE;
    }
    while (i < end && text[i] != '\0' && !IsAlphaNumeric(text[i]))
        ++i;
    if (i >= end || text[i] == '\0')
        return FALSE;
    span.start = i;
    while (i < end && text[i] != '\0' && IsAlphaNumeric(text[i]))
        ++i;
    span.end = i - 1;
    return TRUE;
}

TextSpan& GetTrimmedSpan(TextSpan& span, const char* text)
{
    int i = 0;
    while (IsWhiteSpace(text[i]))
        ++i;
    span.start = span.end = i;
    for (; text[i] != '\0'; ++i)
    {
        if (!IsWhiteSpace(text[i]))
            span.end = i + 1;
    }
    return span;
}

TextSpan& GetFirstWordSpan(TextSpan& span, const char* text)
{
    int i = 0;
    while (text[i] != '\0' && !IsAlphaNumeric(text[i]))
        ++i;
    span.start = i;
    while (text[i] != '\0' && IsAlphaNumeric(text[i]))
        ++i;
    span.end = i;
    return span;
}

TextSpan& GetSeparatedItemSpan(TextSpan& span, const char* text)
{
    int i = 0;
    while (IsItemLead(text[i]))
        ++i;
    span.start = i;
    while (!EndsItem(text + i))
        ++i;
    span.end = i;
    return span;
}
