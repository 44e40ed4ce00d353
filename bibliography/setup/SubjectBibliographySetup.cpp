#include "bibliography/setup/SubjectBibliographySetup.h"

#include "bibliography/setup/SetupArchive.h"

SubjectBibliographySetup::SubjectBibliographySetup() {}

SubjectBibliographySetup::SubjectBibliographySetup(const SubjectBibliographySetup& other)
    : BibliographySetup(other)
{
    layout = other.layout;
}

SubjectBibliographySetup& SubjectBibliographySetup::operator=(const SubjectBibliographySetup& other)
{
    if (this == &other)
        return *this;
    BibliographySetup::operator=(other);
    layout = other.layout;
    return *this;
}

void SubjectBibliographySetup::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        WriteSetupHeader(ar, 0);
    else
        ReadSetupHeader(ar);
    BibliographySetup::Serialize(ar);
    layout.Serialize(ar);
}
