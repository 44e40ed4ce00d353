// DateElement: a date field (dates of publication and of the reprint
// status) rewritten by the style's date format.
//
// The field is parsed into a DateValue with seasons kept as seasons; up to
// three components (month, day, year) are written in the format's order,
// with its separators and forms. A component the date lacks is left out
// together with the separator before it. A range is two dates joined by "-",
// or only the start when the end shows nothing more (CompareRangeEnds). Texts
// without a year, special words ("In Press") and "="-literals are written as
// typed. The reprint-status field first splits off its status text.
#pragma once

#include "formatting/format/FormatElement.h"

class CDateFormatPage;
class DateValue;
struct DatePart;

class DateElement : public FieldElement
{
public:
    explicit DateElement(BYTE field);

    BYTE GetKind() const override { return kDate; }
    void Write(FormatContext& context, const DBRecord& record) override;

    // Copies all ten settings of the date format.
    void SetDateFormat(const CDateFormatPage& format);
    // One component (code 0 month, 1 day, 2 year) of part as one plain run.
    void WriteComponent(FormatContext& context, StyledTextSink& sink, int code, const DatePart& part) const;
    // TRUE when the end of a range is left out: it shows what the start shows.
    BOOL CompareRangeEnds(const DateValue& date) const;

    BYTE dateFormatting;
    BYTE firstPart;
    StyledString firstSeparator;
    BYTE secondPart;
    StyledString secondSeparator;
    BYTE thirdPart;
    BYTE dayFormat;
    BYTE monthFormat;
    BYTE yearFormat;
    BYTE padWithZeros;

private:
    void WriteDate(FormatContext& context, const StyledString& text, const DBRecord& record);
    void WriteComponents(FormatContext& context, const DatePart& part) const;
    // Writes the status of a reprint-status text and returns its date text.
    StyledString SplitReprintStatus(FormatContext& context, const StyledString& text) const;
    bool IsReprintStatus(const DBRecord& record) const;
};
