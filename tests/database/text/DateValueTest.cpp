#include "database/text/DateValue.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

namespace
{
// 'year/month/day', then ' L' letter, ' ?' uncertain digits, ' E' era when set.
std::string Describe(const DatePart& p)
{
    char text[64];
    snprintf(text, sizeof text, "%u/%u/%u", p.year, p.month, p.day);
    std::string s = text;
    if (p.letter)
        s += " L" + std::to_string(p.letter);
    if (p.uncertainDigits)
        s += " ?" + std::to_string(p.uncertainDigits);
    if (p.era)
        s += " E" + std::to_string(p.era);
    return s;
}

bool SameParts(const DatePart& a, const DatePart& b)
{
    return memcmp(&a, &b, sizeof a) == 0;
}

// A range as 'start - end'; a single date as its start, followed by
// ' | end' when the end differs (a dropped range).
std::string Describe(const DateValue& v)
{
    if (v.isRange)
        return Describe(v.start) + " - " + Describe(v.end);
    return SameParts(v.start, v.end) ? Describe(v.start) : Describe(v.start) + " | " + Describe(v.end);
}

// The sortable form: the start's date number, then the end's for a range.
std::string SortForm(const DateValue& v)
{
    char text[32];
    snprintf(text, sizeof text, "%08X", static_cast<unsigned>(GetDateNumber(v.start)));
    std::string s = text;
    if (v.isRange)
    {
        snprintf(text, sizeof text, "%08X", static_cast<unsigned>(GetDateNumber(v.end)));
        s += text;
    }
    return s;
}

DateValue Parsed(const char* text, int mode = 1)
{
    DateValue v(mode);
    v.Parse(text, static_cast<int>(strlen(text)));
    return v;
}
} // namespace

TEST(DateValueTest, TextsReadAsDates)
{
    const struct
    {
        const char* text;
        const char* date;
        const char* sortForm;
    } cases[] = {
        {"12 May 1990", "1990/5/12", "87C6050C"},
        {"May 12, 1990", "1990/5/12", "87C6050C"},
        {"12th May 1990", "1990/5/12", "87C6050C"},
        {"5/12/90", "1990/5/12", "87C6050C"}, // the first free number is the month
        {"901205", "1990/12/5", "87C60C05"},
        {"90", "1990/0/0", "87C60000"},
        {"Sept. 1990", "1990/9/0", "87C60900"},
        {"III 1990", "1990/3/0", "87C60300"},
        {"May-1990", "1990/5/0", "87C60500"}, // two words, not both years: one date
        {"1990-1991", "1990/0/0 - 1991/0/0", "87C6000087C70000"},
        {"1990/1991", "1990/0/0 - 1991/0/0", "87C6000087C70000"},
        {"1990 - 1991", "1990/0/0 - 1991/0/0", "87C6000087C70000"},
        {"1990-", "1990/0/0 - 32767/0/0", "87C60000FFFF0000"},
        {"May 15 - 20, 1990", "1990/5/15 - 1990/5/20", "87C6050F87C60514"},
        {"5 - 6 May 1990", "1990/5/5 - 1990/5/6", "87C6050587C60506"},
        {"Dec 1990 - Jan", "1990/12/0 - 1991/1/31", "87C60C0087C7011F"},
        {"June 1990 - May", "1990/6/0 - 1991/5/31", "87C6060087C7051F"},
        {"Spring 1990", "1990/3/0 - 1990/6/0", "87C6030087C60600"},
        {"Winter 1990", "1990/12/0 - 1991/3/0", "87C60C0087C70300"},
        {"Fall - Winter 1990", "1990/9/0 - 1991/3/0", "87C6090087C70300"},
        {"1991-1990", "1991/0/0 | 0/0/0", "87C70000"}, // start after end: no range
        {"199?", "1990/0/0 ?2", "87C60000"},
        {"1990?", "1990/0/0 ?1", "87C60000"},
        {"19??", "1900/0/0 ?3", "876C0000"},
        {"100 BC", "100/0/0 E2", "00640000"},
        {"44 B.C.", "44/0/0 E2", "002C0000"},
        {"AD 50", "50/0/0 E1", "80320000"},
        {"1990 A.D.", "1990/0/0 E1", "87C60000"},
        {"c1850", "1850/0/0", "873A0000"},
        {"circa1850", "1850/0/0", "873A0000"},
        {"c1850?", "1850/0/0 ?1", "873A0000"},
        {"1990a", "1990/0/0 L1", "87C61000"},
        {"in press", "32767/0/0", "FFFF0000"},
        {"Forthcoming", "32766/0/0", "FFFE0000"},
        {"SUBMITTED", "32765/0/0", "FFFD0000"},
        {"Unpublished", "32764/0/0", "FFFC0000"},
        {"32763", "32763/0/0", "FFFB0000"},
        {"-1990", "0/0/0", "80000000"}, // a date never starts with a separator
        {"no date", "0/0/0", "80000000"},
        {"", "0/0/0", "80000000"},
    };
    for (const auto& c : cases)
    {
        const DateValue v = Parsed(c.text);
        EXPECT_EQ(c.date, Describe(v)) << c.text;
        EXPECT_EQ(c.sortForm, SortForm(v)) << c.text;
    }
}

// Texts that a simpler reading gets wrong: blanks around the date, marks
// that look like years, years too large to hold, seasons in ranges.
TEST(DateValueTest, TrickyTextsReadSoundly)
{
    const struct
    {
        const char* text;
        const char* date;
    } cases[] = {
        // Blanks and line breaks around a date: dated, indexed and sorted.
        {" 1990", "1990/0/0"},
        {"\t 12 May 1990 \r\n", "1990/5/12"},
        {"  in press ", "32767/0/0"},
        // "ca." is a circa mark, not the year 1900a.
        {"ca. 1850", "1850/0/0"},
        // An era written onto the year is no year letter.
        {"100BC", "100/0/0 E2"},
        {"50AD", "50/0/0 E1"},
        // A circa mark does not count towards the length of the year.
        {"c199?", "1990/0/0 ?2"},
        // A dash with blanks after it splits a range as one with blanks before.
        {"1990- 1991", "1990/0/0 - 1991/0/0"},
        // A winter's March lies in the next year only when the year is the
        // winter's own.
        {"Winter 1990-1991", "1990/12/0 - 1991/3/0"},
        {"Winter 1990-91", "1990/12/0 - 1991/3/0"},
        {"Winter 1990 - March 1991", "1990/12/0 - 1991/3/0"},
        {"Winter 1990 - Winter", "1990/12/0 - 1991/3/0"},
        // The open end is no BC date; a copied year keeps its era.
        {"100 BC -", "100/0/0 E2 - 32767/0/0"},
        {"1 - 15 March 44 BC", "44/3/1 E2 - 44/3/15 E2"},
        // Years that do not fit: no year, rather than a wrapped or special one.
        {"99999", "0/0/0"},
        {"40000", "0/0/0"},
        {"12345678901234567890A", "0/0/0"},
        {"9999??", "0/0/0"},
        // Without any year, no year 1 is made up for the end.
        {"Dec 5 - Jan 3", "0/12/5 | 0/0/0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.date, Describe(Parsed(c.text))) << c.text;
}

TEST(DateValueTest, SeasonsStayWithModeZero)
{
    EXPECT_EQ("1990/16/0", Describe(Parsed("Winter 1990", 0)));
    EXPECT_EQ("1990/13/0", Describe(Parsed("spring 1990", 0)));
    EXPECT_EQ("1990/15/0 - 1990/16/0", Describe(Parsed("Fall-Winter 1990", 0)));
    EXPECT_EQ("1990/12/0 - 1991/3/0", Describe(Parsed("Winter 1990", 1)));
}

TEST(DateValueTest, ParseReplacesTheValueAndStopsAtLengthOrNul)
{
    DateValue v(1);
    v.Parse("1990-1991", 9);
    v.Parse("1990-1991", 4);
    EXPECT_EQ("1990/0/0", Describe(v));
    v.Parse("1990\0-1991", 10);
    EXPECT_EQ("1990/0/0", Describe(v));
    v.Parse(nullptr, 5);
    EXPECT_EQ("0/0/0", Describe(v));
    EXPECT_EQ(1, DateValue("Winter 1990").mode);
    EXPECT_TRUE(DateValue("Winter 1990").isRange);
}

TEST(DateValueTest, SearchComparisons)
{
    const struct
    {
        const char* record;
        const char* query;
        bool equals, before, beforeOrEqual, after, afterOrEqual;
    } cases[] = {
        {"5 June 1990", "10 May 1990", false, false, false, true, true},
        {"May 1990", "1990", true, false, true, false, true},
        {"1990", "May 1990", false, true, true, false, false},
        {"10 May 1990", "10 May 1990", true, false, true, false, true},
        {"1994b", "1994a", false, false, false, true, true},
        {"1994b", "1994", true, false, true, false, true},
        {"1992", "1990-1995", true, false, false, false, false},
        {"1996", "1990-1995", false, false, false, true, true},
        {"1990-1995", "1992", true, true, true, true, true},
        {"1990-1995", "1989", false, false, false, true, true},
        {"1990-1992", "1992-1994", true, true, true, false, false},
        {"1990-1991", "1992-1994", false, true, true, false, false},
        {"1990-", "2000", true, true, true, true, true},
        {"in press", "2000", false, false, false, true, true},
    };
    for (const auto& c : cases)
    {
        const DateValue r = Parsed(c.record);
        const DateValue q = Parsed(c.query);
        EXPECT_EQ(c.equals, r.Equals(q) != FALSE) << c.record << " = " << c.query;
        EXPECT_EQ(c.before, r.IsBefore(q) != FALSE) << c.record << " < " << c.query;
        EXPECT_EQ(c.beforeOrEqual, r.IsBeforeOrEqual(q) != FALSE) << c.record << " <= " << c.query;
        EXPECT_EQ(c.after, r.IsAfter(q) != FALSE) << c.record << " > " << c.query;
        EXPECT_EQ(c.afterOrEqual, r.IsAfterOrEqual(q) != FALSE) << c.record << " >= " << c.query;
    }
}

TEST(DateValueTest, DateNumbersSortInDateOrder)
{
    const char* ordered[] = {"44 BC", "AD 50", "1994", "March 1994", "12 March 1994",
                             "1994b", "1995",   "Unpublished", "Submitted", "Forthcoming", "In Press"};
    for (size_t i = 1; i < sizeof ordered / sizeof ordered[0]; ++i)
        EXPECT_LT(GetDateNumber(Parsed(ordered[i - 1]).start), GetDateNumber(Parsed(ordered[i]).start))
            << ordered[i - 1] << " before " << ordered[i];
}
