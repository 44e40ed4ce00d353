#include "formatting/format/TitleElement.h"

#include "database/db/DBRecord.h"
#include "formatting/format/FormatContext.h"

void TitleElement::Write(FormatContext& context, const DBRecord& record)
{
    if (IsEmpty(record, context) || context.sink == nullptr)
        return;
    const StyledString text = context.SubstituteAlternate(record.GetField(field));
    if (text.IsEmpty())
        return;
    WriteInTitleCase(context, text, titleCase);
}
