// Replacing every occurrence of a text inside a CString.
#pragma once

#include "classlib/CString.h"

// Replaces every occurrence of searched by replacement, left to right. The
// search resumes after each inserted replacement, so a replacement that
// contains the searched text is not searched again and the call always ends.
// An empty searched text replaces nothing. Returns the number of replacements.
int ReplaceAllText(CString& text, const char* searched, const char* replacement);
