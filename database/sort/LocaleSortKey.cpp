// Sort keys of the "System Specific" language.
//
// On Windows the operating system's sort keys of the user's default locale
// (LCMapStringA with LCMAP_SORTKEY): they may differ between machines and
// system versions. Elsewhere a stand-in with the same contract: the general
// collation over the text read as Windows ANSI, accents always weighed.
#include "database/sort/LanguageSort.h"

#include <algorithm>
#include <string.h>
#include <vector>

namespace
{
// The text without its lead bytes, at most limit characters.
std::vector<char> WithoutLeadBytes(const char* text, int limit)
{
    std::vector<char> plain;
    for (const char* p = text; *p != '\0' && static_cast<int>(plain.size()) < limit; ++p)
    {
        if (static_cast<unsigned char>(*p) >= 0x80)
        {
            if (p[1] == '\0')
                break;
            ++p;
        }
        plain.push_back(*p);
    }
    return plain;
}
} // namespace

#ifdef _WIN32

char* MakeLocaleSortKey(char* dest, int size, const char* text, int flags)
{
    if (size < 1)
        return dest;
    dest[0] = '\0';
    const std::vector<char> plain = WithoutLeadBytes(text, size);
    if (plain.empty())
        return dest;
    const DWORD mapFlags = LCMAP_SORTKEY | ((flags & sortKeyNoCase) ? NORM_IGNORECASE : 0);
    const int length = static_cast<int>(plain.size());
    int written = LCMapStringA(LOCALE_USER_DEFAULT, mapFlags, plain.data(), length, dest, size);
    if (written > 0)
    {
        dest[std::min(written, size) - 1] = '\0';
        return dest;
    }
    // Too long for dest: map it whole and keep the beginning.
    const int needed = LCMapStringA(LOCALE_USER_DEFAULT, mapFlags, plain.data(), length, nullptr, 0);
    if (needed <= 0)
        return dest;
    std::vector<char> whole(needed);
    written = LCMapStringA(LOCALE_USER_DEFAULT, mapFlags, plain.data(), length, whole.data(), needed);
    const int kept = std::max(0, std::min(written, size - 1));
    memcpy(dest, whole.data(), kept);
    dest[kept] = '\0';
    return dest;
}

#else

char* MakeLocaleSortKey(char* dest, int size, const char* text, int flags)
{
    if (size < 1)
        return dest;
    // Every character of 0x80 or above as Windows ANSI text.
    std::vector<char> ansi;
    for (char ch : WithoutLeadBytes(text, size))
    {
        if (static_cast<unsigned char>(ch) >= 0x80)
            ansi.push_back(static_cast<char>(0x81));
        ansi.push_back(ch);
    }
    ansi.push_back('\0');
    static const CLanguageSort general(langGeneral);
    return general.MakeSortKey(dest, size, ansi.data(), flags & sortKeyNoCase);
}

#endif
