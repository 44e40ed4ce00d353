#include "formatting/format/IntextAuthorListElement.h"

#include "database/db/DBRecord.h"
#include "database/text/AuthorList.h"
#include "formatting/format/FormatContext.h"
#include "formatting/style/AuthorFormatSheet.h"

void IntextAuthorListElement::SetAuthorFormat(const CIntextAuthorFormatSheet& format)
{
    CopyCommonSettings(format);
}

BOOL IntextAuthorListElement::IsEmpty(const DBRecord& record, const FormatContext&) const
{
    if (!record.GetField(field).IsEmpty())
        return FALSE;
    return IsEmptyField(record) ? TRUE : FALSE;
}

void IntextAuthorListElement::Write(FormatContext& context, const DBRecord& record)
{
    if (context.sink == nullptr)
        return;
    bool substituted = false;
    const StyledString text = GetAuthorText(context, record, substituted);
    if (text.IsEmpty() || context.suppressAuthor)
        return;
    if (substituted) {
        WriteSubstitute(context, text);
        return;
    }
    AuthorList list;
    list.Parse(text);
    const int count = static_cast<int>(list.GetSize());
    if (count == 0)
        return;
    const int shown = static_cast<int>(abbreviateCount);
    const bool abbreviated = !listAll && count >= static_cast<int>(abbreviateThreshold) && shown < count;
    if (abbreviated && shown == 0)
        return;
    WriteNames(context, list, count, abbreviated, shown);
}
