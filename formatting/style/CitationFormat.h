// CitationFormat: the in-text format of styles older than version 0x0500, one
// for the whole style and for all citations. It is only read, and converted
// into IntextFormat and the style's in-text citation settings
// (COutputStyleDoc); writing is kept for tests and always stores the full form.
//
// Defaults: those of IntextFormat, plus the captions of the sheets and pages
// (author sheets 5120 to 5123, title pages 5314 to 5317, date pages 5159 to
// 5161, in field order) and the citation punctuation below.
//
// Stored form:
//   styled strings templateText, leftDelimiter, rightDelimiter, citationSeparator
//   u8 useNumberRanges, styled string rangeSeparator
//   u8 sortOrder        always written; read only above version 0x0400
//   4 legacy in-text author format sheets (fields 1, 7, 16, 30)
//   titles and journal as BibliographyFormat (older than 0x0400 without field 9)
//   3 date pages, keyword page, page-number page
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/AuthorFormatSheet.h"
#include "formatting/style/FormatBlockSections.h"

class CitationFormat : public CObject
{
public:
    enum : UINT
    {
        IDS_FIRST_AUTHOR_CAPTION = 5120, // "Author (01) Formatting" .. (30)
        IDS_FIRST_TITLE_CAPTION = 5314,  // "Title (04) Formatting" .. (32)
        IDS_FIRST_DATE_CAPTION = 5159    // "Date (12) Formatting" .. (21)
    };

    CitationFormat();
    void Serialize(CArchive& ar) override;

    StyledString templateText;
    CLegacyIntextAuthorFormatSheet authorFormats[kAuthorFormatCount];
    CTitleFormatPage titleFormats[kTitleFormatCount];
    CJournalFormatPage journalFormat;
    CDateFormatPage dateFormats[kDateFormatCount];
    CKeywordFormatPage keywordFormat;
    CPageNumberFormatPage pageFormat;
    StyledString leftDelimiter;     // "("
    StyledString rightDelimiter;    // ")"
    StyledString citationSeparator; // ";"
    BOOL useNumberRanges;           // 1
    StyledString rangeSeparator;    // "-"
    int sortOrder;                  // 0
};
