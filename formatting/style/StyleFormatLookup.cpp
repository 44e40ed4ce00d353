#include "formatting/style/StyleFormatLookup.h"

#include "formatting/style/IntextFormat.h"
#include "formatting/style/OutputStyleDoc.h"

WORD BibliographyFormatWorkform(const COutputStyleDoc& style, WORD workformId)
{
    if (workformId != COutputStyleDoc::kDefaultWorkform && !style.HasBibliographyFormat(workformId))
        return COutputStyleDoc::kDefaultWorkform;
    return workformId;
}

WORD CitationFormatWorkform(const COutputStyleDoc& style, WORD workformId)
{
    if (workformId != COutputStyleDoc::kDefaultWorkform && !style.HasFirstCitationFormat(workformId) &&
        !style.HasSubsequentCitationFormat(workformId))
        return COutputStyleDoc::kDefaultWorkform;
    return workformId;
}

void GetCitationFormatsFor(COutputStyleDoc& style, WORD workformId, IntextFormat& first,
                           IntextFormat& subsequent)
{
    const WORD id = CitationFormatWorkform(style, workformId);
    style.GetFirstCitationFormat(id, first);
    style.GetSubsequentCitationFormat(id, subsequent);
    if (subsequent.templateText.IsEmpty())
        style.GetFirstCitationFormat(id, subsequent);
}
