#include "bibliography/setup/CopyFormattedSetup.h"

#include "bibliography/setup/SetupArchive.h"

namespace {
const int kAuthorDateTitleOrder = 2;
}

CopyFormattedSetup::CopyFormattedSetup()
{
    heading.order = kAuthorDateTitleOrder;
}

CopyFormattedSetup::CopyFormattedSetup(const CopyFormattedSetup& other) : BibliographySetup(other)
{
    citations = other.citations;
}

CopyFormattedSetup& CopyFormattedSetup::operator=(const CopyFormattedSetup& other)
{
    if (this == &other)
        return *this;
    BibliographySetup::operator=(other);
    citations = other.citations;
    return *this;
}

void CopyFormattedSetup::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        WriteSetupHeader(ar, 0);
    else
        ReadSetupHeader(ar);
    BibliographySetup::Serialize(ar);
    citations.Serialize(ar);
}
