// CListEntry: one entry of a term or journal list, three styled strings:
// the term and its note, or the journal's full title, its abbreviation and
// a note.
//
// Stored form (as the list file's tree keeps it): strings 0, 1 and 2, each in
// the styled string archive form; nothing else.
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"

class CListEntry : public CObject
{
public:
    enum
    {
        kStringCount = 3
    };

    void Serialize(CArchive& ar) override;
    void Empty();

    StyledString strings[kStringCount];
};
