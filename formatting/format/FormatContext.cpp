#include "formatting/format/FormatContext.h"

#include "database/text/AuthorList.h"
#include "database/text/StyledTextSink.h"

FormatContext::FormatContext()
    : fieldSet(FieldSet::kAllFields), startNumber(1), currentNumber(1), writer(nullptr),
      styleDocument(nullptr), journalList(nullptr), sink(nullptr), previousAuthors(nullptr),
      atEntryStart(TRUE), minAuthors(0), yearSuffix(0), suppressNumberLabel(0), useSubsequentFormat(0),
      suppressAuthor(0), pendingGroupTexts(10), alternateTextLoaded(0), alternateText(10), skipTitleField(-1),
      movedTitleElement(nullptr), repeatingHeading(0), showTermCount(0), showRecordIds(0),
      recordIdsOnNextLine(0), recycleNumbers(0)
{
}

FormatContext::~FormatContext()
{
    DeletePendingGroupTexts();
    delete sink;
    delete previousAuthors;
}

void FormatContext::WritePendingGroupTexts()
{
    while (!pendingGroupTexts.IsEmpty()) {
        StyledString* text = pendingGroupTexts.RemoveHead();
        if (sink != nullptr)
            sink->Append(*text);
        delete text;
    }
}

void FormatContext::DeletePendingGroupTexts()
{
    while (!pendingGroupTexts.IsEmpty())
        delete pendingGroupTexts.RemoveHead();
}

StyledString FormatContext::SubstituteAlternate(const StyledString& text) const
{
    return SubstituteAlternateText(text, alternateTextLoaded, alternateText);
}
