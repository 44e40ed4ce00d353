// TitleElement: a title field written in the style's title case. A title
// moved into the author position is written by the author element in this
// element's case and style, and this element is then skipped.
#pragma once

#include "formatting/format/FormatElement.h"

class TitleElement : public FieldElement
{
public:
    explicit TitleElement(BYTE field) : FieldElement(field), titleCase(0) {}

    BYTE GetKind() const override { return kTitle; }
    void Write(FormatContext& context, const DBRecord& record) override;

    BYTE titleCase; // TitleCase
};
