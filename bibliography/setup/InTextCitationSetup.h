// InTextCitationSetup: the punctuation and order of in-text citations (the
// In-text Citations page; an output style's and a copy-formatted setup's).
//
// Stored form: u16 schema 0, u16 version 0; i32 sorted-by; i32 reserved;
// left delimiter, right delimiter, citation separator (styled strings);
// i32 use number ranges; range separator.
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"

class InTextCitationSetup : public CObject
{
public:
    InTextCitationSetup();
    InTextCitationSetup(const InTextCitationSetup& other);
    InTextCitationSetup& operator=(const InTextCitationSetup& other);
    ~InTextCitationSetup() override;

    void Serialize(CArchive& ar) override;

    int sortedBy; // 0 citation order, 1 author/date, 2 date ascending, 3 date descending
    int reserved;
    StyledString leftDelimiter;     // "("
    StyledString rightDelimiter;    // ")"
    StyledString citationSeparator; // ";"
    int useNumberRanges;            // 1
    StyledString rangeSeparator;    // "-"
};
