// KeywordElement: the keywords field re-joined with the style's keyword
// separator. Keywords are separated by "/" or line breaks; empty ones (from
// leading, trailing or doubled separators) are dropped.
#pragma once

#include "formatting/format/FormatElement.h"

class KeywordElement : public FieldElement
{
public:
    enum
    {
        kKeywordField = 45
    };

    KeywordElement() : FieldElement(kKeywordField), keywordSeparator("/") {}

    BYTE GetKind() const override { return kKeyword; }
    void Write(FormatContext& context, const DBRecord& record) override;

    StyledString keywordSeparator;
};

// The keywords of text, each with its runs, joined by separator.
StyledString JoinKeywords(const StyledString& text, const StyledString& separator);
