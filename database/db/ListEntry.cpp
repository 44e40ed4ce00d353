#include "database/db/ListEntry.h"

#include "classlib/Archive.h"
#include "database/text/StyledStringArchive.h"

void CListEntry::Serialize(CArchive& ar)
{
    for (StyledString& s : strings) {
        if (ar.IsStoring())
            WriteStyledString(ar, s);
        else
            ReadStyledString(ar, s);
    }
}

void CListEntry::Empty()
{
    for (StyledString& s : strings)
        s.Empty();
}
