// CDateFormatPage (dialog 3140 "Dates"): how a date field is composed: up to
// three components with separators, and the form of month, day and year. See
// StyleSettingsPage.h for the design.
//
// Stored form: u8 dateFormatting, u8 firstPart, styled text firstSeparator,
// u8 secondPart, styled text secondSeparator, u8 thirdPart, u8 monthFormat,
// u8 dayFormat, u8 yearFormat, u8 padWithZeros.
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/StyleSettingsPage.h"

// The components of lists 2309 to 2311, in list order.
enum DateComponent
{
    kDatePartMonth = 0,
    kDatePartDay = 1,
    kDatePartYear = 2,
    kDatePartNone = 3
};

enum MonthFormat
{
    kMonthFull = 0,         // "Full"
    kMonthAbbreviated = 1,  // "Abbr.  (Sept.)"
    kMonthThreeLetters = 2, // "3 ch., no period (Sep)"
    kMonthNumeric = 3,      // "Numeric (9)"
    kMonthRoman = 4         // "Roman (IX)"
};

enum DayFormat
{
    kDayNumeric = 0, // "Numeric (18)"
    kDayRoman = 1    // "Roman (xviii)", lower case
};

enum YearFormat
{
    kYearFourDigits = 0, // "4 digit (1995)"
    kYearTwoDigits = 1,  // "2 digit (95)"
    kYearRoman = 2       // "Roman (MCMXCV)"
};

class CDateFormatPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3140,
        kMaxText = 63
    };

    CDateFormatPage();
    void Serialize(CArchive& ar) override;

    BOOL dateFormatting;          // 1
    int firstPart;                // DateComponent, 2 (year)
    StyledString firstSeparator;  // "/"
    int secondPart;               // 3 (none)
    StyledString secondSeparator; // "/"
    int thirdPart;                // 3 (none)
    int monthFormat;              // MonthFormat, 3 (numeric)
    int dayFormat;                // DayFormat, 0 (numeric)
    int yearFormat;               // YearFormat, 1 (two digits)
    BOOL padWithZeros;            // 0
    UINT captionId;               // not stored: string ID of the page's caption, 0 for none
};
