#include "database/text/DateValue.h"

#include "classlib/CString.h"
#include "database/sort/CharacterClasses.h"
#include "database/sort/TextSpans.h"
#include "database/text/DateTokens.h"

#include <string.h>

namespace
{
// Texts that are no date but still sort after every date, in the order of
// their years: 32767 down to 32764.
const char* const kSpecialWords[] = {"In Press", "Forthcoming", "Submitted", "Unpublished"};

// Months 13-17: spring, summer, fall, winter, autumn.
const BYTE kSeasonStartMonth[] = {3, 6, 9, 12, 9};
const BYTE kSeasonEndMonth[] = {6, 9, 12, 3, 12};
const BYTE kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsSeason(int month)
{
    return month >= 13 && month <= 17;
}

BYTE SeasonStart(int month)
{
    return kSeasonStartMonth[month - 13];
}

BYTE SeasonEnd(int month)
{
    return kSeasonEndMonth[month - 13];
}

// Winter ends in the year after the one it is named by.
bool EndsNextYear(int season)
{
    return SeasonEnd(season) < SeasonStart(season);
}

WORD NextYear(WORD year)
{
    return year != 0 && year < kDateLastYear ? static_cast<WORD>(year + 1) : year;
}

// The value of the leading digits; more than six digits read as 999999 or
// less, so that no number of digits can overflow (nor a year's scaling).
int LeadingNumber(const char* word, int length)
{
    int value = 0;
    for (int i = 0; i < length && IsDateDigit(word[i]); ++i)
        value = value < 100000 ? value * 10 + (word[i] - '0') : value;
    return value;
}

BYTE EraOf(const char* word, int length)
{
    if ((length == 1 && (word[0] == 'A' || word[0] == 'D')) || DateWordEndsWith(word, length, "AD"))
        return kEraAD;
    if ((length == 1 && (word[0] == 'B' || word[0] == 'C')) || DateWordEndsWith(word, length, "BC"))
        return kEraBC;
    return kEraNone;
}

// Reads year, letter and uncertain digits of a year token; the era is known.
void ReadYear(const char* word, int length, DatePart& part)
{
    int prefix = 0;
    if (length >= 6 && memcmp(word, "CIRCA", 5) == 0)
        prefix = 5;
    else if (length > 0 && word[0] == 'C')
        prefix = 1;
    const char* digits = word + prefix;
    const int n = length - prefix;
    // Questioned digits. The length that tells '1990?' (the year is in
    // question) from '199?' (its last digit is unknown) is that of the year
    // itself, without a circa mark: 'c199?' is the 1990s too.
    int queries = 0;
    for (int i = 0; i < n; ++i)
    {
        if (digits[i] != '?')
            continue;
        if (queries == 0)
            queries = i == n - 1 && (part.era != kEraNone || n >= 5) ? 1 : 2;
        else
            ++queries;
    }
    // A letter after the year ('1990a'); "AD" and "BC" are an era, not one.
    const char last = length > 0 ? word[length - 1] : '\0';
    const bool eraSuffix =
        length > 2 && (DateWordEndsWith(word, length, "AD") || DateWordEndsWith(word, length, "BC"));
    const BYTE letter = IsAlpha(last) && !eraSuffix ? static_cast<BYTE>(static_cast<BYTE>(last) - 64) : 0;
    int value = LeadingNumber(digits, n);
    if (queries >= 2 && queries <= 4)
        value *= queries == 2 ? 10 : (queries == 3 ? 100 : 1000);
    if (value < 100 && part.era == kEraNone)
        value += 1900;
    // A number too large for a year is none: it would wrap, or pass for one
    // of the special years.
    if (value > kDateLastYear)
        return;
    part.year = static_cast<WORD>(value);
    part.letter = letter;
    part.uncertainDigits = static_cast<BYTE>(queries < 255 ? queries : 255);
}

BYTE ReadMonth(const char* word, int length)
{
    if (const int named = DateTokenList::MonthOfName(word, length))
        return static_cast<BYTE>(named);
    const int number = LeadingNumber(word, length);
    return static_cast<BYTE>(number <= 12 ? number : 0);
}

BYTE ReadDay(const char* word, int length)
{
    const int number = LeadingNumber(word, length);
    return static_cast<BYTE>(number <= 31 ? number : 0);
}

int FindClass(const DateTokenList& tokens, int first, int last, BYTE cls)
{
    for (int i = first; i <= last; ++i)
    {
        if (tokens[i].cls == cls)
            return i;
    }
    return -1;
}

// Reads the date of tokens first..last, whose classes are resolved.
DatePart ScanDate(const DateTokenList& tokens, int first, int last, bool rangeStart)
{
    DatePart part = {};
    const int compact = FindClass(tokens, first, last, dtcCompact);
    if (compact >= 0)
    {
        const char* t = tokens.TextOf(compact);
        part.year = static_cast<WORD>(1900 + LeadingNumber(t, 2));
        part.month = ReadMonth(t + 2, 2);
        part.day = ReadDay(t + 4, 2);
        return part;
    }
    int year = -1;
    int era = -1;
    for (int i = first; i <= last; ++i)
    {
        if (year < 0 && DateTokenList::IsYearClass(tokens[i].cls))
            year = i;
        if (era < 0 && (tokens[i].cls == dtcEra || tokens[i].cls == dtcYearWithEra))
            era = i;
    }
    if (era >= 0 && (era == year || era == year - 2 || era == year + 2))
        part.era = EraOf(tokens.TextOf(era), tokens[era].length);
    if (year >= 0)
        ReadYear(tokens.TextOf(year), tokens[year].length, part);
    const int month = FindClass(tokens, first, last, dtcMonth);
    if (month >= 0)
        part.month = ReadMonth(tokens.TextOf(month), tokens[month].length);
    int day = FindClass(tokens, first, last, dtcDay);
    if (day < 0 && rangeStart && month >= 0 && year < 0)
        day = FindClass(tokens, first, last, dtcDayOrYear);
    if (day >= 0)
        part.day = ReadDay(tokens.TextOf(day), tokens[day].length);
    return part;
}

// 1 when a lies after b, by year, then month, then day.
bool IsLater(const DatePart& a, const DatePart& b)
{
    if (a.year != b.year)
        return a.year > b.year;
    if (a.month != b.month)
        return a.month > b.month;
    return a.day > b.day;
}

// r matches q; a 0 in q's letter, month or day matches anything.
bool Matches(const DatePart& r, const DatePart& q)
{
    if (r.year != q.year || (q.letter != 0 && r.letter != q.letter))
        return false;
    if (q.month == 0)
        return true;
    return r.month == q.month && (q.day == 0 || r.day == q.day);
}

// r lies before q (earlier = true) or after it, down to the parts q gives.
bool Precedes(const DatePart& r, const DatePart& q, bool earlier)
{
    if (r.year != q.year)
        return (r.year < q.year) == earlier;
    if (q.letter != 0 && r.letter != q.letter)
        return (r.letter < q.letter) == earlier;
    if (q.month == 0)
        return false;
    if (r.month != q.month)
        return (r.month < q.month) == earlier;
    return q.day != 0 && r.day != q.day && (r.day < q.day) == earlier;
}

bool IsBeforePart(const DatePart& r, const DatePart& q)
{
    return Precedes(r, q, true);
}

bool IsAfterPart(const DatePart& r, const DatePart& q)
{
    return Precedes(r, q, false);
}
} // namespace

DateValue::DateValue(int mode) : start(), end(), isRange(FALSE), mode(mode)
{
}

DateValue::DateValue(const char* text) : DateValue(1)
{
    Parse(text, text ? static_cast<int>(strlen(text)) : 0);
}

void DateValue::Clear()
{
    start = DatePart();
    end = DatePart();
    isRange = FALSE;
}

void DateValue::Parse(const char* text, int length)
{
    Clear();
    if (text == nullptr || length <= 0)
        return;
    // The text ends at a NUL within length.
    const void* nul = memchr(text, 0, static_cast<size_t>(length));
    if (nul != nullptr)
        length = static_cast<int>(static_cast<const char*>(nul) - text);
    // Blanks, tabs and line breaks around a date are not part of it: ' 1990'
    // is dated like '1990'.
    const CString copy(text, length);
    TextSpan span;
    GetTrimmedSpan(span, copy);
    const char* date = copy.GetString() + span.start;
    const int dateLength = span.end - span.start;
    if (dateLength == 0 || ParseSpecialWord(date, dateLength))
        return;
    DateTokenList tokens;
    tokens.Read(date, dateLength);
    const int last = tokens.GetCount() - 1;
    const int split = tokens.FindRangeSplit();
    tokens.ResolveAll(split);
    if (split < 0)
    {
        start = ScanDate(tokens, 0, last, false);
        FinishDate(tokens[last].cls == dtcRangeSeparator);
        return;
    }
    start = ScanDate(tokens, 0, split - 1, true);
    end = ScanDate(tokens, split + 1, last, false);
    FinishRange();
}

bool DateValue::ParseSpecialWord(const char* text, int length)
{
    const CString word(text, length);
    for (int i = 0; i < 4; ++i)
    {
        if (word.CompareNoCase(kSpecialWords[i]) == 0)
        {
            start.year = end.year = static_cast<WORD>(kYearInPress - i);
            return true;
        }
    }
    return false;
}

void DateValue::FinishDate(bool endsInRangeSeparator)
{
    if (IsSeason(start.month) && mode == 1)
    {
        const int season = start.month;
        end = DatePart();
        end.month = SeasonEnd(season);
        end.year = EndsNextYear(season) ? NextYear(start.year) : start.year;
        start.month = SeasonStart(season);
        isRange = TRUE;
    }
    else
    {
        end = start;
    }
    if (endsInRangeSeparator)
    {
        // '1990-': open to the end. The open end is no date of an era.
        isRange = TRUE;
        end = DatePart();
        end.year = kYearOpenEnd;
    }
}

void DateValue::FinishRange()
{
    isRange = TRUE;
    const bool season = IsSeason(start.month) || IsSeason(end.month);
    const bool nextYear = season && mode == 1 && ApplySeasons();
    CopyMissingYear();
    if (nextYear)
        end.year = NextYear(end.year);
    if (start.month == 0)
        start.month = end.month;
    else if (end.month == 0)
        end.month = start.month;
    if (!season)
    {
        if (start.day == 0)
            start.day = end.day;
        else if (end.day == 0)
            end.day = start.day;
    }
    // 'Dec 1990 - Jan' ends in the next year. Without any year there is no
    // next year to move to.
    if (start.year != 0 && start.year == end.year && end.month < start.month)
        end.year = NextYear(start.year);
    if (!season && end.day == 0 && end.month >= 1 && end.month <= 12)
        end.day = kDaysInMonth[end.month - 1];
    if (IsLater(start, end))
    {
        isRange = FALSE;
        end = DatePart();
    }
}

// Seasons of a range become months. TRUE when the end is the March that ends
// a winter named with the end's year ('Fall - Winter 1990', 'Winter 1990 -
// Winter'): that March lies in the next year. A year of its own after a
// winter is where it ends: 'Winter 1990-1991' ends in March 1991, and so does
// 'Winter 1990 - March 1991'.
bool DateValue::ApplySeasons()
{
    bool nextYear = false;
    if (IsSeason(start.month))
    {
        if (end.month == 0)
        {
            end.month = SeasonEnd(start.month);
            nextYear = EndsNextYear(start.month) && end.year == 0;
        }
        start.month = SeasonStart(start.month);
    }
    if (IsSeason(end.month))
    {
        nextYear = EndsNextYear(end.month);
        end.month = SeasonEnd(end.month);
    }
    return nextYear;
}

// A year written on one side only is the other side's year too, era and all.
void DateValue::CopyMissingYear()
{
    if (start.year == 0 && end.year != 0)
    {
        start.year = end.year;
        start.era = end.era;
    }
    else if (end.year == 0 && start.year != 0)
    {
        end.year = start.year;
        end.era = start.era;
    }
}

BOOL DateValue::Equals(const DateValue& query) const
{
    const DatePart& q = query.start;
    if (!isRange && !query.isRange)
        return Matches(start, q);
    if (!isRange)
        return (IsAfterPart(start, q) || Matches(start, q)) &&
               (IsBeforePart(start, query.end) || Matches(start, query.end));
    if (!query.isRange)
        return (IsBeforePart(start, q) || Matches(start, q)) && (IsAfterPart(end, q) || Matches(end, q));
    return !IsAfterPart(start, query.end) && !IsBeforePart(end, q);
}

BOOL DateValue::IsBefore(const DateValue& query) const
{
    return IsBeforePart(start, query.start);
}

BOOL DateValue::IsBeforeOrEqual(const DateValue& query) const
{
    return IsBeforePart(start, query.start) || Matches(start, query.start);
}

BOOL DateValue::IsAfter(const DateValue& query) const
{
    return IsAfterPart(isRange ? end : start, query.isRange ? query.end : query.start);
}

BOOL DateValue::IsAfterOrEqual(const DateValue& query) const
{
    const DatePart& r = isRange ? end : start;
    const DatePart& q = query.isRange ? query.end : query.start;
    return IsAfterPart(r, q) || Matches(r, q);
}

DWORD GetDateNumber(const DatePart& part)
{
    const DWORD era = part.era == kEraBC ? 0 : 0x80000000u;
    return era | (static_cast<DWORD>(part.year & 0x7FFF) << 16) |
           (static_cast<DWORD>(part.letter & 0x0F) << 12) | (static_cast<DWORD>(part.month & 0x0F) << 8) | part.day;
}
