// BibliographyFormatMap: a record formatter's cache of the bibliography
// formats it has used, by workform ID, each with its template parsed once.
//
// An ID is loaded on its first use exactly as the style holds it (defaults
// for an ID the style stores nothing for; choosing 0xFFFF for a workform
// without its own format is the caller's part) and then kept unchanged for
// the life of the map: later changes to the style are not seen. The map owns
// its entries; none is removed or replaced while it lives.
#pragma once

#include "classlib/Map.h"
#include "formatting/format/FormattedRecordBuilder.h"
#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/TemplateItem.h"

class CFormattedRecord;
class COutputStyleDoc;
class DBRecord;

class CachedBibliographyFormat
{
public:
    BibliographyFormat format;
    TemplateItemList items; // of format.templateText, however the parse ended
    PreparedTemplate texts; // of the items
};

class BibliographyFormatMap : public CObject
{
public:
    BibliographyFormatMap();
    ~BibliographyFormatMap() override;
    BibliographyFormatMap(const BibliographyFormatMap&) = delete;
    BibliographyFormatMap& operator=(const BibliographyFormatMap&) = delete;

    // The cached format of the ID, loaded and parsed on first use.
    const CachedBibliographyFormat& GetFormat(COutputStyleDoc& style, WORD workformId);
    // A new element list of the ID's format for the record; the caller
    // deletes it.
    CFormattedRecord* BuildFormattedRecord(COutputStyleDoc& style, const DBRecord& record, WORD workformId);

    int GetCount() const { return static_cast<int>(formats.GetCount()); }

private:
    CTypedPtrMap<CMapWordToPtr, WORD, CachedBibliographyFormat*> formats;
};
