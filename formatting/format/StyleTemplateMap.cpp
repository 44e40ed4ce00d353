#include "formatting/format/StyleTemplateMap.h"

#include "formatting/format/FormatContext.h"
#include "formatting/format/FormattedRecord.h"
#include "formatting/style/OutputStyleDoc.h"
#include "formatting/style/StyleFormatLookup.h"
#include "formatting/style/StyleTemplate.h"

#include <memory>

CStyleTemplateMap::CStyleTemplateMap() : formats(10) {}

CStyleTemplateMap::~CStyleTemplateMap()
{
    DeleteMapValues(formats);
}

void CStyleTemplateMap::GetFormats(COutputStyleDoc& style, WORD workformId, CachedCitationFormats*& out)
{
    if (formats.Lookup(workformId, out))
        return;
    // Filled before it is entered, so a failure leaves no half-loaded entry.
    std::unique_ptr<CachedCitationFormats> loaded(new CachedCitationFormats);
    style.GetFirstCitationFormat(workformId, loaded->firstFormat);
    style.GetSubsequentCitationFormat(workformId, loaded->subsequentFormat);
    if (loaded->subsequentFormat.templateText.IsEmpty())
        style.GetFirstCitationFormat(workformId, loaded->subsequentFormat);
    FieldCodeTable codes;
    BuildStoredFieldCodes(codes);
    ParseStyleTemplate(codes, loaded->firstFormat.templateText.text, loaded->firstItems);
    ParseStyleTemplate(codes, loaded->subsequentFormat.templateText.text, loaded->subsequentItems);
    loaded->firstTexts.Prepare(loaded->firstFormat.templateText, loaded->firstItems);
    loaded->subsequentTexts.Prepare(loaded->subsequentFormat.templateText, loaded->subsequentItems);
    formats.SetAt(workformId, loaded.get());
    out = loaded.release();
}

CFormattedRecord* CStyleTemplateMap::FormatCitation(FormatContext& context, const DBRecord& record,
                                                    WORD workformId, BOOL useSubsequentFormat,
                                                    BOOL suppressAuthor)
{
    const WORD id = CitationFormatWorkform(*context.styleDocument, workformId);
    return BuildFormattedRecord(context, record, id, useSubsequentFormat, suppressAuthor);
}

CFormattedRecord* CStyleTemplateMap::BuildFormattedRecord(FormatContext& context, const DBRecord& record,
                                                          WORD workformId, BOOL useSubsequentFormat,
                                                          BOOL suppressAuthor)
{
    CachedCitationFormats* cached = nullptr;
    GetFormats(*context.styleDocument, workformId, cached);
    if (useSubsequentFormat)
        return BuildCitationElements(cached->subsequentFormat, cached->subsequentItems,
                                     cached->subsequentTexts, record, suppressAuthor);
    return BuildCitationElements(cached->firstFormat, cached->firstItems, cached->firstTexts, record,
                                 suppressAuthor);
}
