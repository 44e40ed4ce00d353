#include "bibliography/setup/BibliographySetup.h"

#include "bibliography/setup/SetupArchive.h"

BibliographySetup::BibliographySetup() : fontName("Times New Roman"), fontSize(10) {}

BibliographySetup::BibliographySetup(const BibliographySetup& other) : CObject()
{
    *this = other;
}

BibliographySetup& BibliographySetup::operator=(const BibliographySetup& other)
{
    if (this == &other)
        return *this;
    stylePath = other.stylePath;
    fontName = other.fontName;
    fontSize = other.fontSize;
    heading = other.heading;
    fields = other.fields;
    pageLayout = other.pageLayout;
    return *this;
}

void BibliographySetup::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteSetupHeader(ar, 0);
        ar << stylePath << fontName;
        WriteSetupInt(ar, fontSize);
    } else {
        ReadSetupHeader(ar);
        ar >> stylePath >> fontName;
        fontSize = ReadSetupInt(ar);
    }
    heading.Serialize(ar);
    fields.Serialize(ar);
    pageLayout.Serialize(ar);
}
