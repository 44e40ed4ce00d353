#include "database/search/SearchText.h"

#include "database/sort/AccentFold.h"
#include "database/sort/CharacterClasses.h"
#include "database/sort/TextSpans.h"
#include "database/text/WordScanning.h"

#include <cstring>

std::string FoldSearchText(const char* text)
{
    std::string folded;
    FoldSearchText(text, folded);
    return folded;
}

void FoldSearchText(const char* text, std::string& folded)
{
    folded.assign(text ? text : "");
    for (char& ch : folded)
        ch = static_cast<char>(g_AccentFold[static_cast<unsigned char>(ch)]);
}

namespace {

bool BothAlphaNumeric(char a, char b)
{
    return IsAlphaNumeric(a) && IsAlphaNumeric(b);
}

BOOL Matches(const char* item, size_t length, const std::string& term, SearchItemMatch how)
{
    if (how == itemExactly)
        return length == term.size() && memcmp(item, term.data(), length) == 0;
    if (length < term.size())
        return FALSE;
    const char* at = how == itemBeginsWith ? item : item + length - term.size();
    return memcmp(at, term.data(), term.size()) == 0;
}

typedef TextSpan& (*ItemScanner)(TextSpan&, const char*);

BOOL AnyItemMatches(const char* text, const std::string& term, SearchItemMatch how, ItemScanner scan)
{
    for (const char* p = text; *p != '\0';) {
        TextSpan span;
        scan(span, p);
        if (span.end > span.start && Matches(p + span.start, (size_t)(span.end - span.start), term, how))
            return TRUE;
        if (span.end <= 0)
            break;
        p += span.end;
    }
    return FALSE;
}

} // namespace

BOOL MatchesWordRule(const std::string& text, const std::string& term, BOOL leadingStar, BOOL trailingStar)
{
    if (term.empty())
        return leadingStar && trailingStar;
    for (size_t at = text.find(term); at != std::string::npos; at = text.find(term, at + 1)) {
        const size_t end = at + term.size();
        const bool wordStart = at == 0 || !BothAlphaNumeric(text[at - 1], text[at]);
        const bool wordEnd = end == text.size() || !BothAlphaNumeric(text[end], text[end - 1]);
        if ((leadingStar || wordStart) && (trailingStar || wordEnd))
            return TRUE;
    }
    return FALSE;
}

BOOL MatchesItems(const std::string& text, const std::string& term, SearchItemMatch how, BOOL authorItems,
                  BOOL slashItems)
{
    if (authorItems && AnyItemMatches(text.c_str(), term, how, GetSeparatedItemSpan))
        return TRUE;
    if (slashItems && AnyItemMatches(text.c_str(), term, how, GetSlashItemSpan))
        return TRUE;
    return Matches(text.c_str(), strlen(text.c_str()), term, how);
}

int CompareSearchText(const std::string& a, const std::string& b)
{
    return strcmp(a.c_str(), b.c_str());
}

std::string ReadCrLfAsLf(const char* text)
{
    std::string copy;
    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        if (p[0] == '\r' && p[1] == '\n')
            continue;
        copy += *p;
    }
    return copy;
}
