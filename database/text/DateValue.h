// DateValue: a date read from the free text of a date field.
//
// Users and catalogues write dates in many ways: '12 May 1990', 'May 12,
// 1990', '5/12/90', '901205', '1990-1991', 'Spring 1990', 'c1850?', '100
// BC', "In Press". Parse reads such a text into a start date and, for a range,
// an end date. It is a fixed heuristic: special words first, then tokens and
// their classes (DateTokens), then a scan that gives year, month and day.
//
// Invariants after Parse:
// - a value that is not a range has end equal to start, except when a range
//   was dropped because its start lay after its end: end is then all 0;
// - year is 0 (none), a real year up to kDateLastYear, or one of the special
//   years above it: "In Press" 32767 down to "Unpublished" 32764; 32767 also
//   stands for the open end of a range such as '1990-';
// - month is 0 (none), 1-12, or with mode 0 a season kept as 13-17 (spring,
//   summer, fall, winter, autumn); day is 0 (none) or 1-31.
// A value whose start.year is 0 holds no date.
#pragma once

#include "classlib/Types.h"

enum DateEra : BYTE
{
    kEraNone = 0,
    kEraAD = 1,
    kEraBC = 2
};

enum : WORD
{
    kYearInPress = 32767,
    kYearForthcoming = 32766,
    kYearSubmitted = 32765,
    kYearUnpublished = 32764,
    kYearOpenEnd = 32767,
    kDateLastYear = 32763 // the last year a text can give
};

struct DatePart
{
    BYTE month;           // 1-12, a season 13-17 (mode 0), 0 = none
    BYTE day;             // 1-31, 0 = none
    WORD year;            // 0 = none
    BYTE letter;          // year letter: 'A' = 1 ('1990a'), 0 = none
    BYTE uncertainDigits; // 0 exact; 1 a trailing "?"; else 1 + digits written as "?"
    BYTE era;             // DateEra
};

class DateValue
{
public:
    // mode 1: seasons become month ranges (indexes, sorting, searching);
    // mode 0: seasons stay months 13-17 (formatting).
    explicit DateValue(int mode);
    // mode 1, then Parse of the whole text.
    explicit DateValue(const char* text);

    // Replaces the value by the date read from length bytes of text (fewer
    // at a NUL). Blanks around the date are not part of it.
    void Parse(const char* text, int length);

    // The comparisons of the search operators "=", "<", "<=", ">" and ">=":
    // this value is the record's date, query the date written in the search.
    // A 0 in the query's letter, month or day matches anything.
    BOOL Equals(const DateValue& query) const;
    BOOL IsBefore(const DateValue& query) const;
    BOOL IsBeforeOrEqual(const DateValue& query) const;
    BOOL IsAfter(const DateValue& query) const;
    BOOL IsAfterOrEqual(const DateValue& query) const;

    DatePart start;
    DatePart end;
    BOOL isRange;
    int mode;

private:
    void Clear();
    bool ParseSpecialWord(const char* text, int length);
    void FinishDate(bool endsInRangeSeparator);
    void FinishRange();
    bool ApplySeasons();
    void CopyMissingYear();
};

// The number whose unsigned order is the order of dates: bit 31 set unless
// the era is BC, bits 30-16 the year, 15-12 the low four bits of the letter,
// 11-8 the low four bits of the month, 7-0 the day. A year letter weighs more
// than month and day ('1994b' after '12 March 1994').
DWORD GetDateNumber(const DatePart& part);
