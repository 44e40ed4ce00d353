// BibliographyFormat: how the records of one workform are written as entries
// of a reference list: the template (with stored field codes) and the
// settings of the author, title, journal, date, keyword and page-number
// fields. A plain object: constructed with the pages' defaults (an empty
// template), copied member by member, serialised without a window.
//
// Stored form:
//   styled string templateText
//   4 author format sheets (fields 1, 7, 16, 30)
//   version 0x0400 and above: 4 title pages (fields 4, 9, 11, 32), journal page
//   older (read only): title pages of fields 4, 11 and 32, journal page; the
//                      case of field 9 is the journal page's
//   3 date pages (fields 12, 20, 21), keyword page, page-number page
// Reading takes the version from the archive's document (StyleFormatVersion.h);
// writing always stores the current form.
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/AuthorFormatSheet.h"
#include "formatting/style/FormatBlockSections.h"

class BibliographyFormat : public CObject
{
public:
    BibliographyFormat();
    void Serialize(CArchive& ar) override;

    // The settings of a field: author fields 7, 16 and 30 have their own, any
    // other number gives field 1's; titles 9, 11 and 32, else field 4's;
    // dates 20 and 21, else field 12's. Fields 10, 25 and 45 use the single
    // journal, page-number and keyword pages.
    CAuthorFormatSheet& AuthorFormatFor(int field) { return authorFormats[AuthorFormatIndex(field)]; }
    const CAuthorFormatSheet& AuthorFormatFor(int field) const
    {
        return authorFormats[AuthorFormatIndex(field)];
    }
    CTitleFormatPage& TitleFormatFor(int field) { return titleFormats[TitleFormatIndex(field)]; }
    const CTitleFormatPage& TitleFormatFor(int field) const { return titleFormats[TitleFormatIndex(field)]; }
    CDateFormatPage& DateFormatFor(int field) { return dateFormats[DateFormatIndex(field)]; }
    const CDateFormatPage& DateFormatFor(int field) const { return dateFormats[DateFormatIndex(field)]; }

    StyledString templateText; // the template, with stored field codes
    CAuthorFormatSheet authorFormats[kAuthorFormatCount];
    CTitleFormatPage titleFormats[kTitleFormatCount];
    CJournalFormatPage journalFormat;
    CDateFormatPage dateFormats[kDateFormatCount];
    CKeywordFormatPage keywordFormat;
    CPageNumberFormatPage pageFormat;
};
