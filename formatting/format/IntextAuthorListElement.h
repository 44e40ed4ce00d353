// IntextAuthorListElement: an author field of an in-text citation.
//
// As the reference-list element, except: nothing is written while the
// context suppresses authors; the et-al marker counts as one author; the
// abbreviation shows abbreviateCount authors (no minimum from the context);
// there is no repeated-author handling; and the entry's start is left alone.
#pragma once

#include "formatting/format/AuthorListElement.h"

class CIntextAuthorFormatSheet;

class IntextAuthorListElement : public AuthorListElement
{
public:
    explicit IntextAuthorListElement(BYTE field) : AuthorListElement(field) {}

    BYTE GetKind() const override { return kIntextAuthorList; }
    void Write(FormatContext& context, const DBRecord& record) override;
    BOOL IsEmpty(const DBRecord& record, const FormatContext& context) const override;

    using AuthorListElement::SetAuthorFormat;
    // Every setting but the repeated-author ones, which citations never read.
    virtual void SetAuthorFormat(const CIntextAuthorFormatSheet& format);
};
