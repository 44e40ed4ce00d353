// BibliographySetup: how a reference list is laid out apart from the output
// style: the style's path, the page font, the heading, the field selection
// and the page layout.
//
// Stored form: u16 schema 0, u16 version 0; CString output style path;
// CString font name; i32 font size; the heading; the field selection; the
// page layout (each in its own stored form).
#pragma once

#include "bibliography/setup/BibliographyFieldSelection.h"
#include "bibliography/setup/BibliographyHeading.h"
#include "bibliography/setup/BibliographyPageLayout.h"

class BibliographySetup : public CObject
{
public:
    BibliographySetup();
    BibliographySetup(const BibliographySetup& other);
    BibliographySetup& operator=(const BibliographySetup& other);

    void Serialize(CArchive& ar) override;

    CString stylePath;
    CString fontName; // "Times New Roman"
    int fontSize;     // 10 points
    BibliographyHeading heading;
    BibliographyFieldSelection fields;
    BibliographyPageLayout pageLayout;
};
