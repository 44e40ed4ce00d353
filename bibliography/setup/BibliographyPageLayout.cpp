#include "bibliography/setup/BibliographyPageLayout.h"

#include "bibliography/setup/SetupArchive.h"

#include <initializer_list>

BibliographyPageLayout::BibliographyPageLayout()
    : leftMargin(1440), topMargin(1440), rightMargin(1440), bottomMargin(1440), numberPages(1),
      firstPageNumber(1), suppressFirstNumber(1), numberLocation(1), numberAlignment(1)
{
}

BibliographyPageLayout::BibliographyPageLayout(const BibliographyPageLayout& other) : CObject()
{
    *this = other;
}

BibliographyPageLayout& BibliographyPageLayout::operator=(const BibliographyPageLayout& other)
{
    if (this == &other)
        return *this;
    leftMargin = other.leftMargin;
    topMargin = other.topMargin;
    rightMargin = other.rightMargin;
    bottomMargin = other.bottomMargin;
    numberPages = other.numberPages;
    firstPageNumber = other.firstPageNumber;
    suppressFirstNumber = other.suppressFirstNumber;
    numberLocation = other.numberLocation;
    numberAlignment = other.numberAlignment;
    return *this;
}

void BibliographyPageLayout::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSetupHeader(ar, 1);
        for (int v : {leftMargin, topMargin, rightMargin, bottomMargin, numberPages, firstPageNumber,
                      suppressFirstNumber, numberLocation, numberAlignment})
            WriteSetupInt(ar, v);
        return;
    }
    const WORD version = ReadSetupHeader(ar);
    for (int* v : {&leftMargin, &topMargin, &rightMargin, &bottomMargin})
        *v = ReadSetupInt(ar);
    if (version == 0)
        return;
    for (int* v : {&numberPages, &firstPageNumber, &suppressFirstNumber, &numberLocation, &numberAlignment})
        *v = ReadSetupInt(ar);
}
