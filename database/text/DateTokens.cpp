#include "database/text/DateTokens.h"

#include "database/sort/CharacterClasses.h"

#include <string.h>

namespace
{
const char* const kMonthNames[] = {"JANUARY", "FEBRUARY", "MARCH",    "APRIL",   "MAY",      "JUNE",
                                   "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER",
                                   "SPRING",  "SUMMER",   "FALL",     "WINTER",  "AUTUMN"};
const char* const kRomanMonths[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};
const char* const kOrdinalSuffixes[] = {"ST", "ND", "RD", "TH"};

bool IsDigitOrQuery(char ch)
{
    return IsDateDigit(ch) || ch == '?';
}

bool IsLetter(char ch)
{
    return ch >= 'A' && ch <= 'Z';
}

bool Equals(const char* word, int length, const char* text)
{
    return static_cast<int>(strlen(text)) == length && memcmp(word, text, length) == 0;
}

int CountLeading(const char* word, int length, bool (*accept)(char))
{
    int n = 0;
    while (n < length && accept(word[n]))
        ++n;
    return n;
}

// The value of the leading digits, at most two of them.
int SmallNumber(const char* word, int length)
{
    int value = 0;
    for (int i = 0; i < length && i < 2 && IsDateDigit(word[i]); ++i)
        value = value * 10 + (word[i] - '0');
    return value;
}

bool IsOrdinalSuffix(const char* letters)
{
    for (const char* suffix : kOrdinalSuffixes)
    {
        if (memcmp(letters, suffix, 2) == 0)
            return true;
    }
    return false;
}

// A year written as digits (and "?") followed by exactly one letter or by
// "AD" or "BC": a year with an era or letter when it ends in "A", "B", "AD"
// or "BC", else a year; 0 when the rest after the digits is anything else.
BYTE YearWithSuffixClass(const char* word, int length, int digits)
{
    const char* rest = word + digits;
    const int restLength = length - digits;
    const bool oneLetter = restLength == 1 && IsLetter(rest[0]);
    if (!oneLetter && !Equals(rest, restLength, "AD") && !Equals(rest, restLength, "BC"))
        return 0;
    const char last = word[length - 1];
    const bool eraOrLetter = last == 'A' || last == 'B' || DateWordEndsWith(word, length, "AD") ||
                             DateWordEndsWith(word, length, "BC");
    return eraOrLetter ? dtcYearWithEra : dtcYear;
}

// Digits followed by letters: '12TH', '1990A', '50AD'.
BYTE ClassifyDigitsAndLetters(const char* word, int length, int digits)
{
    const int letters = length - digits;
    if ((length == 3 || length == 4) && letters == 2 && IsOrdinalSuffix(word + digits) &&
        CountLeading(word, digits, IsDateDigit) == digits && SmallNumber(word, digits) <= 31)
        return dtcDay;
    const BYTE cls = YearWithSuffixClass(word, length, digits);
    return cls != 0 ? cls : static_cast<BYTE>(dtcWord);
}

// 'C1850', 'CIRCA1850', 'C1850?': a year after a circa mark. The rest must
// hold at least one digit or "?": 'CA' (as in 'ca. 1850') is no year.
BYTE ClassifyCirca(const char* word, int length)
{
    const int prefix = (length >= 6 && memcmp(word, "CIRCA", 5) == 0) ? 5 : (word[0] == 'C' ? 1 : 0);
    const int restLength = length - prefix;
    if (prefix == 0 || restLength < 1 || restLength > 5)
        return 0;
    const char* rest = word + prefix;
    const int digits = CountLeading(rest, restLength, IsDigitOrQuery);
    if (digits == 0)
        return 0;
    if (digits == restLength)
        return dtcYear;
    return YearWithSuffixClass(rest, restLength, digits);
}

// Digits and "?" only.
BYTE ClassifyNumber(const char* word, int length)
{
    if (length == 6 && CountLeading(word, length, IsDateDigit) == 6 && SmallNumber(word + 2, 2) <= 12 &&
        SmallNumber(word + 4, 2) < 32)
        return dtcCompact;
    if (length >= 3 && length <= 6)
        return dtcYear;
    if (length == 2)
    {
        const int value = SmallNumber(word, 2);
        return value >= 32 ? dtcYear : (value < 13 ? dtcAnyPart : dtcDayOrYear);
    }
    return length == 1 ? dtcMonthOrDay : dtcWord;
}

bool OnlyBlanks(const char* text, int from, int length)
{
    for (int i = from; i < length; ++i)
    {
        if (text[i] != ' ')
            return false;
    }
    return true;
}
} // namespace

bool IsDateDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool DateWordEndsWith(const char* word, int length, const char* tail)
{
    const int n = static_cast<int>(strlen(tail));
    return length >= n && memcmp(word + length - n, tail, n) == 0;
}

DateTokenList::DateTokenList() : m_length(0), m_count(0)
{
    m_text[0] = '\0';
}

bool DateTokenList::IsSeparatorChar(char ch)
{
    return ch != '\0' && strchr("-., /_'`", ch) != nullptr;
}

bool DateTokenList::IsDefinite(BYTE cls)
{
    return IsYearClass(cls) || cls == dtcMonth || cls == dtcDay;
}

int DateTokenList::MonthOfName(const char* word, int length)
{
    if (length >= 3)
    {
        for (int i = 0; i < 17; ++i)
        {
            const int nameLength = static_cast<int>(strlen(kMonthNames[i]));
            if (length <= nameLength && memcmp(kMonthNames[i], word, length) == 0)
                return i + 1;
        }
    }
    for (int i = 0; i < 12; ++i)
    {
        if (Equals(word, length, kRomanMonths[i]))
            return i + 1;
    }
    return 0;
}

bool DateTokenList::TokenIs(int i, const char* word) const
{
    return Equals(TextOf(i), m_tokens[i].length, word);
}

bool DateTokenList::SameText(int a, int b) const
{
    return m_tokens[a].length == m_tokens[b].length && memcmp(TextOf(a), TextOf(b), m_tokens[a].length) == 0;
}

void DateTokenList::Read(const char* text, int length)
{
    m_length = 0;
    while (m_length < length && m_length < kMaxText && text[m_length] != '\0')
    {
        m_text[m_length] = text[m_length];
        ++m_length;
    }
    m_text[m_length] = '\0';
    MakeUpper(m_text);
    Cut();
    if (m_length > 0 && IsSeparatorChar(m_text[0]))
        return;
    for (int i = 0; i < m_count; ++i)
        m_tokens[i].cls = IsWord(m_tokens[i].cls) ? ClassifyWord(i) : ClassifySeparator(i);
}

void DateTokenList::Cut()
{
    m_count = 0;
    if (m_length == 0)
        return;
    if (IsSeparatorChar(m_text[0]))
    {
        // A date never starts with a separator: the text is one token that
        // fits no rule (Read leaves it so).
        m_tokens[0] = {0, static_cast<short>(m_length), dtcWord};
        m_count = 1;
        return;
    }
    for (int pos = 0; pos < m_length;)
    {
        const bool separator = IsSeparatorChar(m_text[pos]);
        int end = pos;
        while (end < m_length && IsSeparatorChar(m_text[end]) == separator)
            ++end;
        m_tokens[m_count++] = {static_cast<short>(pos), static_cast<short>(end - pos),
                               separator ? dtcSeparator : dtcWord};
        pos = end;
    }
}

BYTE DateTokenList::ClassifyWord(int i) const
{
    const char* word = TextOf(i);
    const int length = m_tokens[i].length;
    if (MonthOfName(word, length) != 0)
        return dtcMonth;
    if (TokenIs(i, "A") || TokenIs(i, "B"))
        return dtcEra;
    if (TokenIs(i, "D") || TokenIs(i, "C"))
    {
        // The second letter of "A.D." or "B.C." follows its first.
        if (i >= 2 && (m_tokens[i - 2].cls & kDateEraBit))
            return m_tokens[i - 2].cls;
        if (i != 0)
            return dtcWord;
    }
    if (TokenIs(i, "AD") || TokenIs(i, "BC"))
        return dtcEra;
    const int digits = CountLeading(word, length, IsDigitOrQuery);
    const int letters = length - digits;
    if (digits > 0 && letters > 0 && CountLeading(word + digits, letters, IsLetter) == letters)
        return ClassifyDigitsAndLetters(word, length, digits);
    if (const BYTE circa = ClassifyCirca(word, length))
        return circa;
    if (digits == length)
        return ClassifyNumber(word, length);
    return dtcWord;
}

BYTE DateTokenList::ClassifySeparator(int i) const
{
    const char* s = TextOf(i);
    const int length = m_tokens[i].length;
    int dash = 0;
    if (s[0] == '.' || s[0] == ' ')
    {
        dash = 1;
        while (dash < length && s[dash] == ' ')
            ++dash;
    }
    // "-", " - ", ". -": one dash or slash with nothing after it but blanks.
    // Blanks after a leading dash ("1990- 1991") count as they do before it.
    if (dash < length && (s[dash] == '-' || s[dash] == '/') && OnlyBlanks(s, dash + 1, length))
        return dtcRangeSeparator;
    return dtcSeparator;
}

int DateTokenList::FindRangeSplit() const
{
    int words = 0;
    bool allYears = true;
    int separators = 0;
    for (int i = 0; i < m_count; ++i)
    {
        if (IsWord(m_tokens[i].cls))
        {
            ++words;
            allYears = allYears && IsYearClass(m_tokens[i].cls);
        }
        else
        {
            ++separators;
        }
    }
    if (!allYears && words <= 2)
        return -1;
    int candidates[kMaxCandidates];
    int count = 0;
    for (int p = 1; p <= m_count - 2 && count < kMaxCandidates; ++p)
    {
        if (m_tokens[p].cls == dtcRangeSeparator && !(m_tokens[p - 1].cls & kDateEraBit) &&
            !(m_tokens[p + 1].cls & kDateEraBit))
            candidates[count++] = p;
    }
    return count == separators || count == 1 ? PickCandidate(candidates, count) : -1;
}

// Which of the candidates splits the range, when every separator is one.
int DateTokenList::PickCandidate(const int* c, int count) const
{
    switch (count)
    {
    case 1:
        return c[0];
    case 2:
        return SameText(c[0], c[1]) ? -1 : c[0];
    case 3:
    {
        const bool same12 = SameText(c[0], c[1]);
        const bool same23 = SameText(c[1], c[2]);
        const bool same13 = SameText(c[0], c[2]);
        if (!same12 && same23)
            return c[0];
        if (!same12 && same13)
            return c[1];
        if (same12 && !same23)
            return c[2];
        for (int k = 0; k < 3; ++k)
        {
            if (IsYearClass(m_tokens[c[k] - 1].cls))
                return c[k];
        }
        return -1;
    }
    case 5:
        return c[2];
    default:
        return -1;
    }
}

void DateTokenList::Resolve(int first, int last, int leaveAlone)
{
    for (int i = first; i <= last; ++i)
    {
        const BYTE definite = m_tokens[i].cls;
        if (!IsWord(definite) || !IsDefinite(definite))
            continue;
        for (int j = first; j <= last; ++j)
        {
            const BYTE cls = m_tokens[j].cls;
            if (j != i && IsWord(cls) && cls != definite && (cls & definite & 0x3F) != 0)
                m_tokens[j].cls = static_cast<BYTE>((cls ^ definite) | dtcWord);
        }
    }
    bool hasYear = false;
    bool hasMonth = false;
    for (int i = first; i <= last; ++i)
    {
        hasYear = hasYear || IsYearClass(m_tokens[i].cls);
        hasMonth = hasMonth || m_tokens[i].cls == dtcMonth;
    }
    for (int i = first; i <= last; ++i)
    {
        BYTE& cls = m_tokens[i].cls;
        if (!IsWord(cls) || IsDefinite(cls) || i == leaveAlone)
            continue;
        if (!hasYear && (cls & kDateYearBit))
        {
            cls = static_cast<BYTE>(cls & dtcYearWithEra);
            hasYear = true;
        }
        else if (!hasMonth && (cls & kDateMonthBit))
        {
            cls = dtcMonth;
            hasMonth = true;
        }
        else if (cls & kDateDayBit)
        {
            cls = dtcDay;
        }
    }
}

void DateTokenList::ResolveAll(int split)
{
    if (split < 0)
    {
        Resolve(0, m_count - 1, -1);
        return;
    }
    const bool leaveNone = m_count == 11;
    Resolve(0, split - 1, leaveNone ? -1 : split - 1);
    Resolve(split + 1, m_count - 1, leaveNone ? -1 : split + 1);
    if (m_count <= 10)
        AlignNeighbours(split);
}

namespace
{
// The role that `other` takes beside a definite neighbour.
BYTE TakeRole(BYTE definite, BYTE other)
{
    if (other & definite & kDateRoleBits)
        return static_cast<BYTE>(dtcWord | (definite & kDateRoleBits) | (other & kDateEraBit));
    if (other & kDateMonthBit)
        return dtcMonth;
    if (other & kDateDayBit)
        return dtcDay;
    return other;
}
} // namespace

void DateTokenList::AlignNeighbours(int split)
{
    BYTE& before = m_tokens[split - 1].cls;
    BYTE& after = m_tokens[split + 1].cls;
    if (IsDefinite(before) && !IsDefinite(after))
        after = TakeRole(before, after);
    else if (IsDefinite(after) && !IsDefinite(before))
        before = TakeRole(after, before);
}
