// JournalElement: the journal title, replaced by its abbreviation when the
// context's journal list holds it (an entry with an empty abbreviation keeps
// the title), then written in the style's title case.
#pragma once

#include "formatting/format/FormatElement.h"

class JournalElement : public FieldElement
{
public:
    enum
    {
        kJournalField = 10
    };

    JournalElement() : FieldElement(kJournalField), titleCase(0) {}

    BYTE GetKind() const override { return kJournal; }
    void Write(FormatContext& context, const DBRecord& record) override;

    BYTE titleCase; // TitleCase
};
