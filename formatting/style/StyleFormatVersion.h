// The version of the output style a format block is read from.
//
// Format blocks read their older forms by the header version of the style
// document attached to the archive (CArchive::m_pDocument). A style keeps the
// old version while it is loaded and converted and takes the current one
// afterwards, so blocks kept in memory are read in the current form.
#pragma once

#include "classlib/Types.h"

class CArchive;

enum StyleVersion : WORD
{
    kStyleVersionCurrent = 0x0500,
    // From this version on every title has its own page, and the legacy
    // in-text block has its sort byte only above it.
    kStyleVersionTitlePages = 0x0400,
};

// The header version of the archive's document when it is a file-based
// document that has read or written a header (its header type is set);
// otherwise (no document, or no header yet) the current version.
WORD GetStyleVersion(const CArchive& ar);
