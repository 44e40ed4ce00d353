#include "formatting/format/DateElement.h"

#include "database/db/DBRecord.h"
#include "database/text/DateValue.h"
#include "database/text/StyledTextSink.h"
#include "database/text/WorkformInfo.h"
#include "database/text/WorkformTable.h"
#include "formatting/format/FormatContext.h"
#include "formatting/format/FormatYear.h"
#include "formatting/format/ToRoman.h"
#include "formatting/style/DateFormatPage.h"

#include <stdio.h>
#include <string.h>

namespace {
const BYTE kReprintStatusField = 12;

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kSeasonNames[] = {"Spring", "Summer", "Fall", "Winter", "Autumn"};

CString MonthText(int month, int monthFormat, BOOL pad)
{
    if (month >= 13)
        return kSeasonNames[(month - 13) % 5];
    const char* name = kMonthNames[month - 1];
    char text[16];
    switch (monthFormat) {
    case kMonthFull:
        return name;
    case kMonthAbbreviated: {
        // June, July and September keep four letters; May, June and July no period.
        const int letters = month == 6 || month == 7 || month == 9 ? 4 : 3;
        CString abbreviated = CString(name).Left(letters);
        if (month != 5 && month != 6 && month != 7)
            abbreviated += ".";
        return abbreviated;
    }
    case kMonthThreeLetters:
        return CString(name).Left(3);
    case kMonthNumeric:
        snprintf(text, sizeof text, pad ? "%02d" : "%d", month);
        return text;
    case kMonthRoman:
        return ToRoman(month);
    default:
        return "";
    }
}

bool IsPresent(int code, const DatePart& part)
{
    switch (code) {
    case kDatePartMonth:
        return part.month != 0;
    case kDatePartDay:
        return part.day != 0;
    case kDatePartYear:
        return part.year != 0 && part.year != kYearInPress;
    case kDatePartNone:
        return false;
    default:
        return true;
    }
}

int CountAbsent(const BYTE (&codes)[3], const DatePart& part)
{
    int absent = 0;
    for (BYTE code : codes)
        absent += IsPresent(code, part) ? 0 : 1;
    return absent;
}
} // namespace

DateElement::DateElement(BYTE field_)
    : FieldElement(field_), dateFormatting(1), firstPart(kDatePartYear), secondPart(kDatePartNone),
      thirdPart(kDatePartNone), dayFormat(kDayNumeric), monthFormat(kMonthNumeric),
      yearFormat(kYearTwoDigits), padWithZeros(0)
{
}

void DateElement::SetDateFormat(const CDateFormatPage& format)
{
    dateFormatting = format.dateFormatting ? 1 : 0;
    firstPart = static_cast<BYTE>(format.firstPart);
    firstSeparator = format.firstSeparator;
    secondPart = static_cast<BYTE>(format.secondPart);
    secondSeparator = format.secondSeparator;
    thirdPart = static_cast<BYTE>(format.thirdPart);
    dayFormat = static_cast<BYTE>(format.dayFormat);
    monthFormat = static_cast<BYTE>(format.monthFormat);
    yearFormat = static_cast<BYTE>(format.yearFormat);
    padWithZeros = format.padWithZeros ? 1 : 0;
}

void DateElement::Write(FormatContext& context, const DBRecord& record)
{
    StyledString text = context.SubstituteAlternate(record.GetField(field));
    if (text.IsEmpty() || context.sink == nullptr)
        return;
    context.WritePendingGroupTexts();
    context.sink->Append(prefix);
    if (field == kReprintStatusField && IsReprintStatus(record))
        text = SplitReprintStatus(context, text);
    if (!text.IsEmpty())
        WriteDate(context, text, record);
    context.sink->Append(suffix);
    context.atEntryStart = FALSE;
}

bool DateElement::IsReprintStatus(const DBRecord& record) const
{
    const IWorkformTable& table = GetWorkformTable();
    const char* name = table.GetFieldName(record.GetWorkformId(), kReprintStatusField);
    const char* defaultName = table.GetDefault().GetFieldName(kReprintStatusField);
    return name != nullptr && defaultName != nullptr && strcmp(name, defaultName) == 0;
}

StyledString DateElement::SplitReprintStatus(FormatContext& context, const StyledString& text) const
{
    StyledString status = text;
    StyledString date;
    const int comma = text.text.Find(", ");
    const int paren = text.text.Find(" (");
    const int length = text.GetLength();
    if (comma >= 0) {
        status = text.Left(comma);
        date = text.Mid(comma + 2, length - comma - 2);
    } else if (paren >= 0 && text.text[length - 1] == ')') {
        status = text.Left(paren);
        date = text.Mid(paren + 2, length - paren - 3);
    }
    if (!status.IsEmpty()) {
        if (!date.IsEmpty())
            status = ConcatStyledText(status, ", ");
        context.sink->Write(status, &style);
    }
    return date;
}

void DateElement::WriteDate(FormatContext& context, const StyledString& text, const DBRecord&)
{
    DateValue date(0);
    date.Parse(text.text, text.GetLength());
    StyledTextSink& sink = *context.sink;
    if (text.text[0] == '=') {
        sink.Write(text.Mid(1, text.GetLength() - 1), &style);
    } else if (date.start.year == 0) {
        sink.Write(text, &style);
    } else if (date.isRange && dateFormatting) {
        WriteComponents(context, date.start);
        if (!CompareRangeEnds(date)) {
            sink.Write(StyledString("-"), &style);
            WriteComponents(context, date.end);
        }
    } else if (date.isRange || !dateFormatting) {
        sink.Write(text, &style);
    } else if (date.start.year > kDateLastYear) {
        sink.Append(text);
    } else {
        WriteComponents(context, date.start);
    }
}

void DateElement::WriteComponents(FormatContext& context, const DatePart& part) const
{
    const BYTE codes[3] = {firstPart, secondPart, thirdPart};
    const StyledString* separators[3] = {nullptr, &firstSeparator, &secondSeparator};
    bool written = false;
    for (int k = 0; k < 3; ++k) {
        if (!IsPresent(codes[k], part))
            continue;
        if (written)
            context.sink->Write(*separators[k], &style);
        WriteComponent(context, *context.sink, codes[k], part);
        written = true;
    }
}

void DateElement::WriteComponent(FormatContext& context, StyledTextSink& sink, int code,
                                 const DatePart& part) const
{
    CString text;
    char digits[16];
    switch (code) {
    case kDatePartMonth:
        if (part.month == 0)
            return;
        text = MonthText(part.month, monthFormat, padWithZeros);
        break;
    case kDatePartDay:
        if (dayFormat == kDayRoman) {
            text = ToRoman(part.day);
        } else {
            snprintf(digits, sizeof digits, padWithZeros ? "%02d" : "%d", part.day);
            text = digits;
        }
        break;
    case kDatePartYear:
        text = FormatYear(yearFormat, part, padWithZeros, context.yearSuffix);
        break;
    default:
        return;
    }
    sink.Write(StyledString(text), &style);
}

BOOL DateElement::CompareRangeEnds(const DateValue& date) const
{
    const BYTE codes[3] = {firstPart, secondPart, thirdPart};
    int years = 0;
    int months = 0;
    for (BYTE code : codes) {
        years += code == kDatePartYear ? 1 : 0;
        months += code == kDatePartMonth ? 1 : 0;
    }
    const int startAbsent = CountAbsent(codes, date.start);
    const int endAbsent = CountAbsent(codes, date.end);
    const bool sameYear = date.start.year == date.end.year;
    const bool sameMonth = date.start.month == date.end.month;
    if (startAbsent == 2 && endAbsent == 2)
        return (years == 1 && sameYear) || (months == 1 && date.start.month != 0 && sameMonth);
    if (startAbsent == 1 && endAbsent == 1)
        return years == 1 && months == 1 && sameYear && sameMonth;
    return FALSE;
}
