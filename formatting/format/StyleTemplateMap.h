// CStyleTemplateMap: the in-text formats a citation run has used, by
// workform ID: the first-citation and the subsequent-citation format, each
// with its template parsed once. A subsequent format with an empty template
// is the first-citation format again. Entries are loaded on first use, kept
// unchanged for the life of the map and owned by it.
#pragma once

#include "classlib/Map.h"
#include "formatting/format/FormattedRecordBuilder.h"
#include "formatting/style/IntextFormat.h"
#include "formatting/style/TemplateItem.h"

class CFormattedRecord;
class COutputStyleDoc;
class DBRecord;
class FormatContext;

class CachedCitationFormats
{
public:
    IntextFormat firstFormat;
    TemplateItemList firstItems;
    PreparedTemplate firstTexts;
    IntextFormat subsequentFormat;
    TemplateItemList subsequentItems;
    PreparedTemplate subsequentTexts;
};

class CStyleTemplateMap : public CObject
{
public:
    CStyleTemplateMap();
    ~CStyleTemplateMap() override;
    CStyleTemplateMap(const CStyleTemplateMap&) = delete;
    CStyleTemplateMap& operator=(const CStyleTemplateMap&) = delete;

    // The cached pair of the ID, loaded and parsed on first use.
    void GetFormats(COutputStyleDoc& style, WORD workformId, CachedCitationFormats*& out);
    // The citation's elements from the formats of the record's workform in
    // the context's style document (which must be set), or of 0xFFFF when the
    // style has no in-text format for it. The caller writes the list with
    // CFormattedRecord::Write and deletes it.
    CFormattedRecord* FormatCitation(FormatContext& context, const DBRecord& record, WORD workformId,
                                     BOOL useSubsequentFormat, BOOL suppressAuthor);
    // The same for exactly this ID.
    CFormattedRecord* BuildFormattedRecord(FormatContext& context, const DBRecord& record, WORD workformId,
                                           BOOL useSubsequentFormat, BOOL suppressAuthor);

    int GetCount() const { return static_cast<int>(formats.GetCount()); }

private:
    CTypedPtrMap<CMapWordToPtr, WORD, CachedCitationFormats*> formats;
};
