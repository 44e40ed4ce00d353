#include "formatting/format/JournalElement.h"

#include "database/db/DBRecord.h"
#include "database/db/ListFile.h"
#include "formatting/format/FormatContext.h"

void JournalElement::Write(FormatContext& context, const DBRecord& record)
{
    if (IsEmpty(record, context) || context.sink == nullptr)
        return;
    StyledString text = context.SubstituteAlternate(record.GetField(field));
    if (context.journalList != nullptr) {
        StyledString abbreviation;
        // An entry without an abbreviation keeps the journal's own title
        // rather than dropping the journal from the entry.
        if (context.journalList->LookupTerm(text, abbreviation) && !abbreviation.IsEmpty())
            text.Swap(abbreviation);
    }
    if (text.IsEmpty())
        return;
    WriteInTitleCase(context, text, titleCase);
}
