#include "formatting/format/TitleElement.h"

#include "database/db/DBRecord.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/ApplyTitleCase.h"
#include "formatting/format/FormatContext.h"

void TitleElement::Write(FormatContext& context, const DBRecord& record)
{
    if (IsEmpty(record, context) || context.sink == nullptr)
        return;
    const StyledString text = context.SubstituteAlternate(record.GetField(field));
    if (text.IsEmpty())
        return;
    context.WritePendingGroupTexts();
    context.sink->Append(prefix);
    ApplyTitleCase(context, text, titleCase, style);
    context.sink->Append(suffix);
    context.atEntryStart = FALSE;
}
