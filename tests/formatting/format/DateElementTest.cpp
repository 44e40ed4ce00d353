#include "ElementRun.h"
#include "database/text/DateValue.h"
#include "formatting/format/DateElement.h"
#include "formatting/format/FormatYear.h"
#include "formatting/format/ToRoman.h"
#include "formatting/style/DateFormatPage.h"

#include <gtest/gtest.h>

namespace {
const BYTE kDateField = 20;
const BYTE kReprintField = 12;

// Month, Day, Year with " " and ", " (the American long date).
CDateFormatPage MonthDayYear(int monthFormat)
{
    CDateFormatPage format;
    format.firstPart = kDatePartMonth;
    format.firstSeparator = StyledString(" ");
    format.secondPart = kDatePartDay;
    format.secondSeparator = StyledString(", ");
    format.thirdPart = kDatePartYear;
    format.monthFormat = monthFormat;
    format.yearFormat = kYearFourDigits;
    return format;
}

CDateFormatPage YearOnly(int yearFormat, BOOL pad = FALSE)
{
    CDateFormatPage format;
    format.firstPart = kDatePartYear;
    format.secondPart = kDatePartNone;
    format.thirdPart = kDatePartNone;
    format.yearFormat = yearFormat;
    format.padWithZeros = pad;
    return format;
}

CDateFormatPage MonthYear()
{
    CDateFormatPage format = MonthDayYear(kMonthFull);
    format.secondPart = kDatePartYear;
    format.thirdPart = kDatePartNone;
    return format;
}

std::string FormatDate(const char* text, const CDateFormatPage& format, BYTE field = kDateField,
                       int yearSuffix = 0)
{
    DateElement element(field);
    element.SetDateFormat(format);
    ElementRun run;
    run.context.yearSuffix = yearSuffix;
    run.Set(field, text);
    return run.Write(element);
}
} // namespace

TEST(DateElement, MonthForms)
{
    struct Case
    {
        const char* date;
        int monthFormat;
        BOOL pad;
        const char* written;
    } cases[] = {
        {"12 May 1990", kMonthFull, FALSE, "May 12, 1990"},
        {"12 May 1990", kMonthAbbreviated, FALSE, "May 12, 1990"},
        {"3 September 1990", kMonthFull, FALSE, "September 3, 1990"},
        {"3 September 1990", kMonthAbbreviated, FALSE, "Sept. 3, 1990"},
        {"3 September 1990", kMonthThreeLetters, FALSE, "Sep 3, 1990"},
        {"3 September 1990", kMonthNumeric, TRUE, "09 03, 1990"},
        {"3 September 1990", kMonthNumeric, FALSE, "9 3, 1990"},
        {"3 September 1990", kMonthRoman, FALSE, "IX 3, 1990"},
        {"1 June 2001", kMonthAbbreviated, FALSE, "June 1, 2001"},
        {"1 July 2001", kMonthAbbreviated, FALSE, "July 1, 2001"},
        {"1 February 2001", kMonthAbbreviated, FALSE, "Feb. 1, 2001"},
        // A component the date lacks goes with its separator.
        {"May 1990", kMonthFull, FALSE, "May, 1990"},
        {"1990", kMonthFull, FALSE, "1990"},
    };
    for (const Case& c : cases) {
        CDateFormatPage format = MonthDayYear(c.monthFormat);
        format.padWithZeros = c.pad;
        EXPECT_EQ(c.written, FormatDate(c.date, format)) << c.date << " month form " << c.monthFormat;
    }
    // Seasons whatever the month form.
    for (int monthFormat = kMonthFull; monthFormat <= kMonthRoman; ++monthFormat) {
        CDateFormatPage format = MonthYear();
        format.monthFormat = monthFormat;
        EXPECT_EQ("Spring 1990", FormatDate("Spring 1990", format)) << monthFormat;
    }
    CDateFormatPage roman = MonthDayYear(kMonthFull);
    roman.dayFormat = kDayRoman;
    EXPECT_EQ("May XII, 1990", FormatDate("12 May 1990", roman));
}

TEST(DateElement, YearForms)
{
    struct Case
    {
        const char* date;
        int yearFormat;
        BOOL pad;
        int yearSuffix;
        const char* written;
    } cases[] = {
        {"1987", kYearTwoDigits, FALSE, 0, "87"},       {"2003", kYearTwoDigits, FALSE, 0, "2003"},
        {"1905", kYearTwoDigits, TRUE, 0, "05"},        {"1905", kYearTwoDigits, FALSE, 0, "5"},
        {"1999b", kYearTwoDigits, FALSE, 0, "99b"},     {"1999", kYearTwoDigits, FALSE, 2, "99b"},
        {"1999", kYearFourDigits, FALSE, 27, "1999a1"}, {"1999", kYearFourDigits, FALSE, 53, "1999a2"},
        {"1066", kYearRoman, FALSE, 0, "MLXVI"},        {"1995", kYearRoman, FALSE, 0, "MCMXCV"},
        {"1990a", kYearFourDigits, FALSE, 0, "1990a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.written, FormatDate(c.date, YearOnly(c.yearFormat, c.pad), kDateField, c.yearSuffix))
            << c.date;
}

TEST(DateElement, YearOfUncertainAndEraDates)
{
    DatePart part = {};
    part.year = 1990;
    part.uncertainDigits = 1;
    EXPECT_STREQ("1990?", FormatYear(kYearFourDigits, part, FALSE, 0));
    EXPECT_STREQ("90?", FormatYear(kYearTwoDigits, part, FALSE, 0));
    part.uncertainDigits = 2;
    EXPECT_STREQ("199?", FormatYear(kYearTwoDigits, part, FALSE, 0));
    part.uncertainDigits = 3;
    part.letter = 2;
    EXPECT_STREQ("19??b", FormatYear(kYearFourDigits, part, FALSE, 0));
    part = {};
    part.year = 100;
    part.era = kEraBC;
    EXPECT_STREQ("100 B.C.", FormatYear(kYearTwoDigits, part, FALSE, 0));
    EXPECT_STREQ("C B.C.", FormatYear(kYearRoman, part, FALSE, 0));

    EXPECT_STREQ("", ToRoman(0));
    EXPECT_STREQ("MMMCMXCIX", ToRoman(3999));
    EXPECT_STREQ("4CDXLIV", ToRoman(4444));
    EXPECT_STREQ("MMXII", ToRoman(12012)); // digits above the thousands are ignored
}

TEST(DateElement, Ranges)
{
    EXPECT_EQ("1990-1991", FormatDate("1990-1991", YearOnly(kYearFourDigits)));
    EXPECT_EQ("1990", FormatDate("1990-1990", YearOnly(kYearFourDigits)));
    EXPECT_EQ("May 1990-June 1990", FormatDate("May 1990-June 1990", MonthYear()));
    EXPECT_EQ("May 1990", FormatDate("May 1990-May 1990", MonthYear()));
    CDateFormatPage off = MonthYear();
    off.dateFormatting = FALSE;
    EXPECT_EQ("May 1990-June 1990", FormatDate("May 1990-June 1990", off));
    EXPECT_EQ("12 May 1990", FormatDate("12 May 1990", off));
}

TEST(DateElement, TextsWrittenAsTyped)
{
    const CDateFormatPage format = MonthDayYear(kMonthFull);
    EXPECT_EQ("In Press", FormatDate("In Press", format));
    EXPECT_EQ("no date", FormatDate("no date", format));
    EXPECT_EQ("12 May 1990", FormatDate("=12 May 1990", format));
    EXPECT_EQ("", FormatDate("", format));
}

TEST(DateElement, ReprintStatusSplitsOffItsDate)
{
    const CDateFormatPage year = YearOnly(kYearFourDigits);
    EXPECT_EQ("In File, May 12, 1990",
              FormatDate("In File, 12 May 1990", MonthDayYear(kMonthFull), kReprintField));
    EXPECT_EQ("On Request, 1990", FormatDate("On Request (1990)", year, kReprintField));
    EXPECT_EQ("Not in File", FormatDate("Not in File", year, kReprintField));
}
