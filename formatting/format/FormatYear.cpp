#include "formatting/format/FormatYear.h"

#include "database/text/DateValue.h"
#include "formatting/format/ToRoman.h"
#include "formatting/style/DateFormatPage.h"

#include <stdio.h>

namespace {
bool ShowsTwoDigits(const DatePart& part)
{
    return part.era == kEraNone && part.uncertainDigits < 2 && part.year >= 1900 && part.year <= 1999;
}

// Replaces the last (uncertainDigits - 1) digits by "?", or appends one "?"
// for a year in question as a whole.
void MarkUncertainDigits(CString& digits, int uncertainDigits)
{
    if (uncertainDigits == 1) {
        digits += "?";
        return;
    }
    if (uncertainDigits < 2 || uncertainDigits > 4)
        return;
    const int hidden = uncertainDigits - 1;
    const int keep = digits.GetLength() > hidden ? digits.GetLength() - hidden : 0;
    CString marked = digits.Left(keep);
    for (int i = keep; i < digits.GetLength(); ++i)
        marked += "?";
    digits = marked;
}

void AppendYearSuffix(CString& text, int yearSuffix)
{
    if (yearSuffix <= 0)
        return;
    text += static_cast<char>('a' + (yearSuffix - 1) % 26);
    if (yearSuffix > 26) {
        char number[16];
        snprintf(number, sizeof number, "%d", yearSuffix / 26);
        text += number;
    }
}
} // namespace

CString FormatYear(int yearFormat, const DatePart& part, BOOL padWithZeros, int yearSuffix)
{
    CString text;
    if (yearFormat == kYearRoman) {
        text = ToRoman(part.year);
    } else {
        char digits[16];
        if (yearFormat == kYearTwoDigits && ShowsTwoDigits(part))
            snprintf(digits, sizeof digits, padWithZeros ? "%02d" : "%d", part.year - 1900);
        else
            snprintf(digits, sizeof digits, "%d", part.year);
        text = digits;
        MarkUncertainDigits(text, part.uncertainDigits);
        if (part.letter >= 1 && part.letter <= 26)
            text += static_cast<char>('a' + part.letter - 1);
    }
    AppendYearSuffix(text, yearSuffix);
    if (part.era == kEraAD)
        text += " A.D.";
    else if (part.era == kEraBC)
        text += " B.C.";
    return text;
}
