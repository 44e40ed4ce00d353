// IntextFormat: how the records of one workform are written as in-text
// citations (a style keeps one for first citations and one for later ones).
// A plain object like BibliographyFormat, with in-text author sheets.
//
// Defaults beyond the pages' own: the title of field 9 in headline case; the
// dates of fields 20 and 21 formatted, year only.
//
// Stored form (no older variants):
//   styled string templateText
//   4 in-text author format sheets (fields 1, 7, 16, 30)
//   4 title pages (fields 4, 9, 11, 32), journal page
//   3 date pages (fields 12, 20, 21), keyword page, page-number page
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/AuthorFormatSheet.h"
#include "formatting/style/FormatBlockSections.h"

class IntextFormat : public CObject
{
public:
    IntextFormat();
    void Serialize(CArchive& ar) override;

    // As BibliographyFormat's selectors.
    CIntextAuthorFormatSheet& AuthorFormatFor(int field) { return authorFormats[AuthorFormatIndex(field)]; }
    const CIntextAuthorFormatSheet& AuthorFormatFor(int field) const
    {
        return authorFormats[AuthorFormatIndex(field)];
    }
    CTitleFormatPage& TitleFormatFor(int field) { return titleFormats[TitleFormatIndex(field)]; }
    const CTitleFormatPage& TitleFormatFor(int field) const { return titleFormats[TitleFormatIndex(field)]; }
    CDateFormatPage& DateFormatFor(int field) { return dateFormats[DateFormatIndex(field)]; }
    const CDateFormatPage& DateFormatFor(int field) const { return dateFormats[DateFormatIndex(field)]; }

    StyledString templateText;
    CIntextAuthorFormatSheet authorFormats[kAuthorFormatCount];
    CTitleFormatPage titleFormats[kTitleFormatCount];
    CJournalFormatPage journalFormat;
    CDateFormatPage dateFormats[kDateFormatCount];
    CKeywordFormatPage keywordFormat;
    CPageNumberFormatPage pageFormat;
};

// The in-text defaults beyond the pages' own (shared with CitationFormat).
void SetIntextDefaults(CTitleFormatPage (&titles)[kTitleFormatCount],
                       CDateFormatPage (&dates)[kDateFormatCount]);
