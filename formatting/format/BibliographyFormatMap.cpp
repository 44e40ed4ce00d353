#include "formatting/format/BibliographyFormatMap.h"

#include "formatting/format/FormattedRecord.h"
#include "formatting/style/OutputStyleDoc.h"
#include "formatting/style/StyleTemplate.h"

#include <memory>

BibliographyFormatMap::BibliographyFormatMap() : formats(10) {}

BibliographyFormatMap::~BibliographyFormatMap()
{
    DeleteMapValues(formats);
}

const CachedBibliographyFormat& BibliographyFormatMap::GetFormat(COutputStyleDoc& style, WORD workformId)
{
    CachedBibliographyFormat* cached = nullptr;
    if (formats.Lookup(workformId, cached))
        return *cached;
    // Filled before it is entered, so a failure leaves no half-loaded entry.
    std::unique_ptr<CachedBibliographyFormat> loaded(new CachedBibliographyFormat);
    style.GetBibliographyFormat(workformId, loaded->format);
    FieldCodeTable codes;
    BuildStoredFieldCodes(codes);
    ParseStyleTemplate(codes, loaded->format.templateText.text, loaded->items);
    loaded->texts.Prepare(loaded->format.templateText, loaded->items);
    formats.SetAt(workformId, loaded.get());
    return *loaded.release();
}

CFormattedRecord* BibliographyFormatMap::BuildFormattedRecord(COutputStyleDoc& style, const DBRecord& record,
                                                              WORD workformId)
{
    const CachedBibliographyFormat& cached = GetFormat(style, workformId);
    return BuildEntryElements(cached.format, cached.items, cached.texts, record);
}
