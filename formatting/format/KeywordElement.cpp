#include "formatting/format/KeywordElement.h"

#include "database/db/DBRecord.h"
#include "database/sort/TextSpan.h"
#include "database/text/StyledTextSink.h"
#include "database/text/WordScanning.h"
#include "formatting/format/FormatContext.h"

StyledString JoinKeywords(const StyledString& text, const StyledString& separator)
{
    StyledString out;
    int offset = 0;
    bool first = true;
    while (offset < text.GetLength()) {
        TextSpan span;
        GetSlashItemSpan(span, static_cast<const char*>(text.text) + offset);
        if (span.end <= span.start)
            break;
        if (!first)
            out += separator;
        out += text.Mid(offset + span.start, span.end - span.start);
        first = false;
        offset += span.end;
    }
    return out;
}

void KeywordElement::Write(FormatContext& context, const DBRecord& record)
{
    const StyledString text = context.SubstituteAlternate(record.GetField(field));
    if (text.IsEmpty() || context.sink == nullptr)
        return;
    context.WritePendingGroupTexts();
    context.sink->Append(prefix);
    context.sink->Write(JoinKeywords(text, keywordSeparator), &style);
    context.sink->Append(suffix);
    context.atEntryStart = FALSE;
}
