// BibliographyPageLayout: margins and page numbers of a bibliography (the
// Page Layout page). Lengths are twips.
//
// Stored form: u16 schema 0, u16 version (written 1); i32 left, top, right,
// bottom margins; from version 1 on i32 number pages, first page number,
// suppress first page number, page-number location, page-number alignment
// (version 0 keeps their defaults).
#pragma once

#include "classlib/Object.h"

class BibliographyPageLayout : public CObject
{
public:
    BibliographyPageLayout();
    BibliographyPageLayout(const BibliographyPageLayout& other);
    BibliographyPageLayout& operator=(const BibliographyPageLayout& other);

    void Serialize(CArchive& ar) override;

    int leftMargin;          // 1440
    int topMargin;           // 1440
    int rightMargin;         // 1440
    int bottomMargin;        // 1440
    int numberPages;         // 1
    int firstPageNumber;     // 1
    int suppressFirstNumber; // 1
    int numberLocation;      // 1: 0 header, 1 footer
    int numberAlignment;     // 1: 0 left, 1 centre, 2 right
};
