// The platform's font list, as styled-string normalisation asks it.
//
// Reading a styled string corrects character sets and face names from the
// fonts installed (see NormalizeRunFonts). Those queries need the screen's
// font list, which only the running program has: it installs them at
// start-up. Without them (tests, the native build) every lookup fails and
// names and character sets stay as stored.
#pragma once

#include "classlib/CString.h"

// TRUE with the character set of the first font of that exact face name.
typedef BOOL (*PFN_LOOKUP_FONT_CHARSET)(const char* faceName, BYTE& charSet);
// TRUE with the family name the system reports for that face in that set.
typedef BOOL (*PFN_GET_FONT_FAMILY_NAME)(const char* faceName, BYTE charSet, CString& familyName);

struct RunFontQueries
{
    PFN_LOOKUP_FONT_CHARSET lookupCharSet;   // may be null
    PFN_GET_FONT_FAMILY_NAME getFamilyName;  // may be null
};

// Installs the queries (copied); returns the previous ones. All-null
// queries switch the lookups off.
RunFontQueries SetRunFontQueries(const RunFontQueries& queries);
const RunFontQueries& GetRunFontQueries();
