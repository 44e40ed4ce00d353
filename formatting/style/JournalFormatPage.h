// CJournalFormatPage (dialog 3142 "Journals"): the case of the journal title
// and, while the page is shown, the journal list chosen for substitution. See
// StyleSettingsPage.h for the design; the list control itself is the window
// half's.
//
// The journal list that applies is the style's (COutputStyleDoc's
// journalListPath): the page's member only carries the choice while shown and
// is never stored.
//
// Stored form:
//   u8 skipped         (only in blocks older than version 0x0400; read and dropped)
//   u8 titleCase
//   archive string     always written empty; read and dropped
#pragma once

#include "classlib/CString.h"
#include "formatting/style/StyleSettingsPage.h"

class CJournalFormatPage : public CStyleSettingsPage
{
public:
    enum
    {
        IDD = 3142
    };

    CJournalFormatPage();
    // Reading takes the block's version from the archive (StyleFormatVersion.h).
    void Serialize(CArchive& ar) override;

    int titleCase;           // TitleCase, 0
    CString journalListPath; // empty for none
};
