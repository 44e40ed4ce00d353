#include "formatting/format/FormattedRecord.h"

#include "bibliography/core/StyledTextWriter.h"
#include "database/db/DBRecord.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/AuthorListElement.h"
#include "formatting/format/FormatContext.h"

namespace {
const signed char kNoSkip = -1;

} // namespace

CFormattedRecord::~CFormattedRecord()
{
    for (INT_PTR i = 0; i < elements.GetSize(); ++i)
        delete elements[i];
    elements.RemoveAll();
}

void CFormattedRecord::Add(FormatElement* element)
{
    elements.Add(element);
}

void CFormattedRecord::WriteRepeatingHeading(FormatContext& context, const DBRecord& record)
{
    StyledTextWriter* writer = context.writer;
    StyledTextSink& sink = *context.sink;
    if (writer != nullptr) {
        ParagraphFormat& paragraph = writer->paragraphFormat;
        paragraph.leftIndent = paragraph.rightIndent = paragraph.firstLineIndent = 0;
        paragraph.alignment = paragraph.lineSpacing = paragraph.spaceAfter = 0;
    }
    sink.Write(context.headingLeadingText, nullptr);
    sink.Write(context.headingTerm, &context.headingStyle);
    if (context.showTermCount) {
        sink.Write(StyledString("   "), nullptr);
        sink.Write(StyledString("(1)"), &context.termCountStyle);
    }
    if (context.showRecordIds) {
        sink.Write(StyledString(context.recordIdsOnNextLine == 1 ? "\r" : "   "), nullptr);
        sink.Write(StyledString(record.GetRecordIdText()), &context.recordIdStyle);
    }
    sink.Write(context.headingTrailingText, nullptr);
    if (context.recycleNumbers)
        context.currentNumber = static_cast<int32_t>(context.startNumber);
    if (writer != nullptr)
        writer->paragraphFormat = writer->pageLayout.defaultParagraphFormat;
}

void CFormattedRecord::Write(FormatContext& context, const DBRecord& record)
{
    if (context.repeatingHeading && context.sink != nullptr)
        WriteRepeatingHeading(context, record);
    context.numberLabel.Write(context, record);
    const int count = GetSize();
    for (int i = 0; i < count; ++i) {
        FormatElement* element = elements[i];
        if (!element->IsSelected(context) || element->IsEmpty(record, context))
            continue;
        if (element->GetKind() == FormatElement::kAuthorList) {
            context.skipTitleField = kNoSkip;
            context.movedTitleElement = nullptr;
            if (record.GetField(element->GetField()).IsEmpty()) {
                const int titleField = GetCorrespondingTitleField(element->GetField());
                for (int j = i; titleField != 0 && j < count; ++j) {
                    if (elements[j]->GetKind() == FormatElement::kTitle &&
                        elements[j]->GetField() == titleField) {
                        context.skipTitleField = static_cast<signed char>(titleField);
                        context.movedTitleElement = elements[j];
                        break;
                    }
                }
            }
            element->Write(context, record);
        } else if (context.skipTitleField == kNoSkip) {
            element->Write(context, record);
        } else if (element->GetField() == static_cast<BYTE>(context.skipTitleField)) {
            context.skipTitleField = kNoSkip;
        } else {
            element->Write(context, record);
        }
    }
    // A group left open by its template must not carry its texts into the next entry.
    context.DeletePendingGroupTexts();
    if (context.sink != nullptr)
        context.sink->Flush();
    context.skipTitleField = kNoSkip;
    context.movedTitleElement = nullptr;
    context.currentNumber += 1;
}
