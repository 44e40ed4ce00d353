#include "formatting/format/FormatElement.h"

#include "database/db/DBRecord.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/ApplyTitleCase.h"
#include "formatting/format/FormatContext.h"

#include <stdio.h>
#include <string.h>

namespace {
const char kEscape = '\\';
const char kGroupOpenMark = static_cast<char>(0xAB);
const char kGroupCloseMark = static_cast<char>(0xBB);

void AppendToSink(FormatContext& context, const StyledString& text)
{
    if (context.sink != nullptr)
        context.sink->Append(text);
}
} // namespace

StyledString UnescapeTemplateText(const StyledString& templateText)
{
    StyledString result(templateText);
    for (int i = 0; i + 1 < result.GetLength(); ++i) {
        const char next = result.text[i + 1];
        if (result.text[i] == kEscape &&
            (next == kEscape || next == kGroupOpenMark || next == kGroupCloseMark))
            result.ReplaceRange(i, i + 1, "", 0); // the escaped character moves to i and is kept
    }
    return result;
}

StyledString ConcatStyledText(const StyledString& s, const char* text)
{
    StyledString result(s);
    result.AppendText(text);
    return result;
}

void TextElement::SetText(const StyledString& templateText)
{
    text = UnescapeTemplateText(templateText);
}

void LiteralElement::Write(FormatContext& context, const DBRecord&)
{
    context.WritePendingGroupTexts();
    AppendToSink(context, text);
}

void GroupOpenElement::Write(FormatContext& context, const DBRecord&)
{
    context.pendingGroupTexts.AddTail(new StyledString(text));
}

void GroupCloseElement::Write(FormatContext& context, const DBRecord&)
{
    if (!context.pendingGroupTexts.IsEmpty()) {
        delete context.pendingGroupTexts.RemoveTail();
        return;
    }
    AppendToSink(context, text);
}

FieldElement::FieldElement(BYTE field_) : field(field_) {}

void FieldElement::Write(FormatContext& context, const DBRecord& record)
{
    if (IsEmpty(record, context) || context.sink == nullptr)
        return;
    context.WritePendingGroupTexts();
    WritePrefix(*context.sink);
    WriteData(context, record);
    WriteSuffix(*context.sink);
    if (field != 0)
        context.atEntryStart = FALSE;
}

void FieldElement::WriteInTitleCase(FormatContext& context, const StyledString& text, int titleCase)
{
    context.WritePendingGroupTexts();
    context.sink->Append(prefix);
    ApplyTitleCase(context, text, titleCase, style);
    context.sink->Append(suffix);
    context.atEntryStart = FALSE;
}

BOOL FieldElement::IsEmpty(const DBRecord& record, const FormatContext&) const
{
    if (field == 0)
        return FALSE;
    return record.GetField(field).IsEmpty() ? TRUE : FALSE;
}

BOOL FieldElement::IsSelected(const FormatContext& context) const
{
    return context.fieldSet.Contains(field) ? TRUE : FALSE;
}

void FieldElement::WritePrefix(StyledTextSink& sink)
{
    sink.Append(prefix);
}

void FieldElement::WriteData(FormatContext& context, const DBRecord& record)
{
    if (field == 0)
        context.sink->Write(StyledString(record.GetRecordIdText()), &style);
    else
        context.sink->Write(context.SubstituteAlternate(record.GetField(field)), &style);
}

void FieldElement::WriteSuffix(StyledTextSink& sink)
{
    sink.Append(suffix);
}

void FieldElement::SetPrefix(const StyledString& templateText)
{
    prefix = UnescapeTemplateText(templateText);
}

void FieldElement::SetSuffix(const StyledString& templateText)
{
    suffix = UnescapeTemplateText(templateText);
}

void CitationNumberElement::Write(FormatContext& context, const DBRecord&)
{
    if (context.sink == nullptr)
        return;
    char digits[16];
    snprintf(digits, sizeof digits, "%d", static_cast<int>(context.currentNumber));
    context.WritePendingGroupTexts();
    context.sink->Append(prefix);
    context.sink->Write(StyledString(digits), &style);
    context.sink->Append(suffix);
}
