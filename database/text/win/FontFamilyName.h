// The family name Windows reports for a face name in a character set: the
// platform half of the font queries that styled-string normalisation uses
// (RunFontQueries.h). Windows build only.
#pragma once

#include "classlib/CString.h"

// Creates a font from a logical font that is zero but for the face name and
// character set, selects it into a screen device context and takes the
// family name from its outline text metrics. FALSE when there is none.
BOOL GetFontFamilyName(const char* faceName, BYTE charSet, CString& familyName);
