// Which of a style's formats a record of a workform is written with: a
// workform without a format of its own takes the "<Default>" workform's
// (0xFFFF) formats.
#pragma once

#include "classlib/Types.h"

class COutputStyleDoc;
class IntextFormat;

// The ID whose bibliography format applies: the workform's when it has one,
// else 0xFFFF.
WORD BibliographyFormatWorkform(const COutputStyleDoc& style, WORD workformId);
// The ID whose in-text formats apply: the workform's when it has a first or a
// subsequent citation format, else 0xFFFF.
WORD CitationFormatWorkform(const COutputStyleDoc& style, WORD workformId);
// Loads both in-text formats of the ID that applies; a subsequent format
// with an empty template is replaced by the first-citation format. Formats
// not stored at all leave the objects as they were made.
void GetCitationFormatsFor(COutputStyleDoc& style, WORD workformId, IntextFormat& first,
                           IntextFormat& subsequent);
